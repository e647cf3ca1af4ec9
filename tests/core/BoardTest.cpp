// BoardTest.cpp: grid sizes, tile geometry, the generator and the shuffle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "engine/Board.h"
#include "engine/Generator.h"
#include "engine/Shuffle.h"

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

TEST(Generator, BelowIsTheRawValueModN) {
    TRandom a;
    TRandom b;
    a.Seed(1234567);
    b.Seed(1234567);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a.Below(49), static_cast<int32_t>(b.NextRaw() % 49));
    }
    EXPECT_EQ(a.Below(0), 0);
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

TEST(Shuffle, BasicSeedZeroSwapsAsTheGeneratorSays) {
    // The swaps run p = 0 ... 8 in order, each with the next draw mod 9.
    TBoard board;
    LayOutBoard(board, {3, 3});
    ShuffleCells(board, 0);
    TRandom random;
    random.Seed(0);
    std::array<int32_t, 9> expected{0, 1, 2, 3, 4, 5, 6, 7, 8};
    for (int p = 0; p < 9; ++p) {
        std::swap(expected[p], expected[random.NextRaw() % 9]);
    }
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), board.BoardCells.begin()));
}

TEST(Shuffle, MendMakesEveryBoardSolvableAndKeepsTheHole) {
    const unsigned seed = std::random_device{}();
    std::printf("Random seed = %u\n", seed);
    std::mt19937 seeds(seed);
    for (int32_t cols = 2; cols <= 11; ++cols) {
        for (int32_t rows = 2; rows <= 11; ++rows) {
            for (int round = 0; round < 40; ++round) {
                const uint32_t time = seeds();
                TBoard raw;
                LayOutBoard(raw, {cols, rows});
                ShuffleCells(raw, time);
                TBoard mended = raw;
                MendParity(mended);
                SCOPED_TRACE(testing::Message() << cols << "x" << rows << " time " << time);
                const int32_t n = cols * rows;
                std::vector<int32_t> sorted(mended.BoardCells.begin(),
                                            mended.BoardCells.begin() + n);
                std::sort(sorted.begin(), sorted.end());
                for (int32_t t = 0; t < n; ++t) {
                    ASSERT_EQ(sorted[t], t);
                }
                ASSERT_TRUE(IsSolvable(mended));
                int changed = 0;
                for (int32_t p = 0; p < n; ++p) {
                    if (raw.BoardCells[p] == raw.Hole()) {
                        ASSERT_EQ(mended.BoardCells[p], mended.Hole());
                    }
                    changed += raw.BoardCells[p] != mended.BoardCells[p];
                }
                ASSERT_LE(changed, 2);
            }
        }
    }
}

TEST(Shuffle, SolvabilityFollowsTheSlidingParity) {
    TBoard board;
    LayOutBoard(board, {3, 3});
    EXPECT_TRUE(IsSolvable(board));
    std::swap(board.BoardCells[0], board.BoardCells[1]);  // two tiles swapped: the classic 14-15
    EXPECT_FALSE(IsSolvable(board));
    LayOutBoard(board, {3, 3});
    std::swap(board.BoardCells[8], board.BoardCells[7]);  // the hole slid one step left
    EXPECT_TRUE(IsSolvable(board));
}

TEST(Shuffle, MendSwapsTheTwoLowestPositionsWithoutTheHole) {
    TBoard board;
    LayOutBoard(board, {2, 2});
    board.BoardCells = {};
    const std::array<int32_t, 4> holeFirst{3, 0, 1, 2};  // hole at 0: a 4-cycle, distance 2
    std::copy(holeFirst.begin(), holeFirst.end(), board.BoardCells.begin());
    ASSERT_FALSE(IsSolvable(board));
    MendParity(board);
    EXPECT_EQ(board.BoardCells[0], 3);
    EXPECT_EQ(board.BoardCells[1], 1);
    EXPECT_EQ(board.BoardCells[2], 0);
    EXPECT_EQ(board.BoardCells[3], 2);
    EXPECT_TRUE(IsSolvable(board));
}

}  // namespace
