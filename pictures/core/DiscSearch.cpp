// DiscSearch.cpp: the picture disc search and the picture list.
#include "pictures/core/DiscSearch.h"

#include <algorithm>
#include <string_view>

#include "text/AsciiText.h"

namespace {

// Characters, not bytes: labels are UTF-8.
size_t CharacterCount(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

bool NamesReported(const TVolume& volume) {
    return CharacterCount(volume.Label) <= VolumeNameLimit &&
           CharacterCount(volume.FileSystem) <= VolumeNameLimit;
}

bool IsOpticalDrive(std::string_view device) {
    constexpr std::string_view prefix = "/dev/sr";
    if (device.size() <= prefix.size() || device.substr(0, prefix.size()) != prefix) {
        return false;
    }
    return std::all_of(device.begin() + static_cast<std::ptrdiff_t>(prefix.size()), device.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsOpticalVolume(const TVolume& volume) {
    return volume.FileSystem == "iso9660" || volume.FileSystem == "udf" ||
           IsOpticalDrive(volume.Device);
}

bool HasDiscLabel(const TVolume& volume) {
    return NamesReported(volume) && EqualsIgnoringCase(volume.Label, DiscLabel);
}

std::optional<std::string> FindPictureDiscRoot(const std::vector<TVolume>& volumes) {
    for (const TVolume& volume : volumes) {
        if (IsOpticalVolume(volume) && HasDiscLabel(volume)) {
            std::string root = volume.MountPoint;
            if (root.empty() || root.back() != '/') {
                root += '/';
            }
            return root;
        }
    }
    return std::nullopt;
}

std::optional<std::string> FindPictureFolder(const std::vector<std::string>& names) {
    std::optional<std::string> found;
    for (const std::string& name : names) {
        if (name == PictureFolderName) {
            return name;
        }
        // Of several other spellings the first in byte order, whatever order the folder lists.
        if (EqualsIgnoringCase(name, PictureFolderName) && (!found || name < *found)) {
            found = name;
        }
    }
    return found;
}

bool IsPictureFileName(const std::string& name) {
    constexpr std::string_view extension = PictureFileExtension;
    return name.size() >= extension.size() &&
           EqualsIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                              extension);
}

std::vector<std::string> ListPictures(const std::string& folder,
                                      const std::vector<std::string>& names,
                                      const TTextOrder& before) {
    std::vector<std::string> pictures;
    for (const std::string& name : names) {
        if (IsPictureFileName(name)) {
            pictures.push_back(folder + "/" + name);
        }
    }
    // Paths the order holds equal, such as names that differ only in case, still come in one
    // order, whatever order the folder lists them in.
    std::sort(pictures.begin(), pictures.end(), [&](const std::string& a, const std::string& b) {
        if (before(a, b)) {
            return true;
        }
        return !before(b, a) && a < b;
    });
    return pictures;
}
