// DiscSearch.h: the picture disc among the mounted volumes and its picture list.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One mounted file system.
struct TVolume {
    std::string MountPoint;
    // As the system names it: "iso9660", "udf", "ext4", ...
    std::string FileSystem;
    // The mounted device, e.g. "/dev/sr0", or whatever else the mount names as its source.
    std::string Device;
    // Empty when the volume has none or it could not be learnt.
    std::string Label;
};

// The mounted file systems, in mount-table order.
class IVolumeList {
  public:
    virtual ~IVolumeList() = default;
    virtual std::vector<TVolume> Volumes() = 0;
};

inline constexpr char DiscLabel[] = "Pellawinto";
inline constexpr char PictureFolderName[] = "Image2";
inline constexpr char PictureFileExtension[] = ".bmp";
// The picture folder holds at most a hundred pictures; the entries of a folder or the disc's root
// are read only this far.
inline constexpr size_t DiscEntryLimit = 1000;

// Longer volume labels and file-system names are not reported, so such a volume is never the disc.
constexpr size_t VolumeNameLimit = 31;

// A CD-ROM: one of the optical file systems, or a volume on an optical drive.
bool IsOpticalVolume(const TVolume& volume);

// The label of the disc, in either case, on a volume whose names are reported.
bool HasDiscLabel(const TVolume& volume);

// The root of the first optical volume labelled as the disc, ending in "/"; none without the disc.
std::optional<std::string> FindPictureDiscRoot(const std::vector<TVolume>& volumes);

// The picture folder among the disc root's entry names. An optical volume may show the name in
// either case; a name spelt exactly as given wins over other spellings.
std::optional<std::string> FindPictureFolder(const std::vector<std::string>& names);

// Whether an entry name matches "*.bmp", ignoring case.
bool IsPictureFileName(const std::string& name);

// An order of texts: true when a comes before b.
using TTextOrder = std::function<bool(const std::string& a, const std::string& b)>;

// Full paths of the folder's pictures, given its entry names, sorted by the order given.
std::vector<std::string> ListPictures(const std::string& folder,
                                      const std::vector<std::string>& names,
                                      const TTextOrder& before);
