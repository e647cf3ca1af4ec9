// MountVolumes.cpp: mounted file systems from /proc/self/mountinfo, labels from udev's links.
#include "pictures/platform/MountVolumes.h"

#include "text/HexDigit.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <utility>

namespace {

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in names as three octal digits.
std::string DecodeMountField(const std::string& field) {
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// The same device under another name (/dev/cdrom for /dev/sr0) is recognised by its target.
std::string ResolvedDevice(const std::string& device) {
    if (device.rfind("/dev/", 0) != 0) {
        return device;
    }
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    return error ? device : target.string();
}

std::map<std::string, std::string> LabelsByDevice(const std::string& labelLinks) {
    std::map<std::string, std::string> labels;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(labelLinks, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code linkError;
        const std::filesystem::path device = std::filesystem::canonical(entry->path(), linkError);
        if (!linkError) {
            labels.emplace(device.string(), DecodeLabelLink(entry->path().filename().string()));
        }
    }
    return labels;
}

}  // namespace

TMountVolumes::TMountVolumes(std::string mountTable, std::string labelLinks)
    : MountTable(std::move(mountTable)), LabelLinks(std::move(labelLinks)) {}

std::vector<TVolume> TMountVolumes::Volumes() {
    std::ifstream file(MountTable);
    std::ostringstream text;
    text << file.rdbuf();
    std::vector<TVolume> volumes = ParseMountInfo(text.str());
    const std::map<std::string, std::string> labels = LabelsByDevice(LabelLinks);
    for (TVolume& volume : volumes) {
        volume.Device = ResolvedDevice(volume.Device);
        if (const auto label = labels.find(volume.Device); label != labels.end()) {
            volume.Label = label->second;
        }
    }
    return volumes;
}

std::vector<TVolume> ParseMountInfo(const std::string& text) {
    std::vector<TVolume> volumes;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // id, parent, device number, root, mount point, options, optional fields up to "-",
        // then the file system, the source and the super block's options.
        std::istringstream fields(line);
        std::string id, parent, number, root, mountPoint, options, field;
        if (!(fields >> id >> parent >> number >> root >> mountPoint >> options)) {
            continue;
        }
        while (fields >> field && field != "-") {
        }
        std::string fileSystem, source;
        if (field != "-" || !(fields >> fileSystem >> source)) {
            continue;
        }
        volumes.push_back({DecodeMountField(mountPoint),
                           DecodeMountField(fileSystem),
                           DecodeMountField(source),
                           {}});
    }
    return volumes;
}

std::string DecodeLabelLink(const std::string& name) {
    std::string label;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            HexDigit(name[i + 2]) >= 0 && HexDigit(name[i + 3]) >= 0) {
            label += static_cast<char>(HexDigit(name[i + 2]) * 16 + HexDigit(name[i + 3]));
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}
