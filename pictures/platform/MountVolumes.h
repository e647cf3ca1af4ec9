// MountVolumes.h: the volume list of the running system: its mount table and volume labels.
#pragma once

#include <string>
#include <vector>

#include "pictures/core/DiscSearch.h"

// Reads only the mount table and the label links udev keeps; no device is ever opened, so an
// empty or spinning-up drive cannot hold up the start.
class TMountVolumes : public IVolumeList {
  public:
    explicit TMountVolumes(std::string mountTable = "/proc/self/mountinfo",
                           std::string labelLinks = "/dev/disk/by-label");
    std::vector<TVolume> Volumes() override;

  private:
    std::string MountTable;
    std::string LabelLinks;
};

// The mounts of a mountinfo text in its order, their names unescaped, without labels.
std::vector<TVolume> ParseMountInfo(const std::string& text);

// A label link's name as the label reads: udev writes unsafe bytes as \xNN.
std::string DecodeLabelLink(const std::string& name);
