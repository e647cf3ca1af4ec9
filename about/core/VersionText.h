// VersionText.h: the version line of the About box.
#pragma once

#include <cstdint>
#include <string>

// "Version:", the major number, ".", then the minor and release numbers with nothing between
// them: 2, 0, 0 read "Version:2.00".
std::string VersionText(int32_t major, int32_t minor, int32_t release);
