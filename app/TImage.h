// TImage.h: an image control that shows its picture stretched over the whole control.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT

  public:
    explicit TImage(QWidget* parent = nullptr) : QWidget(parent) {}

    const QImage& Picture() const;
    void SetPicture(const QImage& picture);
    // Shows a built-in picture, read from its file only when first drawn or asked for, so a
    // window opens without waiting for it.
    void SetBuiltInPicture(const QString& resource);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    mutable QImage Bitmap;
    QString BuiltIn;
};
