// MountVolumes.cpp: the mounted volumes as QStorageInfo lists them.
#include "pictures/platform/MountVolumes.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

std::string ToBytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

// The same drive under another name (/dev/cdrom for /dev/sr0) is known by its target.
QString ResolvedDevice(const QString& device) {
    const QString target = device.startsWith(QStringLiteral("/dev/"))
                               ? QFileInfo(device).canonicalFilePath()
                               : QString();
    return target.isEmpty() ? device : target;
}

}  // namespace

std::vector<TVolume> TMountVolumes::Volumes() {
    std::vector<TVolume> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        volumes.push_back({ToBytes(volume.rootPath()), volume.fileSystemType().toStdString(),
                           ToBytes(ResolvedDevice(QFile::decodeName(volume.device()))),
                           volume.name().toStdString()});
    }
    return volumes;
}
