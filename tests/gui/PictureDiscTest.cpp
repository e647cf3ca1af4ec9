// PictureDiscTest.cpp: the system's volumes with their labels, and the picture disc among
// them.
#include <QtTest>

#include "pictures/platform/PictureDisc.h"

class TPictureDiscTest : public QObject {
    Q_OBJECT

  private slots:
    void ThisSystemsVolumesCarryTheirLabels() {
        const QList<TVolume> volumes = TMountVolumes().Volumes();
        const auto root = std::find_if(volumes.begin(), volumes.end(),
                                       [](const TVolume& v) { return v.MountPoint == "/"; });
        QVERIFY(root != volumes.end());
        QVERIFY(!root->FileSystem.isEmpty() && !root->Device.isEmpty());
        // Each label udev links to a mounted device is that volume's; none may be here.
        QDir links(QStringLiteral("/dev/disk/by-label"), {}, QDir::NoSort, QDir::System);
        for (const QFileInfo& link : links.entryInfoList()) {
            for (const TVolume& volume : volumes) {
                if (volume.Device == link.canonicalFilePath() &&
                    !link.fileName().contains(QLatin1Char('\\'))) {
                    QCOMPARE(volume.Label, link.fileName());
                }
            }
        }
    }

    void TheDiscIsTheFirstOpticalVolumeWithItsLabel() {
        const struct {
            const char* Why;
            QList<TVolume> Volumes;
            QString Root;
        } cases[] = {
            {"first in mount order, the label in either case",
             {{"/", "ext4", "/dev/vda1", "Pellawinto"},
              {"/media/a", "iso9660", "/dev/sr0", "Other"},
              {"/media/b", "udf", "/dev/sr1", "PELLAWINTO"},
              {"/media/c", "iso9660", "/dev/sr2", "Pellawinto"}},
             "/media/b/"},
            {"any file system on an optical drive",
             {{"/m", "hfsplus", "/dev/sr12", "pellawinto"}},
             "/m/"},
            {"a root ending in a slash", {{"/", "iso9660", "/dev/loop0", "Pellawinto"}}, "/"},
            {"no optical drive",
             {{"/m", "vfat", "/dev/sr", "Pellawinto"},
              {"/n", "ext4", "/dev/sra", "Pellawinto"},
              {"/o", "vfat", "/dev/sdb1", "Pellawinto"}},
             ""},
            {"the label must match whole",
             {{"/m", "iso9660", "/dev/sr0", "Pellawinto "}, {"/n", "udf", "/dev/sr0", "Pellawint"}},
             ""},
            // The system reports file-system names of up to 31 characters.
            {"31 characters", {{"/m", QString(31, u'\u00E9'), "/dev/sr0", "Pellawinto"}}, "/m/"},
            {"32 characters", {{"/m", QString(32, u'f'), "/dev/sr0", "Pellawinto"}}, ""},
        };
        for (const auto& c : cases) {
            QVERIFY2(FindPictureDisc(c.Volumes) == c.Root, c.Why);
        }
    }
};

QTEST_GUILESS_MAIN(TPictureDiscTest)
#include "PictureDiscTest.moc"
