// TImage.cpp: the stretched image control.
#include "app/TImage.h"

#include <QPainter>

void TImage::SetPicture(const QImage& picture) {
    Bitmap = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), Bitmap);
}
