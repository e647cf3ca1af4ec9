// SystemClocks.cpp: reads the boot-time clock and the calendar clock of the system.
#include "app/platform/SystemClocks.h"

#include <time.h>

uint32_t TSystemTickCounter::Now() {
    // Boot time keeps counting while the machine sleeps, as the game's clock expects.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

int64_t TSystemCalendarClock::Seconds() {
    return static_cast<int64_t>(time(nullptr));
}
