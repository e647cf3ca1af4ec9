// LittleEndian.h: numbers as the settings file and the bitmaps hold them, lowest byte first.
#pragma once

#include <cstdint>
#include <string>

inline std::string LittleEndianDword(uint32_t value) {
    std::string bytes(4, '\0');
    for (size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return bytes;
}
