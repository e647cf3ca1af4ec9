// GameClock.h: the game clock's fields and arithmetic on the 32-bit millisecond tick counter,
// and the answers of its ticks; TGame runs it.
#pragma once

#include <cstdint>
#include <string>

struct TClock {
    // Tick count at the start of the game, moved on by the time spent minimized.
    uint32_t StartTick = 0;
    uint32_t MinimizeTick = 0;
    // Whole seconds of the finished game; 0 while not taken.
    int32_t FinalSeconds = 0;
    int32_t BlinkCount = 0;
    // Kept apart from MinimizeTick, whose 0 is also a real reading of the counter.
    bool RunningWhenMinimized = false;
    // Minimize and restore notifications can repeat; only the first of each may move the clock.
    bool Minimized = false;
};

// Hours, minutes and seconds as "%02d:%02d:%02d"; the hours are not limited to two digits.
std::string TimeText(int32_t seconds);

// Whole seconds since StartTick, right across one wrap of the counter.
int32_t ElapsedSeconds(const TClock& clock, uint32_t now);

constexpr int32_t IntervalRunning = 1000;
constexpr int32_t IntervalFlashing = 500;

enum class TTickAction {
    // Set the display to Text.
    ShowTime,
    // Swap the display's text and background colours.
    SwapColours,
    // Stop the timer, put the display to its normal colours, repaint the whole picture, then
    // check FinalSeconds for a record.
    Finish
};

struct TTickOutcome {
    TTickAction Action = TTickAction::ShowTime;
    // Only for ShowTime.
    std::string Text;
    // The timer's interval from this tick on, whatever the action. Setting it restarts the
    // period, so the caller sets it only when it differs.
    int32_t IntervalMs = IntervalRunning;
};
