// Shuffle.h: the shuffle of a new game and the mend that keeps it solvable.
#pragma once

#include <cstdint>

#include "engine/core/Board.h"

// Swaps every position with a random one, the hole included, from the tiles at home.
void ShuffleCells(TBoard& board, uint32_t seed);

// Whether sliding can bring the arrangement home: the parity of the permutation (the hole
// counted as a tile) equals the parity of the hole's distance from the bottom-right cell.
bool IsSolvable(const TBoard& board);

// Makes an unsolvable arrangement solvable by swapping the tiles at the two lowest positions
// that do not hold the hole; the hole stays where the shuffle left it.
void MendParity(TBoard& board);

// The whole shuffle of a new game: ShuffleCells, then MendParity.
void ShuffleBoard(TBoard& board, uint32_t seed);

// Lays out the board at the given size and shuffles it for a new game; the game is not solved.
void NewBoard(TBoard& board, TGridSize size, uint32_t seed);
