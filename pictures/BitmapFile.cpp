// BitmapFile.cpp: the Windows bitmap loader for picture files and sample resources.
#include "pictures/BitmapFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "files/RegularFile.h"
#include "pictures/core/PixelData.h"

namespace {

const char* const InvalidBitmap = "Bitmap image is not valid";
const char* const LargeBitmap = "Bitmap image is too large";

// Whether the image the header declares is more than the reader makes, which it would refuse as
// if the file were broken.
bool BeyondAllocationLimit(QImageReader& reader) {
    const QSize size = reader.size();
    const int depth = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
    if (size.width() <= 0 || depth == 0) {
        return false;
    }
    const qint64 bytesPerLine = (qint64{size.width()} * depth + 31) / 32 * 4;
    return bytesPerLine * qAbs(qint64{size.height()}) > static_cast<qint64>(PictureFileLimit());
}

QImage DecodeBitmap(QByteArray bytes) {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    if (BeyondAllocationLimit(reader)) {
        throw EPictureError(LargeBitmap);
    }
    // The decoder would leave pixels the file does not give, or gives an index past the colour
    // table, as whatever its memory held.
    if (!HasAllPixels(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        throw EPictureError(InvalidBitmap);
    }
    const QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        throw EPictureError(InvalidBitmap);
    }
    return image;
}

}  // namespace

size_t PictureFileLimit() {
    const int megabytes = QImageReader::allocationLimit();
    return static_cast<size_t>(megabytes > 0 ? megabytes : 256) << 20;
}

QImage LoadWindowsBitmap(const QByteArray& name) {
    // A FIFO or a device named as a picture is refused rather than waited on. The file is opened
    // by the name's bytes: a name that is not UTF-8 has no QString that leads back to it.
    TFileContents file = ReadRegularFile(name.toStdString(), PictureFileLimit());
    // Uncompressed pixels take no less room in the image than in the file.
    if (file.Failure == TFileFailure::TooLarge) {
        throw EPictureError(LargeBitmap);
    }
    if (file.Failure != TFileFailure::None) {
        throw EPictureError(
            QStringLiteral("Cannot open file \"%1\"").arg(QFile::decodeName(name)).toStdString());
    }
    return DecodeBitmap(QByteArray::fromStdString(file.Bytes));
}

QImage LoadWindowsBitmap(const QString& path) {
    return LoadWindowsBitmap(QFile::encodeName(path));
}

QString SampleResourcePath(int32_t id) {
    return QStringLiteral(":/samples/%1.bmp").arg(id);
}

QImage LoadSampleBitmap(int32_t id) {
    QFile resource(SampleResourcePath(id));
    if (!resource.open(QIODevice::ReadOnly)) {
        throw EPictureError(QStringLiteral("Bitmap resource %1 not found").arg(id).toStdString());
    }
    return DecodeBitmap(resource.readAll());
}
