// TPaintBox.cpp: the board's paint box with its retained image.
#include "engine/TPaintBox.h"

#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    if (Image.size() != size()) {
        Image = QImage(size(), QImage::Format_RGB32);
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
    painter.drawImage(event->rect(), Image, event->rect());
}
