// PictureDrop.cpp: a drop's file address or image data made a picture.
#include "pictures/PictureDrop.h"

#include <QApplication>
#include <QMimeData>
#include <QUrl>

#include "pictures/PictureFile.h"

namespace {

bool CarriesOneLocalFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return urls.size() == 1 && urls.first().isLocalFile();
}

// The first of the image types the data is offered in, or none.
QString ImageType(const QMimeData& data) {
    for (const QString& type : data.formats()) {
        if (type.startsWith(QLatin1String("image/"))) {
            return type;
        }
    }
    return {};
}

}  // namespace

bool TakesDrop(const QMimeData* data) {
    return data != nullptr && QApplication::activeModalWidget() == nullptr &&
           (CarriesOneLocalFile(*data) || !ImageType(*data).isEmpty());
}

QImage DroppedPicture(const QMimeData& data) {
    if (CarriesOneLocalFile(data)) {
        // The address's path as the file system's bytes: a name that is not UTF-8 keeps them.
        return LoadPicture(QByteArray::fromPercentEncoding(
            data.urls().first().path(QUrl::FullyEncoded).toLatin1()));
    }
    // Decoded with the checks of a file, not as the toolkit would decode it for us.
    const QString type = ImageType(data);
    if (type.isEmpty()) {
        throw EPictureError(InvalidBitmap);
    }
    return DecodePicture(data.data(type));
}
