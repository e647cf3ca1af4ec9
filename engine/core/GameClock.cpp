// GameClock.cpp: the game clock on the 32-bit millisecond tick counter, and its completion.
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

void StartClock(TClock& clock, uint32_t now) {
    clock.FinalSeconds = 0;
    clock.StartTick = now;
    clock.BlinkCount = 0;
}

TTickOutcome ClockTick(TClock& clock, bool solved, uint32_t now) {
    if (!solved) {
        return {TTickAction::ShowTime, TimeText(ElapsedSeconds(clock, now)), IntervalRunning};
    }
    // A game solved within its first second computes 0 here, which leaves the time untaken:
    // the next tick takes it again and the swaps start over.
    if (clock.FinalSeconds == 0) {
        clock.FinalSeconds = ElapsedSeconds(clock, now);
        clock.BlinkCount = 6;
    }
    if (clock.BlinkCount > 0) {
        --clock.BlinkCount;
        return {TTickAction::SwapColours, {}, IntervalFlashing};
    }
    return {TTickAction::Finish, {}, IntervalRunning};
}

void MinimizeClock(TClock& clock, bool timerRunning, uint32_t now) {
    // A repeated notification finds the timer already stopped and would forget that it ran.
    if (clock.Minimized) {
        return;
    }
    clock.Minimized = true;
    clock.RunningWhenMinimized = timerRunning;
    clock.MinimizeTick = timerRunning ? now : 0;
}

bool RestoreClock(TClock& clock, uint32_t now) {
    if (!clock.Minimized) {
        return false;
    }
    clock.Minimized = false;
    if (!clock.RunningWhenMinimized) {
        return false;
    }
    clock.StartTick += now - clock.MinimizeTick;
    return true;
}
