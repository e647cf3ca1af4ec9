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
    StartClock(Clock, Ticks.Now());
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
    return ClockTick(Clock, Board.Solved, Ticks.Now());
}

void TGame::Minimize(bool timerRunning) {
    MinimizeClock(Clock, timerRunning, Ticks.Now());
}

bool TGame::Restore() {
    return RestoreClock(Clock, Ticks.Now());
}
