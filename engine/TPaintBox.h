// TPaintBox.h: the board's paint box, which keeps an image of exactly what it shows.
#pragma once

#include <QImage>
#include <QWidget>

// The board is drawn into a retained image and copied to the screen from there, so a slide can
// scroll the pixels already shown and a cell can be put on screen at once, while the
// user-interface thread is held.
class TPaintBox : public QWidget {
    Q_OBJECT

  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // What is on screen; drawing into it shows only after Flush or the next paint.
    QImage& Canvas() { return Image; }

    // The next paint clears the image to the background and asks for the whole board (Paint).
    void Invalidate();

    // Copies a rectangle of the image to the screen before returning.
    void Flush(const QRect& rect);

    // Moves the pixels inside rect by (dx, dy), clipped to rect; the strip this uncovers keeps
    // what it showed. Then puts rect on screen before returning.
    void Scroll(const QRect& rect, int dx, int dy);

  signals:
    // The whole board must be drawn into Canvas().
    void Paint();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage Image;
    bool Invalid = true;
    bool Painting = false;
};
