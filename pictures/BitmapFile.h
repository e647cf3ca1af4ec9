// BitmapFile.h: loading picture files, which are Windows bitmaps only.
#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>

class EPictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws EPictureError with the loader's text when the file is missing, unreadable, not a
// bitmap, or a bitmap without pixels.
QImage LoadWindowsBitmap(const QString& path);
