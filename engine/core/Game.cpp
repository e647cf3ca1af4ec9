// Game.cpp: one game from its shuffle to its end.
#include "engine/core/Game.h"

#include "engine/core/Shuffle.h"

TGame::TGame(ITickCounter& ticks, ICalendarClock& calendar, bool minimizeReported)
    : PauseWatch(minimizeReported), Ticks(ticks), Calendar(calendar) {}

void TGame::NewGame(int32_t level, TGridSize userSize) {
    Level = level >= LevelBasic && level <= LevelUser ? level : LevelBasic;
    // Seeded in whole seconds: two games started in the same second come out the same.
    NewBoard(Board, GridSizeForLevel(Level, userSize.Cols, userSize.Rows),
             static_cast<uint32_t>(Calendar.Seconds()));
    Clock.FinalSeconds = 0;
    Clock.StartTick = Ticks.Now();
    Clock.BlinkCount = 0;
}

TMovePlan TGame::Click(int32_t x, int32_t y) const {
    return PlanMove(Board, x, y);
}

TMovePlan TGame::Arrow(TArrowKey key) const {
    const auto target = ArrowTarget(Board, key);
    return target ? PlanMove(Board, target->X, target->Y) : TMovePlan{};
}

void TGame::Move(const TMovePlan& plan) {
    ApplyMove(Board, plan);
}

TTickOutcome TGame::Tick() {
    const uint32_t now = Ticks.Now();
    if (!Board.Solved) {
        return {TTickAction::ShowTime, TimeText(ElapsedSeconds(Clock, now)), IntervalRunning};
    }
    // A game solved within its first second computes 0 here, which leaves the time untaken:
    // the next tick takes it again and the swaps start over.
    if (Clock.FinalSeconds == 0) {
        Clock.FinalSeconds = ElapsedSeconds(Clock, now);
        Clock.BlinkCount = 6;
    }
    if (Clock.BlinkCount > 0) {
        --Clock.BlinkCount;
        return {TTickAction::SwapColours, {}, IntervalFlashing};
    }
    return {TTickAction::Finish, {}, IntervalRunning};
}

void TGame::Minimize(bool timerRunning) {
    // A repeated notification finds the timer already stopped and would forget that it ran.
    if (Clock.Minimized) {
        return;
    }
    Clock.Minimized = true;
    Clock.RunningWhenMinimized = timerRunning;
    Clock.MinimizeTick = timerRunning ? Ticks.Now() : 0;
}

bool TGame::Restore() {
    if (!Clock.Minimized) {
        return false;
    }
    Clock.Minimized = false;
    if (!Clock.RunningWhenMinimized) {
        return false;
    }
    Clock.StartTick += Ticks.Now() - Clock.MinimizeTick;
    return true;
}
