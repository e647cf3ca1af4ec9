// SystemClocks.h: the tick counter and calendar clock of the running system.
#pragma once

#include "engine/core/Clocks.h"

class TSystemTickCounter : public ITickCounter {
  public:
    uint32_t Now() override;
};

class TSystemCalendarClock : public ICalendarClock {
  public:
    int64_t Seconds() override;
};
