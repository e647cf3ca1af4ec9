// GameTest.cpp: whole games, from a new game through moves, a pause and the solve to the clock's
// completion and the record check, at every kind of grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "engine/core/Game.h"
#include "fakes/FakeClocks.h"
#include "settings/core/Infobank.h"

namespace {

struct TScriptedGame {
    const char* Name;
    int32_t Level;
    TGridSize UserSize;
    // What the level's rules make of it.
    int32_t PlayedLevel;
    TGridSize Grid;
    int32_t TileWidth;
    int32_t TileHeight;
    // The level's best time before the game, and whether the game beats it in 84 s.
    int32_t BestTime;
    bool NewRecord;
};

const TScriptedGame Games[] = {
    {"Basic", LevelBasic, {4, 4}, LevelBasic, {3, 3}, 120, 120, 35999, true},
    {"Middle, as fast as the best", LevelMiddle, {4, 4}, LevelMiddle, {5, 5}, 72, 72, 84, false},
    {"Advance", LevelAdvance, {4, 4}, LevelAdvance, {7, 7}, 51, 51, 85, true},
    {"User 4 x 2", LevelUser, {4, 2}, LevelUser, {4, 2}, 90, 180, 35999, false},
    {"User out of range", LevelUser, {1, 20}, LevelUser, {2, 11}, 180, 32, 35999, false},
    {"Unknown level code", 7, {4, 4}, LevelBasic, {3, 3}, 120, 120, 35999, true},
};

void PrintTo(const TScriptedGame& game, std::ostream* os) {
    *os << game.Name;
}

class WholeGame : public testing::TestWithParam<TScriptedGame> {
  protected:
    TFakeTickCounter Ticks;
    TFakeCalendarClock Calendar;
    TGame Game{Ticks, Calendar, true};

    int32_t HolePosition() const {
        const TBoard& b = Game.Board;
        return static_cast<int32_t>(std::find(b.BoardCells.begin(), b.BoardCells.end(), b.Hole()) -
                                    b.BoardCells.begin());
    }
    // The middle of the cell at (col, row) on the paint box.
    TMovePlan ClickCell(int32_t col, int32_t row) const {
        const TBoard& b = Game.Board;
        return Game.Click(b.BoardLeft + col * b.TileWidth + b.TileWidth / 2,
                          b.BoardTop + row * b.TileHeight + b.TileHeight / 2);
    }
};

TEST_P(WholeGame, FromNewGameToTheRecordCheck) {
    const TScriptedGame& g = GetParam();
    Ticks.Value = 1000;
    Game.NewGame(g.Level, g.UserSize);
    const TBoard& board = Game.Board;
    EXPECT_EQ(Game.Level, g.PlayedLevel);
    EXPECT_EQ(board.ColCount, g.Grid.Cols);
    EXPECT_EQ(board.RowCount, g.Grid.Rows);
    EXPECT_EQ(board.TileWidth, g.TileWidth);
    EXPECT_EQ(board.TileHeight, g.TileHeight);
    EXPECT_EQ(Game.Clock.StartTick, 1000u);
    EXPECT_FALSE(board.Solved);

    // Scripted from home: the tile above the hole comes down, then the one on its left goes
    // right, which leaves the hole one row up and one column left of its home.
    const int32_t cols = g.Grid.Cols;
    const int32_t rows = g.Grid.Rows;
    LayOutBoard(Game.Board, g.Grid);
    Game.Move(Game.Arrow(ArrowDown));
    Game.Move(Game.Arrow(ArrowRight));
    ASSERT_EQ(HolePosition(), (rows - 2) * cols + cols - 2);
    const auto arranged = board.BoardCells;
    // A tile two cells from the hole, or diagonal to it, is refused; beyond the grid is ignored.
    EXPECT_EQ(ClickCell(0, 0).Outcome, TMoveOutcome::Refused);
    EXPECT_EQ(ClickCell(cols - 1, rows - 1).Outcome, TMoveOutcome::Refused);
    EXPECT_EQ(Game.Click(board.BoardLeft + board.BoardWidth, board.BoardTop).Outcome,
              TMoveOutcome::Ignored);
    EXPECT_EQ(board.BoardCells, arranged);

    Ticks.Value = 84400;
    EXPECT_EQ(Game.Tick().Text, "00:01:23");
    // Ten minutes minimized are left out of the game.
    Game.Minimize(true);
    Ticks.Value += 600000;
    EXPECT_TRUE(Game.Restore());

    // The tile right of the hole is clicked to the left, then the key Up solves the picture.
    const TMovePlan left = ClickCell(cols - 1, rows - 2);
    EXPECT_EQ(left.Direction, crPointLeft);
    EXPECT_EQ(left.Distance, g.TileWidth);
    Game.Move(left);
    EXPECT_FALSE(board.Solved);
    const TMovePlan up = Game.Arrow(ArrowUp);
    EXPECT_EQ(up.Direction, crPointUp);
    EXPECT_EQ(up.Distance, g.TileHeight);
    Game.Move(up);
    EXPECT_TRUE(board.Solved);
    EXPECT_EQ(Game.Arrow(ArrowDown).Outcome, TMoveOutcome::Ignored);
    EXPECT_EQ(ClickCell(0, 0).Outcome, TMoveOutcome::Ignored);

    // The next tick takes the time; six swaps of the colours at 500 ms, then the end.
    Ticks.Value += 1000;
    for (int swap = 0; swap < 6; ++swap, Ticks.Value += 500) {
        const TTickOutcome outcome = Game.Tick();
        EXPECT_EQ(outcome.Action, TTickAction::SwapColours) << swap;
        EXPECT_EQ(outcome.IntervalMs, 500);
    }
    const TTickOutcome end = Game.Tick();
    EXPECT_EQ(end.Action, TTickAction::Finish);
    EXPECT_EQ(end.IntervalMs, 1000);
    EXPECT_EQ(Game.Clock.FinalSeconds, 84);

    TSettings settings;
    settings.BasicRecordTime = settings.MiddleRecordTime = settings.AdvanceRecordTime = g.BestTime;
    EXPECT_EQ(IsNewRecord(settings, Game.Level, Game.Clock.FinalSeconds), g.NewRecord);
    // A finished game stays stopped across a minimize.
    Game.Minimize(false);
    EXPECT_FALSE(Game.Restore());
}

INSTANTIATE_TEST_SUITE_P(Grids, WholeGame, testing::ValuesIn(Games),
                         [](const testing::TestParamInfo<TScriptedGame>& info) {
                             return std::to_string(info.index);
                         });

}  // namespace
