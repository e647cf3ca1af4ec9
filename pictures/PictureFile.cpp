// PictureFile.cpp: the picture loader for files, sample resources and dropped image data.
#include "pictures/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include "files/RegularFile.h"
#include "forms/FormLook.h"

namespace {

const char* const LargeBitmap = "Bitmap image is too large";

// Whether the image the header declares is more than the reader makes, which it would refuse as
// if the file were broken. Asked before anything is decoded, so a small file that claims a huge
// picture costs nothing.
bool BeyondAllocationLimit(QImageReader& reader) {
    const QSize size = reader.size();
    const int depth = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    if (size.width() <= 0) {
        return false;
    }
    const qint64 bytesPerLine = (qint64{size.width()} * (depth > 0 ? depth : 32) + 31) / 32 * 4;
    return bytesPerLine * qAbs(qint64{size.height()}) > static_cast<qint64>(PictureFileLimit());
}

// The first picture of the bytes.
QImage ReadPicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (BeyondAllocationLimit(reader)) {
        throw EPictureError(LargeBitmap);
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        throw EPictureError(InvalidBitmap);
    }
    return picture;
}

// A picture with transparency is laid on the board's green.
QImage OnWindowGreen(const QImage& picture) {
    if (!picture.hasAlphaChannel()) {
        return picture;
    }
    QImage laid(picture.size(), QImage::Format_RGB32);
    laid.fill(WindowGreen);
    QPainter(&laid).drawImage(0, 0, picture);
    return laid;
}

}  // namespace

QImage DecodePicture(const QByteArray& bytes) {
    const QImage picture = ReadPicture(bytes);
    // Decoders make do with a file cut short: the bitmap decoder leaves the rows it was not given
    // as its memory held them, the JPEG decoder paints them grey, the GIF decoder stops. Read
    // again with bytes after the end: a decoder that wanted more than the file gives then shows
    // a difference.
    if (ReadPicture(bytes + QByteArray(1 << 20, '\x55')) != picture) {
        throw EPictureError(InvalidBitmap);
    }
    return OnWindowGreen(picture);
}

size_t PictureFileLimit() {
    const int megabytes = QImageReader::allocationLimit();
    return static_cast<size_t>(megabytes > 0 ? megabytes : 256) << 20;
}

QImage ScaledForScreen(const QImage& picture, QSize size, qreal ratio) {
    QImage scaled = picture.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

QImage LoadPicture(const QByteArray& name) {
    // A FIFO or a device named as a picture is refused rather than waited on. The file is opened
    // by the name's bytes: a name that is not UTF-8 has no QString that leads back to it.
    TFileContents file = ReadRegularFile(name.toStdString(), PictureFileLimit());
    // No format's pixels take less room in the image than in the file.
    if (file.Failure == TFileFailure::TooLarge) {
        throw EPictureError(LargeBitmap);
    }
    if (file.Failure != TFileFailure::None) {
        throw EPictureError(
            QStringLiteral("Cannot open file \"%1\"").arg(QFile::decodeName(name)).toStdString());
    }
    return DecodePicture(QByteArray::fromStdString(file.Bytes));
}

QImage LoadPicture(const QString& path) {
    return LoadPicture(QFile::encodeName(path));
}

QImage LoadSampleBitmap(int32_t id) {
    // Our own resources come whole: one read is enough.
    const QImage sample(QStringLiteral(":/samples/%1.bmp").arg(id));
    if (sample.isNull()) {
        throw EPictureError(QStringLiteral("Bitmap resource %1 not found").arg(id).toStdString());
    }
    return sample;
}
