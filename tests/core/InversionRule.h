// InversionRule.h: whether slides can bring an arrangement home, worked out apart from the
// game's own rule, for the tests to judge it and the new games by.
#pragma once

#include "engine/core/Board.h"

// The rule by inversions among the tiles read row by row, the hole left out: a slide along a
// row keeps that order, a slide along a column carries one tile past ColCount - 1 others and
// takes the hole one row up or down. So with an odd number of columns the parity of the
// inversions never changes, and with an even number it changes together with the hole's row.
inline bool SolvableByInversions(const TBoard& board) {
    const int32_t n = board.CellCount();
    int32_t inversions = 0;
    int32_t holeRow = 0;
    for (int32_t p = 0; p < n; ++p) {
        if (board.BoardCells[p] == board.Hole()) {
            holeRow = p / board.ColCount;
            continue;
        }
        for (int32_t q = p + 1; q < n; ++q) {
            inversions +=
                board.BoardCells[q] != board.Hole() && board.BoardCells[q] < board.BoardCells[p];
        }
    }
    const int32_t rowsBelowHole = board.RowCount - 1 - holeRow;
    return board.ColCount % 2 == 1 ? inversions % 2 == 0 : (inversions + rowsBelowHole) % 2 == 0;
}
