// BitmapFile.cpp: the Windows bitmap loader for picture files and sample resources.
#include "pictures/BitmapFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "pictures/Dib.h"

namespace {

QImage ReadBitmap(QImageReader& reader, const QString& missing) {
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        const QString reason = reader.error() == QImageReader::FileNotFoundError
                                   ? missing
                                   : QStringLiteral("Bitmap image is not valid");
        throw EPictureError(reason.toStdString());
    }
    return image;
}

}  // namespace

QImage LoadWindowsBitmap(const QString& path) {
    QImageReader reader(path, "bmp");
    return ReadBitmap(reader, QStringLiteral("Cannot open file \"%1\"").arg(path));
}

QString SampleResourcePath(int32_t id) {
    return QStringLiteral(":/samples/%1.dib").arg(id);
}

QImage LoadSampleBitmap(int32_t id) {
    QFile resource(SampleResourcePath(id));
    const QString missing = QStringLiteral("Bitmap resource %1 not found").arg(id);
    if (!resource.open(QIODevice::ReadOnly)) {
        throw EPictureError(missing.toStdString());
    }
    const QByteArray dib = resource.readAll();
    QByteArray file = QByteArray::fromStdString(
        BitmapFileOfDib(std::string_view(dib.constData(), static_cast<size_t>(dib.size()))));
    QBuffer buffer(&file);
    QImageReader reader(&buffer, "bmp");
    return ReadBitmap(reader, missing);
}
