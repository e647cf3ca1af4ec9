// Board.h: the board of the game in progress: grid size, tile geometry and arrangement.
#pragma once

#include <array>
#include <cstdint>

// The board area is the paint box of the main window.
constexpr int32_t PaintWidth = 360;
constexpr int32_t PaintHeight = 360;

constexpr int32_t MinGridSize = 2;
constexpr int32_t MaxGridSize = 11;
constexpr int32_t MaxCells = MaxGridSize * MaxGridSize;

// Level codes as stored in the settings.
enum TLevel : int32_t { LevelBasic = 0, LevelMiddle = 1, LevelAdvance = 2, LevelUser = 3 };

struct TGridSize {
    int32_t Cols;
    int32_t Rows;
};

struct TBoard {
    int32_t ColCount = 0;
    int32_t RowCount = 0;
    int32_t TileWidth = 0;
    int32_t TileHeight = 0;
    int32_t BoardWidth = 0;
    int32_t BoardHeight = 0;
    int32_t BoardLeft = 0;
    int32_t BoardTop = 0;
    // Row-major; a cell holds the number of the tile lying there. Tile CellCount() - 1 is the hole.
    std::array<int32_t, MaxCells> BoardCells{};
    bool Solved = false;

    int32_t CellCount() const { return ColCount * RowCount; }
    int32_t Hole() const { return CellCount() - 1; }
    // All fields stay zero until the first game is laid out; then there is nothing to play or draw.
    bool HasGame() const { return TileWidth > 0 && TileHeight > 0; }
};

// A stored user-defined size may be anything; the board needs 2 ... 11 (nearest bound).
int32_t ClampGridSize(int32_t stored);

// The grid size of a level; any level other than Basic, Middle and Advance is the user-defined one.
TGridSize GridSizeForLevel(int32_t level, int32_t userDefineH, int32_t userDefineV);

// Sets the grid size and the tile geometry, and puts every tile at home.
void LayOutBoard(TBoard& board, TGridSize size);

struct TPoint {
    int32_t X;
    int32_t Y;
};

// Top-left corner, in paint box coordinates, of grid position p.
TPoint CellOrigin(const TBoard& board, int32_t p);
