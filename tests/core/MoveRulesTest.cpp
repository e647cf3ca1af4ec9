// MoveRulesTest.cpp: moves from clicks and keys, the slide, the solved test and the pointer.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <utility>
#include <vector>

#include "engine/core/Board.h"
#include "engine/core/MoveRules.h"

void PrintTo(const TRect& r, std::ostream* os) {
    *os << "{" << r.Left << ", " << r.Top << ", " << r.Width << ", " << r.Height << "}";
}

void PrintTo(TMoveOutcome outcome, std::ostream* os) {
    const char* const names[] = {"Ignored", "Refused", "Slide"};
    *os << names[static_cast<int>(outcome)];
}

namespace {

// A board of the given size with every tile at home except the hole, swapped to holePos.
TBoard WithHoleAt(TGridSize size, int32_t holePos) {
    TBoard board;
    LayOutBoard(board, size);
    std::swap(board.BoardCells[holePos], board.BoardCells[board.Hole()]);
    return board;
}

// A 3 x 3 board whose cells hold hole values (8) wherever listed, to see which test wins.
TBoard WithHoleValuesAt(const std::vector<int32_t>& positions) {
    TBoard board;
    LayOutBoard(board, {3, 3});
    board.BoardCells[8] = 4;
    for (int32_t p : positions) {
        board.BoardCells[p] = 8;
    }
    return board;
}

struct TSlideCase {
    TGridSize Size;
    int32_t HolePos;
    int32_t X, Y;
    TPointer Direction;
    int32_t From, To;
    TRect Cell, Slide;
    int32_t Distance;
};

TEST(MoveDirection, TileNextToTheHoleSlidesIntoIt) {
    const TSlideCase cases[] = {
        // 3 x 3, hole in the centre, clicks in the middle of each neighbour.
        {{3, 3}, 4, 300, 180, crPointLeft, 5, 4, {240, 120, 120, 120}, {120, 120, 240, 120}, 120},
        {{3, 3}, 4, 60, 180, crPointRight, 3, 4, {0, 120, 120, 120}, {0, 120, 240, 120}, 120},
        {{3, 3}, 4, 180, 300, crPointUp, 7, 4, {120, 240, 120, 120}, {120, 120, 120, 240}, 120},
        {{3, 3}, 4, 180, 60, crPointDown, 1, 4, {120, 0, 120, 120}, {120, 0, 120, 240}, 120},
        // The first and the last pixel of a cell belong to it.
        {{3, 3}, 4, 240, 120, crPointLeft, 5, 4, {240, 120, 120, 120}, {120, 120, 240, 120}, 120},
        {{3, 3}, 4, 359, 239, crPointLeft, 5, 4, {240, 120, 120, 120}, {120, 120, 240, 120}, 120},
        // 7 x 7 with its one-pixel margin.
        {{7, 7}, 24, 103, 154, crPointRight, 23, 24, {103, 154, 51, 51}, {103, 154, 102, 51}, 51},
        {{7, 7}, 24, 204, 255, crPointUp, 31, 24, {154, 205, 51, 51}, {154, 154, 51, 102}, 51},
        // 11 x 4: tiles 32 wide and 90 high, the distance follows the direction.
        {{11, 4}, 12, 68, 90, crPointLeft, 13, 12, {68, 90, 32, 90}, {36, 90, 64, 90}, 32},
        {{11, 4}, 12, 36, 269, crPointUp, 23, 12, {36, 180, 32, 90}, {36, 90, 32, 180}, 90},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Size.Cols << "x" << c.Size.Rows << " at " << c.X << ", " << c.Y);
        const TMovePlan plan = PlanMove(WithHoleAt(c.Size, c.HolePos), c.X, c.Y);
        EXPECT_EQ(plan.Outcome, TMoveOutcome::Slide);
        EXPECT_EQ(plan.Direction, c.Direction);
        EXPECT_EQ(plan.From, c.From);
        EXPECT_EQ(plan.To, c.To);
        EXPECT_EQ(plan.Cell, c.Cell);
        EXPECT_EQ(plan.Slide, c.Slide);
        EXPECT_EQ(plan.Distance, c.Distance);
    }
}

