// MoveRules.cpp: which tile a click or an arrow key moves, its slide steps, the solved test.
#include "engine/core/MoveRules.h"

#include <algorithm>

TMovePlan PlanMove(const TBoard& board, int32_t x, int32_t y) {
    TMovePlan plan;
    // Before the first layout every field is zero, and the divisions below would fail.
    if (!board.HasGame() || board.Solved) {
        return plan;
    }
    if (x < board.BoardLeft || y < board.BoardTop ||
        x >= board.BoardLeft + board.ColCount * board.TileWidth ||
        y >= board.BoardTop + board.RowCount * board.TileHeight) {
        return plan;
    }

    const int32_t col = (x - board.BoardLeft) / board.TileWidth;
    const int32_t row = (y - board.BoardTop) / board.TileHeight;
    const int32_t p = row * board.ColCount + col;
    const int32_t h = board.Hole();
    const TRect cell{col * board.TileWidth + board.BoardLeft,
                     row * board.TileHeight + board.BoardTop, board.TileWidth, board.TileHeight};
    plan.From = p;
    plan.Cell = cell;

    // The order of the tests decides when several could hold; the column and row guards keep
    // a neighbour in the array from counting when it lies on another row.
    if (col > 0 && board.BoardCells[p - 1] == h) {
        plan.Direction = crPointLeft;
        plan.To = p - 1;
        plan.Slide = {cell.Left - cell.Width, cell.Top, 2 * cell.Width, cell.Height};
        plan.Distance = board.TileWidth;
    } else if (col < board.ColCount - 1 && board.BoardCells[p + 1] == h) {
        plan.Direction = crPointRight;
        plan.To = p + 1;
        plan.Slide = {cell.Left, cell.Top, 2 * cell.Width, cell.Height};
        plan.Distance = board.TileWidth;
    } else if (row > 0 && board.BoardCells[p - board.ColCount] == h) {
        plan.Direction = crPointUp;
        plan.To = p - board.ColCount;
        plan.Slide = {cell.Left, cell.Top - cell.Height, cell.Width, 2 * cell.Height};
        plan.Distance = board.TileHeight;
    } else if (row < board.RowCount - 1 && board.BoardCells[p + board.ColCount] == h) {
        plan.Direction = crPointDown;
        plan.To = p + board.ColCount;
        plan.Slide = {cell.Left, cell.Top, cell.Width, 2 * cell.Height};
        plan.Distance = board.TileHeight;
    } else {
        plan.Outcome = TMoveOutcome::Refused;
        return plan;
    }
    plan.Outcome = TMoveOutcome::Slide;
    return plan;
}

std::vector<int32_t> SlideSteps(int32_t distance) {
    std::vector<int32_t> steps;
    // Tiles narrower than five pixels still move, a pixel at a time.
    int32_t step = std::max(distance / 5, 1);
    for (int32_t remaining = distance; remaining > 0; remaining -= step) {
        step = std::min(step, remaining);
        steps.push_back(step);
    }
    return steps;
}

void ApplyMove(TBoard& board, const TMovePlan& plan) {
    if (plan.Outcome != TMoveOutcome::Slide) {
        return;
    }
    board.BoardCells[plan.To] = board.BoardCells[plan.From];
    board.BoardCells[plan.From] = board.Hole();
    // Only ever set here; a new game is what clears it.
    if (IsSolved(board)) {
        board.Solved = true;
    }
}

bool IsSolved(const TBoard& board) {
    const int32_t n = board.CellCount();
    int32_t k = 0;
    while (k < n && board.BoardCells[k] == k) {
        ++k;
    }
    return board.HasGame() && k == n;
}

TPointer PointerFor(const TBoard& board, int32_t x, int32_t y) {
    // The same tests as a click, so the hand never promises a move the click would refuse.
    return PlanMove(board, x, y).Direction;
}

std::optional<TPoint> ArrowTarget(const TBoard& board, TArrowKey key) {
    if (!board.HasGame() || board.Solved) {
        return std::nullopt;
    }
    const int32_t n = board.CellCount();
    const int32_t k = static_cast<int32_t>(
        std::find(board.BoardCells.begin(), board.BoardCells.begin() + n, board.Hole()) -
        board.BoardCells.begin());
    int32_t col = k % board.ColCount;
    int32_t row = k / board.ColCount;
    switch (key) {
        case ArrowUp:
            ++row;
            break;
        case ArrowDown:
            --row;
            break;
        case ArrowLeft:
            ++col;
            break;
        case ArrowRight:
            --col;
            break;
    }
    return TPoint{col * board.TileWidth + board.BoardLeft, row * board.TileHeight + board.BoardTop};
}
