// GameClock.cpp: the game clock's arithmetic on the 32-bit millisecond tick counter.
#include "engine/core/GameClock.h"

#include <cstdio>

std::string TimeText(int32_t seconds) {
    // A damaged stored record may be negative; it is shown by the same truncating arithmetic.
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, (seconds % 3600) / 60,
                  (seconds % 3600) % 60);
    return text;
}

int32_t ElapsedSeconds(const TClock& clock, uint32_t now) {
    return static_cast<int32_t>((now - clock.StartTick) / 1000);
}