TEST(MoveDirection, TestsAreTriedLeftRightUpDown) {
    const struct {
        std::vector<int32_t> HoleValues;
        TPointer Direction;
        int32_t To;
    } cases[] = {
        {{3, 1}, crPointLeft, 3},   // hole both left and above
        {{3, 5}, crPointLeft, 3},   // left and right
        {{5, 1}, crPointRight, 5},  // right and above
        {{1, 7}, crPointUp, 1},     // above and below
    };
    for (const auto& c : cases) {
        const TMovePlan plan = PlanMove(WithHoleValuesAt(c.HoleValues), 180, 180);
        EXPECT_EQ(plan.Direction, c.Direction) << "to " << c.To;
        EXPECT_EQ(plan.To, c.To);
    }
}

TEST(MoveDirection, HoleOnAnotherRowIsNeverBesideTheTile) {
    // Cell 3 starts the middle row; the hole ends the top row, one array index before it.
    EXPECT_EQ(PlanMove(WithHoleAt({3, 3}, 2), 60, 180).Outcome, TMoveOutcome::Refused);
    // And the other way round: cell 2 ends the top row, the hole starts the middle one.
    EXPECT_EQ(PlanMove(WithHoleAt({3, 3}, 3), 300, 60).Outcome, TMoveOutcome::Refused);
}

TEST(MoveRefusal, ClickOnHoleIsRefusedWithErrorSound) {
    const TMovePlan plan = PlanMove(WithHoleAt({3, 3}, 4), 180, 180);
    EXPECT_EQ(plan.Outcome, TMoveOutcome::Refused);
    EXPECT_EQ(plan.Direction, crDefault);
}

TEST(MoveRefusal, TileTwoCellsAwayInTheHolesRowIsRefused) {
    EXPECT_EQ(PlanMove(WithHoleAt({3, 3}, 3), 300, 180).Outcome, TMoveOutcome::Refused);
}

TEST(MoveRefusal, DiagonalTileIsRefused) {
    for (const auto& [x, y] : {std::pair{60, 60}, {300, 60}, {60, 300}, {300, 300}}) {
        EXPECT_EQ(PlanMove(WithHoleAt({3, 3}, 4), x, y).Outcome, TMoveOutcome::Refused)
            << x << ", " << y;
    }
}

TEST(MoveRefusal, RefusedPlanChangesNothing) {
    TBoard board = WithHoleAt({3, 3}, 4);
    const TBoard before = board;
    ApplyMove(board, PlanMove(board, 60, 60));
    EXPECT_EQ(board.BoardCells, before.BoardCells);
    EXPECT_FALSE(board.Solved);
}

TEST(MoveIgnored, MarginOutsideTheGridIsSilent) {
    const struct {
        TGridSize Size;
        int32_t X, Y;
        TMoveOutcome Outcome;
    } cases[] = {
        // 7 x 7: the grid covers 1 ... 357 both ways.
        {{7, 7}, 0, 100, TMoveOutcome::Ignored},
        {{7, 7}, 100, 0, TMoveOutcome::Ignored},
        {{7, 7}, 358, 100, TMoveOutcome::Ignored},
        {{7, 7}, 100, 358, TMoveOutcome::Ignored},
        {{7, 7}, 1, 1, TMoveOutcome::Refused},
        {{7, 7}, 357, 357, TMoveOutcome::Refused},
        // 11 x 4: the grid covers 4 ... 355 across and 0 ... 359 down.
        {{11, 4}, 3, 50, TMoveOutcome::Ignored},
        {{11, 4}, 356, 50, TMoveOutcome::Ignored},
        {{11, 4}, 50, 360, TMoveOutcome::Ignored},
        {{11, 4}, 4, 50, TMoveOutcome::Refused},
        {{11, 4}, 355, 50, TMoveOutcome::Refused},
        // Far outside the paint box, without overflowing the bounds.
        {{7, 7}, -1, -1, TMoveOutcome::Ignored},
        {{7, 7}, INT32_MIN, INT32_MIN, TMoveOutcome::Ignored},
        {{7, 7}, INT32_MAX, INT32_MAX, TMoveOutcome::Ignored},
    };
    for (const auto& c : cases) {
        // The hole in the centre, so no corner cell can move.
        const int32_t centre = (c.Size.Rows / 2) * c.Size.Cols + c.Size.Cols / 2;
        EXPECT_EQ(PlanMove(WithHoleAt(c.Size, centre), c.X, c.Y).Outcome, c.Outcome)
            << c.Size.Cols << "x" << c.Size.Rows << " at " << c.X << ", " << c.Y;
    }
}

