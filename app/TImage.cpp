// TImage.cpp: the stretched image control.
#include "app/TImage.h"

#include <QPainter>

#include "forms/FormLook.h"

const QImage& TImage::Picture() const {
    if (Bitmap.isNull() && !BuiltIn.isEmpty()) {
        Bitmap = ResourceImage(BuiltIn);
    }
    return Bitmap;
}

void TImage::SetPicture(const QImage& picture) {
    Bitmap = picture;
    BuiltIn.clear();
    update();
}

void TImage::SetBuiltInPicture(const QString& resource) {
    Bitmap = QImage();
    BuiltIn = resource;
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), Picture());
}
