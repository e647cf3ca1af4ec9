// PictureDisc.cpp: the picture disc search over the mounted volumes, and its picture list.
#include "pictures/platform/PictureDisc.h"

#include <QCollator>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <algorithm>

namespace {

const QString DiscLabel = QStringLiteral("Pellawinto");
const QString PictureFolderName = QStringLiteral("Image2");

// Longer file-system names are not reported, so such a volume is never the disc.
constexpr qsizetype VolumeNameLimit = 31;

// A CD-ROM: one of the optical file systems, or a volume on an optical drive.
bool IsOpticalVolume(const TVolume& volume) {
    static const QRegularExpression opticalDrive(QStringLiteral("^/dev/sr[0-9]+$"));
    return volume.FileSystem == QLatin1String("iso9660") ||
           volume.FileSystem == QLatin1String("udf") ||
           opticalDrive.match(volume.Device).hasMatch();
}

bool HasDiscLabel(const TVolume& volume) {
    return volume.FileSystem.size() <= VolumeNameLimit &&
           volume.Label.compare(DiscLabel, Qt::CaseInsensitive) == 0;
}

// The same drive under another name (/dev/cdrom for /dev/sr0) is known by its target.
QString ResolvedDevice(const QString& device) {
    const QString target = device.startsWith(QStringLiteral("/dev/"))
                               ? QFileInfo(device).canonicalFilePath()
                               : QString();
    return target.isEmpty() ? device : target;
}

// Every entry, hidden and system ones and folders too: the pattern alone decides. Links are left
// out, as they may lead off the disc. A folder of far more entries than pictures the launcher
// shows is read only so far, so it cannot hold up the start.
QStringList EntryNames(const QString& folder) {
    QStringList names;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (entries.hasNext() && names.size() < DiscEntryLimit) {
        names << entries.nextFileInfo().fileName();
    }
    return names;
}

// An optical volume may show the folder's name in either case; a name spelt exactly as given wins,
// and of several other spellings the first in code order, whatever order the disc lists.
QString FindPictureFolder(const QStringList& names) {
    QString found;
    for (const QString& name : names) {
        if (name == PictureFolderName) {
            return name;
        }
        if (name.compare(PictureFolderName, Qt::CaseInsensitive) == 0 &&
            (found.isEmpty() || name < found)) {
            found = name;
        }
    }
    return found;
}

}  // namespace

QList<TVolume> TMountVolumes::Volumes() {
    QList<TVolume> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        volumes.append({volume.rootPath(), QString::fromLatin1(volume.fileSystemType()),
                        ResolvedDevice(QFile::decodeName(volume.device())), volume.name()});
    }
    return volumes;
}

QString FindPictureDisc(const QList<TVolume>& volumes) {
    for (const TVolume& volume : volumes) {
        if (IsOpticalVolume(volume) && HasDiscLabel(volume)) {
            return volume.MountPoint.endsWith(QLatin1Char('/')) ? volume.MountPoint
                                                                : volume.MountPoint + u'/';
        }
    }
    return {};
}

QStringList ListPictures(const QString& discRoot) {
    if (discRoot.isEmpty()) {
        return {};
    }
    const QString folder = FindPictureFolder(EntryNames(discRoot));
    if (folder.isEmpty()) {
        return {};
    }
    QStringList pictures;
    for (const QString& name : EntryNames(discRoot + folder)) {
        if (name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
            pictures << discRoot + folder + u'/' + name;
        }
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Paths the collation holds equal, such as names that differ only in case, still come in one
    // order, whatever order the folder lists them in.
    std::sort(pictures.begin(), pictures.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return pictures;
}
