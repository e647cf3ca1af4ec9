// PixelData.cpp: the bitmap header as the decoder reads it, the size of uncompressed pixel rows and
// a walk through run-length data.
#include "pictures/core/PixelData.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include "text/LittleEndian.h"

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSizes[] = {40, 64, 108, 124};
// From this size on the header holds the bit fields' masks itself.
constexpr uint32_t MaskedHeaderSize = 108;
constexpr size_t MaskBytes = 12;
constexpr uint32_t MaxColours = 256;
constexpr uint32_t Uncompressed = 0;
constexpr uint32_t Rle8 = 1;
constexpr uint32_t Rle4 = 2;
constexpr uint32_t BitFields = 3;

struct TLayout {
    uint64_t Width = 0;
    uint64_t Height = 0;
    uint32_t BitsPerPixel = 0;
    uint32_t Compression = Uncompressed;
    // Entries of the colour table; none above 8 bits a pixel.
    uint32_t Colours = 0;
    size_t PixelsAt = 0;
};

uint32_t Field(std::string_view file, size_t at, size_t bytes) {
    return ReadLittleEndian(file.substr(at, bytes));
}

bool DecodedEncoding(uint32_t bits, uint32_t compression) {
    switch (compression) {
        case Uncompressed:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case Rle8:
            return bits == 8;
        case Rle4:
            return bits == 4;
        case BitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

// The header as the decoder reads it; nothing for one it would read some other way or refuse.
std::optional<TLayout> ReadLayout(std::string_view file) {
    if (file.size() < FileHeaderSize + 4 || file.substr(0, 2) != "BM") {
        return std::nullopt;
    }
    const uint32_t headerSize = Field(file, FileHeaderSize, 4);
    const bool core = headerSize == CoreHeaderSize;
    if (!core && std::find(std::begin(InfoHeaderSizes), std::end(InfoHeaderSizes), headerSize) ==
                     std::end(InfoHeaderSizes)) {
        return std::nullopt;
    }
    const size_t headerEnd = FileHeaderSize + headerSize;
    if (file.size() < headerEnd) {
        return std::nullopt;
    }
    int64_t width = 0;
    int64_t height = 0;
    uint32_t planes = 0;
    uint32_t coloursUsed = 0;
    TLayout layout;
    if (core) {
        width = static_cast<int16_t>(Field(file, 18, 2));
        height = static_cast<int16_t>(Field(file, 20, 2));
        planes = Field(file, 22, 2);
        layout.BitsPerPixel = Field(file, 24, 2);
    } else {
        width = static_cast<int32_t>(Field(file, 18, 4));
        height = static_cast<int32_t>(Field(file, 22, 4));
        planes = Field(file, 26, 2);
        layout.BitsPerPixel = Field(file, 28, 2);
        layout.Compression = Field(file, 30, 4);
        coloursUsed = Field(file, 46, 4);
    }
    if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1 ||
        !DecodedEncoding(layout.BitsPerPixel, layout.Compression)) {
        return std::nullopt;
    }
    layout.Width = static_cast<uint64_t>(width);
    layout.Height = static_cast<uint64_t>(height < 0 ? -height : height);
    if (layout.BitsPerPixel <= 8) {
        layout.Colours = coloursUsed != 0 ? coloursUsed : 1u << layout.BitsPerPixel;
        if (layout.Colours > MaxColours) {
            return std::nullopt;
        }
    }
    const size_t masks =
        layout.Compression == BitFields && headerSize < MaskedHeaderSize ? MaskBytes : 0;
    const size_t tableEnd = headerEnd + masks + size_t{layout.Colours} * (core ? 3 : 4);
    // The decoder reads the pixels where the file header says, but never before the table's end.
    const size_t pixelsAt = Field(file, 10, 4);
    layout.PixelsAt = std::max(pixelsAt, tableEnd);
    if (layout.PixelsAt > file.size()) {
        return std::nullopt;
    }
    return layout;
}

bool RowsCoverPicture(std::string_view pixels, const TLayout& layout) {
    const uint64_t rowBytes = (layout.Width * layout.BitsPerPixel + 31) / 32 * 4;
    return layout.Height <= pixels.size() / rowBytes;
}

// Run-length data covers the picture when every pixel gets a value from it: a jump or an early
// end of line or of picture leaves pixels that the file never gives.
bool RunsCoverPicture(std::string_view data, const TLayout& layout) {
    const bool fourBits = layout.Compression == Rle4;
    uint64_t x = 0;
    uint64_t y = 0;
    size_t at = 0;
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
    while (y < layout.Height) {
        if (at + 2 > data.size()) {
            return false;
        }
        const uint8_t count = byte(at);
        const uint8_t code = byte(at + 1);
        at += 2;
        if (count > 0) {
            if (x + count > layout.Width) {
                return false;
            }
            x += count;
        } else if (code == 0 || code == 1) {
            // End of line, or of the picture, where the one written last ended the picture.
            if (x != layout.Width) {
                return false;
            }
            x = 0;
            ++y;
            if (code == 1) {
                return y == layout.Height;
            }
        } else if (code == 2) {
            return false;
        } else {
            // Literal pixels, padded to a whole number of 16-bit words.
            const size_t bytes = fourBits ? (code + 1u) / 2u : code;
            const size_t padded = bytes + bytes % 2;
            if (x + code > layout.Width || at + padded > data.size()) {
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
    const std::optional<TLayout> layout = ReadLayout(file);
    if (!layout) {
        return false;
    }
    const std::string_view pixels = file.substr(layout->PixelsAt);
    const bool runs = layout->Compression == Rle8 || layout->Compression == Rle4;
    return runs ? RunsCoverPicture(pixels, *layout) : RowsCoverPicture(pixels, *layout);
}
