// PictureDisc.h: the picture disc among the mounted volumes, and the pictures of its folder.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One mounted file system.
struct TVolume {
    QString MountPoint;
    // As the system names it: "iso9660", "udf", "ext4", ...
    QString FileSystem;
    // The mounted device, e.g. "/dev/sr0", or whatever else the mount names as its source.
    QString Device;
    // Empty when the volume has none or it could not be learnt.
    QString Label;
};

// The mounted file systems, in mount-table order.
class IVolumeList {
  public:
    virtual ~IVolumeList() = default;
    virtual QList<TVolume> Volumes() = 0;
};

// The volumes as QStorageInfo lists them, with their labels.
class TMountVolumes : public IVolumeList {
  public:
    QList<TVolume> Volumes() override;
};

// The picture folder holds at most a hundred pictures; the entries of a folder or the disc's root
// are read only this far.
inline constexpr qsizetype DiscEntryLimit = 1000;

// The root of the first optical volume labelled as the disc, ending in "/"; empty without the
// disc.
QString FindPictureDisc(const QList<TVolume>& volumes);

// Full paths of the "*.bmp" entries of the disc's picture folder, in the locale's order ignoring
// case; none without the folder.
QStringList ListPictures(const QString& discRoot);
