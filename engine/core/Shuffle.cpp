// Shuffle.cpp: shuffling the tiles of a new game.
#include "engine/core/Shuffle.h"

#include <array>
#include <utility>

#include "engine/core/Generator.h"

void ShuffleCells(TBoard& board, uint32_t seed) {
    const int32_t n = board.CellCount();
    for (int32_t p = 0; p < n; ++p) {
        board.BoardCells[p] = p;
    }
    TRandom random;
    random.Seed(seed);
    for (int32_t p = 0; p < n; ++p) {
        std::swap(board.BoardCells[p], board.BoardCells[random.Below(n)]);
    }
}

namespace {

bool PermutationIsOdd(const TBoard& board) {
    const int32_t n = board.CellCount();
    std::array<bool, MaxCells> seen{};
    int32_t transpositions = 0;
    for (int32_t start = 0; start < n; ++start) {
        int32_t length = 0;
        for (int32_t p = start; !seen[p]; p = board.BoardCells[p]) {
            seen[p] = true;
            ++length;
        }
        if (length > 0) {
            transpositions += length - 1;
        }
    }
    return transpositions % 2 != 0;
}

int32_t HolePosition(const TBoard& board) {
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        if (board.BoardCells[p] == board.Hole()) {
            return p;
        }
    }
    return -1;
}

}  // namespace

bool IsSolvable(const TBoard& board) {
    const int32_t hole = HolePosition(board);
    const int32_t distance =
        (board.ColCount - 1 - hole % board.ColCount) + (board.RowCount - 1 - hole / board.ColCount);
    return PermutationIsOdd(board) == (distance % 2 != 0);
}

void MendParity(TBoard& board) {
    if (IsSolvable(board)) {
        return;
    }
    const int32_t hole = HolePosition(board);
    const int32_t first = hole == 0 ? 1 : 0;
    const int32_t second = (hole == first + 1) ? first + 2 : first + 1;
    std::swap(board.BoardCells[first], board.BoardCells[second]);
}

void ShuffleBoard(TBoard& board, uint32_t seed) {
    ShuffleCells(board, seed);
    MendParity(board);
}

void NewBoard(TBoard& board, TGridSize size, uint32_t seed) {
    LayOutBoard(board, size);
    ShuffleBoard(board, seed);
    board.Solved = false;
}
