// Board.cpp: grid sizes and tile geometry of the board.
#include "engine/core/Board.h"

#include <algorithm>

int32_t ClampGridSize(int32_t stored) {
    return std::clamp(stored, MinGridSize, MaxGridSize);
}

TGridSize GridSizeForLevel(int32_t level, int32_t userDefineH, int32_t userDefineV) {
    switch (level) {
        case LevelBasic:
            return {3, 3};
        case LevelMiddle:
            return {5, 5};
        case LevelAdvance:
            return {7, 7};
        default:
            return {ClampGridSize(userDefineH), ClampGridSize(userDefineV)};
    }
}

void LayOutBoard(TBoard& board, TGridSize size) {
    board.ColCount = ClampGridSize(size.Cols);
    board.RowCount = ClampGridSize(size.Rows);
    board.TileWidth = PaintWidth / board.ColCount;
    board.TileHeight = PaintHeight / board.RowCount;
    board.BoardWidth = board.TileWidth * board.ColCount;
    board.BoardHeight = board.TileHeight * board.RowCount;
    board.BoardLeft = (PaintWidth - board.BoardWidth) / 2;
    board.BoardTop = (PaintHeight - board.BoardHeight) / 2;
    for (int32_t p = 0; p < board.CellCount(); ++p) {
        board.BoardCells[p] = p;
    }
}

TPoint CellOrigin(const TBoard& board, int32_t p) {
    return {(p % board.ColCount) * board.TileWidth + board.BoardLeft,
            (p / board.ColCount) * board.TileHeight + board.BoardTop};
}
