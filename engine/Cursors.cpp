// Cursors.cpp: the program's cursors by number, as the screen keeps them.
#include "engine/Cursors.h"

#include <QPixmap>
#include <map>

#include "forms/FormLook.h"

namespace {

QCursor Hand(const QString& resource, int hotX, int hotY) {
    return QCursor(QPixmap::fromImage(ResourceImage(resource)), hotX, hotY);
}

}  // namespace

QCursor CursorFor(int32_t number) {
    // Each hand's file holds only a black outline, a white fill and see-through pixels; the hot
    // spot is the fingertip. Colour pixmaps rather than a bitmap and mask: Wayland shows no
    // two-colour cursors, and under X11 the pixels are the same. They are read when the pointer
    // first needs one, not while the window opens.
    static const std::map<int32_t, QCursor> hands{
        {1, Hand(QStringLiteral(":/cursor_up.png"), 16, 9)},
        {2, Hand(QStringLiteral(":/cursor_down.png"), 13, 24)},
        {3, Hand(QStringLiteral(":/cursor_left.png"), 7, 15)},
        {4, Hand(QStringLiteral(":/cursor_right.png"), 22, 15)},
    };
    const auto found = hands.find(number);
    return found == hands.end() ? QCursor(Qt::ArrowCursor) : found->second;
}
