// BitmapFile.cpp: the Windows bitmap loader for picture files.
#include "pictures/BitmapFile.h"

#include <QImageReader>

QImage LoadWindowsBitmap(const QString& path) {
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        const QString reason = reader.error() == QImageReader::FileNotFoundError
                                   ? QStringLiteral("Cannot open file \"%1\"").arg(path)
                                   : QStringLiteral("Bitmap image is not valid");
        throw EPictureError(reason.toStdString());
    }
    return image;
}
