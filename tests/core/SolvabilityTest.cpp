// SolvabilityTest.cpp: the solvability rule, the mend and new games, each judged by a rule of
// its own: a search of every arrangement the slides reach on the small boards, and the count of
// inversions on boards of every size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/InversionRule.h"
#include "engine/core/Shuffle.h"

namespace {

// Four bits a cell, enough for the searched boards of up to 9 cells.
uint64_t Key(const TBoard& board) {
    uint64_t key = 0;
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        key |= uint64_t(board.BoardCells[p]) << (4 * p);
    }
    return key;
}

void Unpack(TBoard& board, uint64_t key) {
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        board.BoardCells[p] = int32_t((key >> (4 * p)) & 0xF);
    }
}

int32_t HoleAt(const TBoard& board) {
    const auto cells = board.BoardCells.begin();
    return int32_t(std::find(cells, cells + board.CellCount(), board.Hole()) - cells);
}

std::vector<int32_t> Neighbours(const TBoard& board, int32_t p) {
    const int32_t col = p % board.ColCount;
    const int32_t row = p / board.ColCount;
    std::vector<int32_t> around;
    if (col > 0) {
        around.push_back(p - 1);
    }
    if (col < board.ColCount - 1) {
        around.push_back(p + 1);
    }
    if (row > 0) {
        around.push_back(p - board.ColCount);
    }
    if (row < board.RowCount - 1) {
        around.push_back(p + board.ColCount);
    }
    return around;
}

// Every arrangement that slides lead to from the solved board, and so every one that slides
// can bring home: a slide is undone by the opposite slide.
std::unordered_set<uint64_t> Reachable(TGridSize size) {
    TBoard board;
    LayOutBoard(board, size);
    std::vector<uint64_t> queue{Key(board)};
    std::unordered_set<uint64_t> seen(queue.begin(), queue.end());
    for (size_t next = 0; next < queue.size(); ++next) {
        Unpack(board, queue[next]);
        const int32_t hole = HoleAt(board);
        for (int32_t p : Neighbours(board, hole)) {
            std::swap(board.BoardCells[hole], board.BoardCells[p]);
            if (seen.insert(Key(board)).second) {
                queue.push_back(Key(board));
            }
            std::swap(board.BoardCells[hole], board.BoardCells[p]);
        }
    }
    return seen;
}

std::string Describe(const TBoard& board) {
    std::ostringstream text;
    text << board.ColCount << "x" << board.RowCount << " {";
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        text << (p ? ", " : "") << board.BoardCells[p];
    }
    text << "}";
    return text.str();
}

int32_t CellsChanged(const TBoard& before, const TBoard& after) {
    int32_t changed = 0;
    for (int32_t p = 0; p < before.CellCount(); ++p) {
        changed += before.BoardCells[p] != after.BoardCells[p];
    }
    return changed;
}

bool IsArrangement(const TBoard& board) {
    std::vector<int32_t> tiles(board.BoardCells.begin(),
                               board.BoardCells.begin() + board.CellCount());
    std::sort(tiles.begin(), tiles.end());
    for (int32_t t = 0; t < board.CellCount(); ++t) {
        if (tiles[t] != t) {
            return false;
        }
    }
    return true;
}

struct TSmallBoard {
    TGridSize Size;
    size_t Reachable;  // half of n!: a slide is one swap and moves the hole one step
};

void PrintTo(const TSmallBoard& small, std::ostream* out) {
    *out << small.Size.Cols << "x" << small.Size.Rows;
}

class EverySmallArrangement : public testing::TestWithParam<TSmallBoard> {};

TEST_P(EverySmallArrangement, IsJudgedAsTheSearchFindsAndMendedIntoReach) {
    const TSmallBoard small = GetParam();
    const std::unordered_set<uint64_t> reachable = Reachable(small.Size);
    ASSERT_EQ(reachable.size(), small.Reachable);

    TBoard board;
    LayOutBoard(board, small.Size);
    int32_t wrongRule = 0;
    int32_t wrongOracle = 0;
    int32_t wrongMend = 0;
    do {
        const bool solvable = reachable.count(Key(board)) == 1;
        if (IsSolvable(board) != solvable && wrongRule++ == 0) {
            ADD_FAILURE() << Describe(board) << (solvable ? " can" : " cannot")
                          << " be solved, the rule says otherwise";
        }
        if (SolvableByInversions(board) != solvable && wrongOracle++ == 0) {
            ADD_FAILURE() << "the inversion count misjudges " << Describe(board);
        }
        TBoard mended = board;
        MendParity(mended);
        if ((reachable.count(Key(mended)) == 0 || HoleAt(mended) != HoleAt(board) ||
             CellsChanged(board, mended) != (solvable ? 0 : 2)) &&
            wrongMend++ == 0) {
            ADD_FAILURE() << "the mend makes " << Describe(board) << " into " << Describe(mended);
        }
    } while (std::next_permutation(board.BoardCells.begin(),
                                   board.BoardCells.begin() + board.CellCount()));
    EXPECT_EQ(wrongRule, 0);
    EXPECT_EQ(wrongOracle, 0);
    EXPECT_EQ(wrongMend, 0);
}

INSTANTIATE_TEST_SUITE_P(Boards, EverySmallArrangement,
                         testing::Values(TSmallBoard{{2, 2}, 12}, TSmallBoard{{2, 3}, 360},
                                         TSmallBoard{{3, 2}, 360}, TSmallBoard{{3, 3}, 181440},
                                         TSmallBoard{{2, 4}, 20160}, TSmallBoard{{4, 2}, 20160}),
                         [](const testing::TestParamInfo<TSmallBoard>& info) {
                             return std::to_string(info.param.Size.Cols) + "x" +
                                    std::to_string(info.param.Size.Rows);
                         });

TEST(NewGame, EverySizeCanBeSolvedWithTheHoleWhereTheShuffleLeftIt) {
    const unsigned seed = std::random_device{}();
    std::printf("Random seed = %u\n", seed);
    std::mt19937 times(seed);
    for (int32_t cols = MinGridSize; cols <= MaxGridSize; ++cols) {
        for (int32_t rows = MinGridSize; rows <= MaxGridSize; ++rows) {
            for (int round = 0; round < 100; ++round) {
                const uint32_t time = times();
                SCOPED_TRACE(testing::Message() << cols << "x" << rows << " time " << time
                                                << " (random seed " << seed << ")");
                TBoard game;
                game.Solved = true;
                NewBoard(game, {cols, rows}, time);
                TBoard shuffled;
                LayOutBoard(shuffled, {cols, rows});
                ShuffleCells(shuffled, time);
                ASSERT_FALSE(game.Solved);
                ASSERT_TRUE(IsArrangement(game)) << Describe(game);
                ASSERT_TRUE(SolvableByInversions(game)) << Describe(game);
                ASSERT_EQ(HoleAt(game), HoleAt(shuffled)) << Describe(game);
                ASSERT_LE(CellsChanged(shuffled, game), 2) << Describe(game);
            }
        }
    }
}

}  // namespace
