// TPaintBox.cpp: the board's paint box with its retained image.
#include "engine/TPaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The retained image has the screen's pixels; positions on the board are logical ones.
QRect DevicePixels(const QRect& logical, qreal ratio) {
    return QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio)
        .toAlignedRect();
}

}  // namespace

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The pointer shows where a tile would go, so motion matters without a button held.
    setMouseTracking(true);
}

void TPaintBox::Invalidate() {
    Invalid = true;
    update();
}

void TPaintBox::Flush(const QRect& rect) {
    // Inside a paint the whole event rectangle is copied at its end anyway.
    if (!Painting) {
        repaint(rect);
    }
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    // On a high-density screen the board is drawn at the screen's own resolution.
    const qreal ratio = devicePixelRatioF();
    if (Image.isNull() || Image.devicePixelRatio() != ratio ||
        Image.size() != DevicePixels(rect(), ratio).size()) {
        Image = QImage(DevicePixels(rect(), ratio).size(), QImage::Format_RGB32);
        Image.setDevicePixelRatio(ratio);
        Invalid = true;
    }
    if (Invalid) {
        Invalid = false;
        // The window's background shows wherever the board leaves the paint box undrawn.
        Image.fill(parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                  : palette().color(QPalette::Window));
        Painting = true;
        emit Paint();
        Painting = false;
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), Image, DevicePixels(event->rect(), ratio));
}

void TPaintBox::Scroll(const QRect& rect, int dx, int dy) {
    const QRect area = rect & this->rect();
    const qreal ratio = Image.devicePixelRatio();
    const QRect pixels = DevicePixels(area, ratio) & Image.rect();
    const QPoint shift(qRound(dx * ratio), qRound(dy * ratio));
    const QRect source = pixels.translated(-shift) & pixels;
    // Copied out first, as a painter may not read the image it is drawing into.
    QImage moving = Image.copy(source);
    moving.setDevicePixelRatio(ratio);
    QPainter(&Image).drawImage(QPointF(source.topLeft() + shift) / ratio, moving);
    Flush(area);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button(), event->modifiers(), event->position().toPoint().x(),
                   event->position().toPoint().y());
}

// The second press of a double click is a press like any other.
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->modifiers(), event->position().toPoint().x(),
                   event->position().toPoint().y());
}
