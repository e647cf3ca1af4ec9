// MountVolumes.h: the volume list of the running system, with the volumes' labels.
#pragma once

#include <vector>

#include "pictures/core/DiscSearch.h"

class TMountVolumes : public IVolumeList {
  public:
    std::vector<TVolume> Volumes() override;
};