TEST(MoveIgnored, SolvedBoardTakesNoMoreMoves) {
    TBoard board;
    LayOutBoard(board, {3, 3});
    board.Solved = true;
    // The tile left of the hole could otherwise move.
    EXPECT_EQ(PlanMove(board, 180, 300).Outcome, TMoveOutcome::Ignored);
}

TEST(MoveIgnored, NoGameLaidOutDividesByNothing) {
    const TBoard board;
    for (const auto& [x, y] : {std::pair{0, 0}, {5, 5}, {-1, -1}, {359, 359}}) {
        EXPECT_EQ(PlanMove(board, x, y).Outcome, TMoveOutcome::Ignored) << x << ", " << y;
    }
}

struct TArrowCase {
    TGridSize Size;
    int32_t HolePos;
    TArrowKey Key;
    int32_t X, Y;
    TMoveOutcome Outcome;
    int32_t From;
};

TEST(ArrowKeys, TargetIsTheTileOnTheFarSideOfTheHole) {
    const TArrowCase cases[] = {
        {{3, 3}, 8, ArrowDown, 240, 120, TMoveOutcome::Slide, 5},
        {{3, 3}, 8, ArrowRight, 120, 240, TMoveOutcome::Slide, 7},
        {{3, 3}, 0, ArrowUp, 0, 120, TMoveOutcome::Slide, 3},
        {{3, 3}, 0, ArrowLeft, 120, 0, TMoveOutcome::Slide, 1},
        {{7, 7}, 24, ArrowUp, 154, 205, TMoveOutcome::Slide, 31},
        {{7, 7}, 24, ArrowLeft, 205, 154, TMoveOutcome::Slide, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hole " << c.HolePos << " key " << c.Key);
        const TBoard board = WithHoleAt(c.Size, c.HolePos);
        const auto target = ArrowTarget(board, c.Key);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->X, c.X);
        EXPECT_EQ(target->Y, c.Y);
        const TMovePlan plan = PlanMove(board, target->X, target->Y);
        EXPECT_EQ(plan.Outcome, c.Outcome);
        EXPECT_EQ(plan.From, c.From);
        EXPECT_EQ(plan.To, c.HolePos);
    }
}

TEST(ArrowKeys, KeyAtTheEdgeNeverWrapsAndStaysSilent) {
    const TArrowCase cases[] = {
        {{3, 3}, 8, ArrowUp, 240, 360, TMoveOutcome::Ignored, 0},
        {{3, 3}, 8, ArrowLeft, 360, 240, TMoveOutcome::Ignored, 0},
        {{3, 3}, 0, ArrowDown, 0, -120, TMoveOutcome::Ignored, 0},
        {{3, 3}, 0, ArrowRight, -120, 0, TMoveOutcome::Ignored, 0},
        // End of the top row: Left must not reach the first tile of the next row.
        {{3, 3}, 2, ArrowLeft, 360, 0, TMoveOutcome::Ignored, 0},
        // Start of the middle row: Right must not reach the last tile of the row above.
        {{3, 3}, 3, ArrowRight, -120, 120, TMoveOutcome::Ignored, 0},
        // 7 x 7: the corner lands just past the grid's last pixel, or before its first.
        {{7, 7}, 6, ArrowLeft, 358, 1, TMoveOutcome::Ignored, 0},
        {{7, 7}, 7, ArrowRight, -50, 52, TMoveOutcome::Ignored, 0},
        {{7, 7}, 42, ArrowUp, 1, 358, TMoveOutcome::Ignored, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hole " << c.HolePos << " key " << c.Key);
        const TBoard board = WithHoleAt(c.Size, c.HolePos);
        const auto target = ArrowTarget(board, c.Key);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->X, c.X);
        EXPECT_EQ(target->Y, c.Y);
        EXPECT_EQ(PlanMove(board, target->X, target->Y).Outcome, c.Outcome);
    }
}

