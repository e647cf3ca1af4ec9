// LittleEndian.h: numbers as the settings file and the bitmaps hold them, lowest byte first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The number in up to four bytes; fewer bytes are its low ones, and more than four are not read.
constexpr uint32_t ReadLittleEndian(std::string_view bytes) {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes.size() && i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value;
}

inline std::string LittleEndianDword(uint32_t value) {
    std::string bytes(4, '\0');
    for (size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return bytes;
}
