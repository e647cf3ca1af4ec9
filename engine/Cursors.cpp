// Cursors.cpp: the screen's table of the program's cursors.
#include "engine/Cursors.h"

#include <QPixmap>
#include <map>

#include "forms/FormLook.h"

namespace {

std::map<int32_t, QCursor>& CursorTable() {
    static std::map<int32_t, QCursor> table;
    return table;
}

}  // namespace

// Each hand's file holds only a black outline, a white fill and see-through pixels; the hot spot
// is the fingertip. Colour pixmaps rather than a bitmap and mask: Wayland shows no two-colour
// cursors, and under X11 the pixels are the same.
void RegisterPointingHands() {
    CursorTable()[1] =
        QCursor(QPixmap::fromImage(ResourceImage(QStringLiteral(":/cursor_up.png"))), 16, 9);
    CursorTable()[2] =
        QCursor(QPixmap::fromImage(ResourceImage(QStringLiteral(":/cursor_down.png"))), 13, 24);
    CursorTable()[3] =
        QCursor(QPixmap::fromImage(ResourceImage(QStringLiteral(":/cursor_left.png"))), 7, 15);
    CursorTable()[4] =
        QCursor(QPixmap::fromImage(ResourceImage(QStringLiteral(":/cursor_right.png"))), 22, 15);
}

QCursor CursorFor(int32_t number) {
    const auto found = CursorTable().find(number);
    return found == CursorTable().end() ? QCursor(Qt::ArrowCursor) : found->second;
}
