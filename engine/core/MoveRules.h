// MoveRules.h: which tile a click or an arrow key moves, its slide steps, the solved test.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/core/Board.h"

// The numbers under which the pointing-hand cursors are registered; a tile's direction of
// movement is named by the hand that points that way.
enum TPointer : int32_t {
    crDefault = 0,
    crPointUp = 1,
    crPointDown = 2,
    crPointLeft = 3,
    crPointRight = 4
};

// Ignored: no sound and no change (outside the grid, no game, or the game is solved).
// Refused: inside the grid but no tile can move; only the error sound.
enum class TMoveOutcome { Ignored, Refused, Slide };

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    bool operator==(const TRect&) const = default;
};

// Decided before anything moves, so the caller can animate, sound and apply in its own order.
struct TMovePlan {
    TMoveOutcome Outcome = TMoveOutcome::Ignored;
    // The way the tile moves; crDefault unless the outcome is Slide.
    TPointer Direction = crDefault;
    // The grid position of the tile, and the hole's position it moves to.
    int32_t From = 0;
    int32_t To = 0;
    // The tile's cell, and the cell together with the hole's: the area that scrolls.
    TRect Cell;
    TRect Slide;
    // Pixels the tile travels.
    int32_t Distance = 0;
};

// What a click at (x, y) in paint box coordinates would do.
TMovePlan PlanMove(const TBoard& board, int32_t x, int32_t y);

// The scroll amounts of a slide: five equal steps, then what the division left over.
std::vector<int32_t> SlideSteps(int32_t distance);

// Moves the tile of a Slide plan into the hole and sets Solved when the picture is whole.
// Any other plan changes nothing.
void ApplyMove(TBoard& board, const TMovePlan& plan);

// Every tile at home, the hole at the bottom-right; a board without a game is not solved.
bool IsSolved(const TBoard& board);

// The cursor over (x, y): the direction the tile there would move, or the default arrow.
TPointer PointerFor(const TBoard& board, int32_t x, int32_t y);

// Each key moves the tile on the far side of the hole towards it.
enum TArrowKey { ArrowUp, ArrowDown, ArrowLeft, ArrowRight };

// The top-left corner of the cell whose tile the key would move, to be planned like a click.
// The corner may lie outside the grid, where the plan ignores it: keys never wrap to another
// row or column. None while there is no game or it is solved.
std::optional<TPoint> ArrowTarget(const TBoard& board, TArrowKey key);
