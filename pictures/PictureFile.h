// PictureFile.h: loading pictures of any format the image plugins read: files, dropped image
// data, and the samples by resource number.
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
// file, larger than any picture the reader makes, of no format the plugins read, cut short, or
// declares a picture larger than that (checked before it is decoded). A photo's orientation is
// applied and an animation gives its first frame. The name is the file system's bytes, which
// need not be UTF-8 (names from discs and folders of older systems often are not).
QImage LoadPicture(const QByteArray& name);
QImage LoadPicture(const QString& path);

// The first picture of a file's bytes, read and checked as LoadPicture does.
QImage DecodePicture(const QByteArray& bytes);

// The picture smoothed to a size in logical pixels, at the screen's density (a ratio of device to
// logical pixels), so a dense screen shows it sharp.
QImage ScaledForScreen(const QImage& picture, QSize size, qreal ratio);

// The text of a picture that cannot be read.
inline constexpr char InvalidBitmap[] = "Bitmap image is not valid";

// The sample pictures are the bitmap resources 300 to 304, the bitmap files ":/samples/300.bmp" to
// ":/samples/304.bmp".
constexpr int32_t FirstSampleId = 300;

// Throws EPictureError when there is no bitmap resource of that identifier.
QImage LoadSampleBitmap(int32_t id);
