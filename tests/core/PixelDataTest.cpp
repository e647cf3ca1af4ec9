// PixelDataTest.cpp: bitmap files whose pixels are all there, and ones cut short or with broken
// run-length data.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "pictures/core/PixelData.h"

namespace {

using namespace std::string_literals;

void Put32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void Put16(std::string& bytes, uint16_t value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

// A bitmap file of the given size and depth, then pixels. Up to 8 bits it has a full colour table.
std::string Bitmap(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                   const std::string& pixels) {
    const uint32_t palette = bits > 8 ? 0 : 4 * (1u << bits);
    const uint32_t pixelsAt = 14 + 40 + palette;
    std::string file = "BM";
    Put32(file, pixelsAt + static_cast<uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, pixelsAt);
    Put32(file, 40);
    Put32(file, static_cast<uint32_t>(width));
    Put32(file, static_cast<uint32_t>(height));
    Put16(file, 1);
    Put16(file, bits);
    Put32(file, compression);
    for (uint32_t value : {0u, 0u, 0u, 0u, 0u}) {
        Put32(file, value);
    }
    file.append(palette, '\x11');
    return file + pixels;
}

TEST(PixelData, APictureIsWholeOnlyWhenTheFileGivesEveryPixel) {
    // Rows of 3 pixels: 4 bytes at 8 bits, 12 at 24 bits, 2 (padded to 4) at 4 bits.
    const std::string rows8 = std::string(8, '\x01');
    const std::string rows24 = std::string(24, '\x01');
    struct TCase {
        const char* Name;
        std::string File;
        bool Whole;
    };
    const TCase cases[] = {
        {"8 bits", Bitmap(3, 2, 8, 0, rows8), true},
        {"8 bits, one byte short", Bitmap(3, 2, 8, 0, rows8.substr(1)), false},
        {"8 bits, top-down", Bitmap(3, -2, 8, 0, rows8), true},
        {"8 bits, top-down, short", Bitmap(3, -2, 8, 0, rows8.substr(4)), false},
        {"24 bits", Bitmap(3, 2, 24, 0, rows24), true},
        {"24 bits, a row short", Bitmap(3, 2, 24, 0, rows24.substr(12)), false},
        {"4 bits", Bitmap(3, 2, 4, 0, std::string(8, '\x12')), true},
        {"pixels said to start past the end", Bitmap(3, 2, 8, 0, rows8).substr(0, 60), false},
        // Runs: two of 3 pixels, each row ended, then the end of the picture.
        {"RLE8", Bitmap(3, 2, 8, 1, "\x03\x05\x00\x00\x03\x06\x00\x01"s), true},
        {"RLE8 ended by the last row's end of line",
         Bitmap(3, 2, 8, 1, "\x03\x05\x00\x00\x03\x06\x00\x00"s), true},
        {"RLE8 literal pixels, padded",
         Bitmap(3, 2, 8, 1,
                "\x00\x03\x01\x02\x03\x00\x00\x00"
                "\x00\x03\x04\x05\x06\x00\x00\x01"s),
         true},
        {"RLE8 cut short", Bitmap(3, 2, 8, 1, "\x03\x05\x00\x00\x02\x06"s), false},
        {"RLE8 cut in a literal run", Bitmap(3, 2, 8, 1, "\x03\x05\x00\x00\x00\x03\x01"s), false},
        {"RLE8 ending early", Bitmap(3, 2, 8, 1, "\x03\x05\x00\x01"s), false},
        {"RLE8 row ended early", Bitmap(3, 2, 8, 1, "\x02\x05\x00\x00\x03\x06\x00\x01"s), false},
        {"RLE8 jumping over pixels", Bitmap(3, 2, 8, 1, "\x03\x05\x00\x02\x00\x01\x00\x01"s),
         false},
        {"RLE8 run past the row", Bitmap(3, 2, 8, 1, "\x04\x05\x00\x00\x03\x06\x00\x01"s), false},
        {"RLE4", Bitmap(3, 2, 4, 2, "\x03\x12\x00\x00\x03\x34\x00\x01"s), true},
        {"RLE4 literal pixels, padded",
         Bitmap(3, 2, 4, 2,
                "\x00\x03\x12\x30\x00\x00"
                "\x03\x34\x00\x01"s),
         true},
        {"RLE4 cut in a literal run", Bitmap(3, 2, 4, 2, "\x03\x12\x00\x00\x00\x03\x12"s), false},
        {"no bitmap", "GIF89a"s, false},
        {"JPEG inside", Bitmap(3, 2, 24, 4, ""), false},
        {"a header the decoder reads as another",
         Bitmap(3, 2, 8, 0, std::string(20, '\x01')).replace(14, 1, "4"), false},
        {"pixels said to start inside the table",
         Bitmap(3, 2, 8, 0, rows8.substr(1)).replace(10, 2, "\x36\x00"s), false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(HasAllPixels(c.File), c.Whole) << c.Name;
    }
}

}  // namespace
