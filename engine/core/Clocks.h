// Clocks.h: the two clocks the game reads, behind interfaces so tests can set the time.
#pragma once

#include <cstdint>

// Milliseconds since system start, 32 bits wide, wrapping after about 49.7 days.
class ITickCounter {
  public:
    virtual ~ITickCounter() = default;
    virtual uint32_t Now() = 0;
};

// Calendar time in whole seconds since the start of 1970; it seeds the shuffle.
class ICalendarClock {
  public:
    virtual ~ICalendarClock() = default;
    virtual int64_t Seconds() = 0;
};
