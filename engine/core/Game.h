// Game.h: one game from its shuffle to its end: the board with its level and grid, the clock
// with its completion, the pause. The window feeds it the input and the time, and shows, sounds
// and asks what it answers.
#pragma once

#include <cstdint>

#include "engine/core/Board.h"
#include "engine/core/Clocks.h"
#include "engine/core/GameClock.h"
#include "engine/core/MoveRules.h"
#include "engine/core/PauseWatch.h"

class TGame {
  public:
    // minimizeReported: whether the desktop reports the window minimized (see TPauseWatch).
    TGame(ITickCounter& ticks, ICalendarClock& calendar, bool minimizeReported);

    TBoard Board;
    TClock Clock;
    // The level of the game in progress.
    int32_t Level = LevelBasic;
    TPauseWatch PauseWatch;

    // A new game at the level's size, shuffled from the calendar's second, with its clock
    // started; level codes outside 0 to 3 are Basic. It ends any flashing of the game before,
    // so the display goes back to its normal colours and the timer to IntervalRunning.
    void NewGame(int32_t level, TGridSize userSize);

    // What a click at (x, y) or an arrow key would do; Move applies the plan once its slide has
    // been shown.
    TMovePlan Click(int32_t x, int32_t y) const;
    TMovePlan Arrow(TArrowKey key) const;
    void Move(const TMovePlan& plan);

    // One tick of the clock's timer: the running time while unsolved, then six colour swaps,
    // then the Finish, after which FinalSeconds is the time to check against the level's best.
    TTickOutcome Tick();
    // The window was minimized; the caller stops the timer if it was running.
    void Minimize(bool timerRunning);
    // The window was restored. True when the timer must run again; the time spent minimized is
    // then left out of the game's time.
    bool Restore();

    // The tick counter's milliseconds, which the pause and the slide's steps are timed by too.
    uint32_t Now() { return Ticks.Now(); }

  private:
    ITickCounter& Ticks;
    ICalendarClock& Calendar;
};
