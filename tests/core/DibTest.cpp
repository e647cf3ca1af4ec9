// DibTest.cpp: the file header put in front of a resource bitmap so a bitmap reader takes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "pictures/core/Dib.h"

namespace {

uint32_t U32At(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    }
    return value;
}

void PutU32(std::string& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// An information header of the given size and fields, followed by `rest` more bytes.
std::string Dib(uint32_t headerSize, uint16_t bitsPerPixel, uint32_t compression,
                uint32_t coloursUsed, size_t rest) {
    std::string dib(headerSize + rest, '\0');
    PutU32(dib, 0, headerSize);
    dib[14] = static_cast<char>(bitsPerPixel);
    PutU32(dib, 16, compression);
    PutU32(dib, 32, coloursUsed);
    return dib;
}

struct TPixelsAtCase {
    const char* Name;
    uint32_t HeaderSize;
    uint16_t BitsPerPixel;
    uint32_t Compression;
    uint32_t ColoursUsed;
    uint32_t PixelsAt;
};

class PixelOffset : public testing::TestWithParam<TPixelsAtCase> {};

TEST_P(PixelOffset, FileHeaderPointsPastHeaderAndPalette) {
    const TPixelsAtCase c = GetParam();
    const std::string dib = Dib(c.HeaderSize, c.BitsPerPixel, c.Compression, c.ColoursUsed, 2000);
    const std::string file = BitmapFileOfDib(dib);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(U32At(file, 2), 14 + dib.size());
    EXPECT_EQ(U32At(file, 6), 0u);
    EXPECT_EQ(U32At(file, 10), c.PixelsAt);
    EXPECT_EQ(file.substr(14), dib);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PixelOffset,
    testing::Values(
        // The samples: 256 colours when none are counted.
        TPixelsAtCase{"EightBitsFullPalette", 40, 8, 0, 0, 14 + 40 + 1024},
        TPixelsAtCase{"EightBitsSixteenColoursUsed", 40, 8, 0, 16, 14 + 40 + 64},
        TPixelsAtCase{"FourBits", 40, 4, 0, 0, 14 + 40 + 64},
        TPixelsAtCase{"TrueColourHasNoPalette", 40, 24, 0, 0, 14 + 40},
        TPixelsAtCase{"MasksAfterAShortHeader", 40, 16, 3, 0, 14 + 40 + 12},
        TPixelsAtCase{"MasksInsideALongHeader", 108, 32, 3, 0, 14 + 108}),
    [](const testing::TestParamInfo<TPixelsAtCase>& info) { return info.param.Name; });

TEST(BitmapFileOfDib, SampleSizedBitmapBecomesAFileFourteenBytesLonger) {
    // 40 + 1,024 + 300 x 301 bytes, as every sample is.
    const std::string dib = Dib(40, 8, 0, 0, 1024 + 90300);
    ASSERT_EQ(dib.size(), 91364u);
    const std::string file = BitmapFileOfDib(dib);
    EXPECT_EQ(file.size(), 91378u);
    EXPECT_EQ(U32At(file, 10), 1078u);
}

TEST(BitmapFileOfDib, TooShortForAnInformationHeaderIsRefused) {
    EXPECT_THROW(BitmapFileOfDib(std::string(39, '\0')), EDibError);
    EXPECT_THROW(BitmapFileOfDib(""), EDibError);
}

TEST(BitmapFileOfDib, OldCoreHeaderIsRefused) {
    EXPECT_THROW(BitmapFileOfDib(Dib(12, 8, 0, 0, 2000)), EDibError);
}

TEST(BitmapFileOfDib, HeaderLongerThanTheBytesIsRefused) {
    std::string dib = Dib(40, 24, 0, 0, 0);
    PutU32(dib, 0, 124);
    EXPECT_THROW(BitmapFileOfDib(dib), EDibError);
}

TEST(BitmapFileOfDib, PaletteCutShortIsRefused) {
    EXPECT_THROW(BitmapFileOfDib(Dib(40, 8, 0, 0, 1023)), EDibError);
    // A count so large that four bytes each would wrap a 32-bit sum.
    EXPECT_THROW(BitmapFileOfDib(Dib(40, 8, 0, 0x40000001u, 2000)), EDibError);
}

TEST(BitmapFileOfDib, RefusalSaysTheBitmapIsNotValid) {
    try {
        BitmapFileOfDib("");
        FAIL() << "no error";
    } catch (const EDibError& error) {
        EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
}

}  // namespace
