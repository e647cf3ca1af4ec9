// BoardTest.cpp: grid sizes, tile geometry, the generator and the shuffle.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/core/Board.h"
#include "engine/core/Generator.h"
#include "engine/core/Shuffle.h"

namespace {

struct TGeometryCase {
    int32_t Level, UserH, UserV;
    int32_t Cols, Rows, TileWidth, TileHeight, BoardWidth, BoardHeight, Left, Top;
};

TEST(BoardGeometry, LevelsGiveTheDocumentedTiles) {
    const TGeometryCase cases[] = {
        {LevelBasic, 4, 4, 3, 3, 120, 120, 360, 360, 0, 0},
        {LevelMiddle, 4, 4, 5, 5, 72, 72, 360, 360, 0, 0},
        {LevelAdvance, 4, 4, 7, 7, 51, 51, 357, 357, 1, 1},
        {LevelUser, 11, 4, 11, 4, 32, 90, 352, 360, 4, 0},
        {LevelUser, 2, 11, 2, 11, 180, 32, 360, 352, 0, 4},
        // Level codes outside 0 ... 3 are the user-defined level, as no fixed item is checked.
        {7, 4, 4, 4, 4, 90, 90, 360, 360, 0, 0},
    };
    for (const auto& c : cases) {
        TBoard board;
        LayOutBoard(board, GridSizeForLevel(c.Level, c.UserH, c.UserV));
        SCOPED_TRACE(testing::Message() << "level " << c.Level << " " << c.UserH << "x" << c.UserV);
        EXPECT_EQ(board.ColCount, c.Cols);
        EXPECT_EQ(board.RowCount, c.Rows);
        EXPECT_EQ(board.TileWidth, c.TileWidth);
        EXPECT_EQ(board.TileHeight, c.TileHeight);
        EXPECT_EQ(board.BoardWidth, c.BoardWidth);
        EXPECT_EQ(board.BoardHeight, c.BoardHeight);
        EXPECT_EQ(board.BoardLeft, c.Left);
        EXPECT_EQ(board.BoardTop, c.Top);
    }
}

TEST(BoardGeometry, StoredUserSizesOutOfRangeTakeTheNearestBound) {
    const struct {
        int32_t Stored, Used;
    } cases[] = {{0, 2}, {1, 2}, {-5, 2}, {12, 11}, {20, 11}, {INT32_MAX, 11}, {INT32_MIN, 2}};
    for (const auto& c : cases) {
        const TGridSize size = GridSizeForLevel(LevelUser, c.Stored, c.Stored);
        EXPECT_EQ(size.Cols, c.Used) << c.Stored;
        EXPECT_EQ(size.Rows, c.Used) << c.Stored;
    }
}

TEST(BoardGeometry, NoGameBeforeTheFirstLayout) {
    TBoard board;
    EXPECT_FALSE(board.HasGame());
    LayOutBoard(board, {3, 3});
    EXPECT_TRUE(board.HasGame());
}

TEST(Generator, DrawsTheKnownSequence) {
    // S := S * 0x0000015A00004E35 + 1; the draw is the high word of S without its top bit.
    const struct {
        uint32_t Seed;
        std::array<uint32_t, 3> Draws;
    } cases[] = {
        {0, {0x0u, 0x15Au, 0xD3689Eu}},
        {1, {0x15Au, 0xD3689Eu, 0x60AC1588u}},
        {0xFFFFFFFFu, {0x4CDAu, 0x1710F10Eu, 0x25C09B40u}},
    };
    for (const auto& c : cases) {
        TRandom random;
        random.Seed(c.Seed);
        for (uint32_t draw : c.Draws) {
            EXPECT_EQ(random.NextRaw(), draw) << "seed " << c.Seed;
        }
    }
}

TEST(Generator, BelowIsTheRawDrawModN) {
    // Seed 1 draws 0x15A, 0xD3689E, 0x60AC1588; seed 0xFFFFFFFF draws 0x4CDA, 0x1710F10E,
    // 0x25C09B40.
    const struct {
        uint32_t Seed;
        int32_t N;
        std::array<int32_t, 3> Numbers;
    } cases[] = {
        {1, 9, {4, 8, 8}},
        {0xFFFFFFFFu, 49, {25, 32, 13}},
        {1, 1, {0, 0, 0}},
        {1, 0, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        TRandom random;
        random.Seed(c.Seed);
        for (int32_t number : c.Numbers) {
            EXPECT_EQ(random.Below(c.N), number) << "seed " << c.Seed << " n " << c.N;
        }
    }
}

TEST(Shuffle, FixedSeedGivesTheSameArrangementAtEveryLevel) {
    for (int32_t level : {LevelBasic, LevelMiddle, LevelAdvance}) {
        TBoard first;
        TBoard second;
        LayOutBoard(first, GridSizeForLevel(level, 4, 4));
        LayOutBoard(second, GridSizeForLevel(level, 4, 4));
        ShuffleBoard(first, 1700000000u);
        ShuffleBoard(second, 1700000000u);
        EXPECT_EQ(first.BoardCells, second.BoardCells) << "level " << level;
    }
}

TEST(Shuffle, SwapsEveryPositionWithTheNextDrawInTurn) {
    // Worked by hand from the draws: p = 0 ... n - 1 in order, each swapped with draw mod n.
    const struct {
        TGridSize Size;
        uint32_t Seed;
        std::vector<int32_t> Cells;
    } cases[] = {
        {{3, 3}, 0, {6, 5, 8, 3, 0, 7, 1, 4, 2}},
        {{4, 3}, 1700000000u, {1, 6, 5, 4, 8, 9, 7, 3, 10, 11, 0, 2}},
    };
    for (const auto& c : cases) {
        TBoard board;
        LayOutBoard(board, c.Size);
        ShuffleCells(board, c.Seed);
        EXPECT_EQ(std::vector<int32_t>(board.BoardCells.begin(),
                                       board.BoardCells.begin() + board.CellCount()),
                  c.Cells)
            << c.Size.Cols << "x" << c.Size.Rows << " seed " << c.Seed;
    }
}

TEST(Shuffle, MendSwapsTheTwoLowestPositionsWithoutTheHole) {
    TBoard board;
    LayOutBoard(board, {2, 2});
    board.BoardCells = {};
    const std::array<int32_t, 4> holeFirst{3, 0, 1, 2};  // hole at 0: a 4-cycle, distance 2
    std::copy(holeFirst.begin(), holeFirst.end(), board.BoardCells.begin());
    MendParity(board);
    EXPECT_EQ(board.BoardCells[0], 3);
    EXPECT_EQ(board.BoardCells[1], 1);
    EXPECT_EQ(board.BoardCells[2], 0);
    EXPECT_EQ(board.BoardCells[3], 2);
}

}  // namespace
