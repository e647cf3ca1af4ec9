// BitmapFile.h: loading pictures, Windows bitmaps all: files, and the samples by resource number.
#pragma once

#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

class EPictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file larger than the largest picture the reader would make cannot be a picture it shows.
size_t PictureFileLimit();

// Throws EPictureError with the loader's text when the file is missing, unreadable, no regular
// file, larger than any picture the reader makes, not a bitmap, a bitmap without pixels, or one
// whose pixels the file does not all give. The name is the file system's bytes, which need not
// be UTF-8 (names from discs and folders of older systems often are not).
QImage LoadWindowsBitmap(const QByteArray& name);
QImage LoadWindowsBitmap(const QString& path);

// The sample pictures are the bitmap resources 300 to 304.
constexpr int32_t FirstSampleId = 300;
constexpr int32_t SampleCount = 5;

// The resource's path; it holds a bitmap file.
QString SampleResourcePath(int32_t id);

// Throws EPictureError when there is no bitmap resource of that identifier or its bytes are not
// a bitmap.
QImage LoadSampleBitmap(int32_t id);
