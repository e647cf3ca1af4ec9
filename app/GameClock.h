// GameClock.h: the state of the game clock, measured on the 32-bit millisecond tick counter.
#pragma once

#include <cstdint>

struct TClock {
    // Tick count at the start of the game, moved on by the time spent minimized.
    uint32_t StartTick = 0;
    uint32_t MinimizeTick = 0;
    // Whole seconds of the finished game; 0 while not taken.
    int32_t FinalSeconds = 0;
    int32_t BlinkCount = 0;
};
