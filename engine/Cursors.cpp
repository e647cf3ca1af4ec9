// Cursors.cpp: the screen's table of the program's cursors.
#include "engine/Cursors.h"

#include <QBitmap>
#include <QImage>
#include <map>

namespace {

std::map<int32_t, QCursor>& CursorTable() {
    static std::map<int32_t, QCursor> table;
    return table;
}

// Black outline, white fill, magenta where the cursor is transparent; the hot spot is the
// fingertip.
QCursor LoadHand(const char* resource, int hotX, int hotY) {
    const QImage image =
        QImage(QString::fromLatin1(resource)).convertToFormat(QImage::Format_RGB32);
    QImage shape(image.size(), QImage::Format_MonoLSB);
    QImage mask(image.size(), QImage::Format_MonoLSB);
    shape.setColorCount(2);
    mask.setColorCount(2);
    for (QImage* mono : {&shape, &mask}) {
        mono->setColor(0, qRgb(255, 255, 255));
        mono->setColor(1, qRgb(0, 0, 0));
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            shape.setPixel(x, y, pixel == qRgb(0, 0, 0) ? 1 : 0);
            mask.setPixel(x, y, pixel == qRgb(255, 0, 255) ? 0 : 1);
        }
    }
    return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(mask), hotX, hotY);
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
