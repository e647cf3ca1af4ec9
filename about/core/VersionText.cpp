// VersionText.cpp: the version line of the About box.
#include "about/core/VersionText.h"

std::string VersionText(int32_t major, int32_t minor, int32_t release) {
    return "Version:" + std::to_string(major) + "." + std::to_string(minor) +
           std::to_string(release);
}
