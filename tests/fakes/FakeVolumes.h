// FakeVolumes.h: a volume list that tests fill by hand, e.g. with a folder standing in for the
// disc.
#pragma once

#include "pictures/platform/PictureDisc.h"

class TFakeVolumes : public IVolumeList {
  public:
    QList<TVolume> List;
    int Reads = 0;

    QList<TVolume> Volumes() override {
        ++Reads;
        return List;
    }

    // The picture disc mounted at a folder, as an optical drive shows it.
    static TVolume Disc(const QString& mountPoint) {
        return {mountPoint, "iso9660", "/dev/sr0", "Pellawinto"};
    }
};