TEST(ArrowKeys, NothingToMoveWhenSolvedOrWithoutGame) {
    TBoard solved = WithHoleAt({3, 3}, 4);
    solved.Solved = true;
    const TBoard none;
    for (TArrowKey key : {ArrowUp, ArrowDown, ArrowLeft, ArrowRight}) {
        EXPECT_FALSE(ArrowTarget(solved, key).has_value()) << key;
        EXPECT_FALSE(ArrowTarget(none, key).has_value()) << key;
    }
}

TEST(SlideSteps, FiveEqualStepsThenTheRemainder) {
    const struct {
        int32_t Distance;
        std::vector<int32_t> Steps;
    } cases[] = {
        {120, {24, 24, 24, 24, 24}}, {72, {14, 14, 14, 14, 14, 2}}, {51, {10, 10, 10, 10, 10, 1}},
        {32, {6, 6, 6, 6, 6, 2}},    {90, {18, 18, 18, 18, 18}},    {180, {36, 36, 36, 36, 36}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SlideSteps(c.Distance), c.Steps) << c.Distance;
    }
}

TEST(SlideSteps, ShortDistanceStillMovesAPixelAStep) {
    EXPECT_EQ(SlideSteps(3), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(SlideSteps(0), std::vector<int32_t>{});
}

TEST(ApplyMove, TileTakesTheHoleAndLeavesTheHoleBehind) {
    TBoard board = WithHoleAt({3, 3}, 4);
    ApplyMove(board, PlanMove(board, 300, 180));
    EXPECT_EQ(board.BoardCells, (decltype(board.BoardCells){0, 1, 2, 3, 5, 8, 6, 7, 4}));
    EXPECT_FALSE(board.Solved);
}

TEST(ApplyMove, SolvedNeedsEveryTileHomeNotJustTheHole) {
    TBoard board;
    LayOutBoard(board, {3, 3});
    EXPECT_TRUE(IsSolved(board));
    board.BoardCells = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(IsSolved(board));
    EXPECT_FALSE(IsSolved(TBoard{}));
}

TEST(Pointer, HandPointsWhereTheTileWouldMove) {
    const TBoard board = WithHoleAt({3, 3}, 4);
    const struct {
        int32_t X, Y;
        TPointer Pointer;
    } cases[] = {
        {300, 180, crPointLeft}, {60, 180, crPointRight}, {180, 300, crPointUp},
        {180, 60, crPointDown},  {60, 60, crDefault},     {180, 180, crDefault},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PointerFor(board, c.X, c.Y), c.Pointer) << c.X << ", " << c.Y;
    }
}

TEST(Pointer, DefaultArrowInMarginWhenSolvedAndWithoutGame) {
    EXPECT_EQ(PointerFor(WithHoleAt({7, 7}, 1), 0, 25), crDefault);
    TBoard solved;
    LayOutBoard(solved, {3, 3});
    solved.Solved = true;
    EXPECT_EQ(PointerFor(solved, 180, 300), crDefault);
    EXPECT_EQ(PointerFor(TBoard{}, 0, 0), crDefault);
}

}  // namespace
