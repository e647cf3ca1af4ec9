// MainFormMoves.cpp: the main window's tile moves from the mouse and the arrow keys, with the
// slide.
#include <chrono>
#include <thread>

#include "app/TMainForm.h"
#include "engine/Cursors.h"

namespace {

constexpr uint32_t SlideStepMs = 20;

// Holds the user-interface thread without handling events; input that arrives meanwhile waits
// in the queue. It sleeps rather than spins, and compares unsigned differences so a wrap of the
// counter cannot stretch the wait.
void WaitSince(ITickCounter& ticks, uint32_t t0, uint32_t ms) {
    for (uint32_t now = ticks.Now(); now - t0 < ms; now = ticks.Now()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms - (now - t0)));
    }
}

QPoint StepOffset(TPointer direction, int32_t step) {
    switch (direction) {
        case crPointLeft:
            return {-step, 0};
        case crPointRight:
            return {step, 0};
        case crPointUp:
            return {0, -step};
        case crPointDown:
            return {0, step};
        default:
            return {0, 0};
    }
}

}  // namespace

void TMainForm::MainPaintMouseDown(QObject*, Qt::MouseButton button, Qt::KeyboardModifiers,
                                   int32_t x, int32_t y) {
    if (button == Qt::LeftButton) {
        MoveTile(x, y);
    }
}

void TMainForm::MainPaintMouseMove(QObject*, Qt::KeyboardModifiers, int32_t x, int32_t y) {
    MainPaint->setCursor(CursorFor(PointerFor(Board, x, y)));
}

void TMainForm::MoveTile(int32_t x, int32_t y) {
    const TMovePlan plan = PlanMove(Board, x, y);
    if (plan.Outcome == TMoveOutcome::Ignored) {
        return;
    }
    if (plan.Outcome == TMoveOutcome::Refused) {
        PlayErrorSound();
        return;
    }
    // The pixels already on screen move; the tile is not redrawn on the way.
    const QRect slide(plan.Slide.Left, plan.Slide.Top, plan.Slide.Width, plan.Slide.Height);
    for (int32_t step : SlideSteps(plan.Distance)) {
        const uint32_t t0 = Ticks.Now();
        const QPoint offset = StepOffset(plan.Direction, step);
        MainPaint->Scroll(slide, offset.x(), offset.y());
        WaitSince(Ticks, t0, SlideStepMs);
    }
    PlayMoveSound();
    ApplyMove(Board, plan);
    DrawTile(plan.Cell.Left, plan.Cell.Top, Board.Hole());
}

void TMainForm::MoveTowardsHole(TArrowKey key) {
    if (const auto target = ArrowTarget(Board, key)) {
        MoveTile(target->X, target->Y);
    }
}

void TMainForm::CmUpClick(QObject*) {
    MoveTowardsHole(ArrowUp);
}

void TMainForm::CmDownClick(QObject*) {
    MoveTowardsHole(ArrowDown);
}

void TMainForm::CmLeftClick(QObject*) {
    MoveTowardsHole(ArrowLeft);
}

void TMainForm::CmRightClick(QObject*) {
    MoveTowardsHole(ArrowRight);
}
