// FakeVolumes.h: a volume list that tests fill by hand, e.g. with a folder standing in for the
// disc.
#pragma once

#include <string>
#include <vector>

#include "pictures/core/DiscSearch.h"

class TFakeVolumes : public IVolumeList {
  public:
    std::vector<TVolume> List;
    int Reads = 0;

    std::vector<TVolume> Volumes() override {
        ++Reads;
        return List;
    }

    // The picture disc mounted at a folder, as an optical drive shows it.
    static TVolume Disc(const std::string& mountPoint) {
        return {mountPoint, "iso9660", "/dev/sr0", "Pellawinto"};
    }
};
