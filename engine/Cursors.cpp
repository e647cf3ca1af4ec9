// Cursors.cpp: the screen's table of the program's cursors.
#include "engine/Cursors.h"

#include <QImage>
#include <QPixmap>
#include <map>

namespace {

std::map<int32_t, QCursor>& CursorTable() {
    static std::map<int32_t, QCursor> table;
    return table;
}

// Black outline, white fill, magenta where the cursor is transparent; the hot spot is the
// fingertip. An ARGB image rather than a bitmap and mask: Wayland shows no two-colour cursors,
// and under X11 the pixels are the same.
QCursor LoadHand(const char* resource, int hotX, int hotY) {
    const QImage drawn =
        QImage(QString::fromLatin1(resource)).convertToFormat(QImage::Format_RGB32);
    QImage hand(drawn.size(), QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            hand.setPixel(x, y,
                          pixel == qRgb(255, 0, 255) ? qRgba(0, 0, 0, 0)
                          : pixel == qRgb(0, 0, 0)   ? pixel
                                                     : qRgb(255, 255, 255));
        }
    }
    return QCursor(QPixmap::fromImage(hand), hotX, hotY);
}

}  // namespace

void RegisterPointingHands() {
    CursorTable()[1] = LoadHand(":/cursor_up.bmp", 16, 9);
    CursorTable()[2] = LoadHand(":/cursor_down.bmp", 13, 24);
    CursorTable()[3] = LoadHand(":/cursor_left.bmp", 7, 15);
    CursorTable()[4] = LoadHand(":/cursor_right.bmp", 22, 15);
}

QCursor CursorFor(int32_t number) {
    const auto found = CursorTable().find(number);
    return found == CursorTable().end() ? QCursor(Qt::ArrowCursor) : found->second;
}
