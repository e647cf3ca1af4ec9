// PixelData.cpp: the size of uncompressed pixel rows, and a walk through run-length data.
#include "pictures/core/PixelData.h"

#include <cstdint>
#include <cstdlib>

#include "text/LittleEndian.h"

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t Rle8 = 1;
constexpr uint32_t Rle4 = 2;
constexpr uint32_t BitFields = 3;
constexpr uint32_t AlphaBitFields = 6;

// Run-length data covers the picture when every pixel gets a value from it: a jump or an early
// end of line or of picture leaves pixels that the file never gives.
bool RunsCoverPicture(std::string_view data, uint64_t width, uint64_t height, bool fourBits) {
    uint64_t x = 0;
    uint64_t y = 0;
    size_t at = 0;
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
    while (y < height) {
        if (at + 2 > data.size()) {
            return false;
        }
        const uint8_t count = byte(at);
        const uint8_t code = byte(at + 1);
        at += 2;
        if (count > 0) {
            if (x + count > width) {
                return false;
            }
            x += count;
        } else if (code == 0 || code == 1) {
            // End of line, or of the picture, where the one written last ended the picture.
            if (x != width) {
                return false;
            }
            x = 0;
            ++y;
            if (code == 1) {
                return y == height;
            }
        } else if (code == 2) {
            return false;
        } else {
            // Literal pixels, padded to a whole number of 16-bit words.
            const size_t bytes = fourBits ? (code + 1u) / 2u : code;
            const size_t padded = bytes + bytes % 2;
            if (x + code > width || at + padded > data.size()) {
                return false;
            }
            x += code;
            at += padded;
        }
    }
    return true;
}

}  // namespace

bool HasAllPixels(std::string_view file) {
    if (file.size() < FileHeaderSize + CoreHeaderSize || file.substr(0, 2) != "BM") {
        return true;
    }
    const uint32_t pixelsAt = ReadLittleEndian(file.substr(10, 4));
    const uint32_t headerSize = ReadLittleEndian(file.substr(FileHeaderSize, 4));
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerSize == CoreHeaderSize) {
        width = static_cast<uint16_t>(ReadLittleEndian(file.substr(18, 2)));
        height = static_cast<uint16_t>(ReadLittleEndian(file.substr(20, 2)));
        bitsPerPixel = static_cast<uint16_t>(ReadLittleEndian(file.substr(24, 2)));
    } else if (headerSize >= InfoHeaderSize && file.size() >= FileHeaderSize + InfoHeaderSize) {
        width = static_cast<int32_t>(ReadLittleEndian(file.substr(18, 4)));
        height = static_cast<int32_t>(ReadLittleEndian(file.substr(22, 4)));
        bitsPerPixel = static_cast<uint16_t>(ReadLittleEndian(file.substr(28, 2)));
        compression = ReadLittleEndian(file.substr(30, 4));
    } else {
        return true;
    }
    if (width <= 0 || height == 0 || bitsPerPixel == 0) {
        return true;
    }
    if (pixelsAt > file.size()) {
        return false;
    }
    const std::string_view pixels = file.substr(pixelsAt);
    const auto rows = static_cast<uint64_t>(std::llabs(height));
    switch (compression) {
        case 0:
        case BitFields:
        case AlphaBitFields: {
            const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
            return rows <= pixels.size() / rowBytes;
        }
        case Rle8:
        case Rle4:
            return RunsCoverPicture(pixels, static_cast<uint64_t>(width), rows,
                                    compression == Rle4);
        default:
            return true;
    }
}
