// SpinTextTest.cpp: what a spin field of the custom size dialog lets the player type and reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "settings/core/SpinText.h"

namespace {

struct TReadCase {
    const char* Text;
    int32_t Value;
    TSpinTextKind Kind;
};

TEST(ReadSizeField, ReadsWithinTwoToEleven) {
    const TReadCase cases[] = {
        TReadCase{"2", 2, TSpinTextKind::InRange},
        TReadCase{"7", 7, TSpinTextKind::InRange},
        TReadCase{"11", 11, TSpinTextKind::InRange},
        TReadCase{"+5", 5, TSpinTextKind::InRange},
        TReadCase{"007", 7, TSpinTextKind::InRange},
        // Numbers outside the range read as the nearest bound.
        TReadCase{"1", 2, TSpinTextKind::OutOfRange},
        TReadCase{"0", 2, TSpinTextKind::OutOfRange},
        TReadCase{"-3", 2, TSpinTextKind::OutOfRange},
        TReadCase{"12", 11, TSpinTextKind::OutOfRange},
        TReadCase{"99", 11, TSpinTextKind::OutOfRange},
        TReadCase{"2147483647", 11, TSpinTextKind::OutOfRange},
        TReadCase{"-2147483648", 2, TSpinTextKind::OutOfRange},
        // Anything that is no whole number in the signed 32-bit range reads as the minimum.
        TReadCase{"", 2, TSpinTextKind::NotANumber},
        TReadCase{"-", 2, TSpinTextKind::NotANumber},
        TReadCase{"+", 2, TSpinTextKind::NotANumber},
        TReadCase{".", 2, TSpinTextKind::NotANumber},
        TReadCase{"5.", 2, TSpinTextKind::NotANumber},
        TReadCase{"3.0", 2, TSpinTextKind::NotANumber},
        TReadCase{"--4", 2, TSpinTextKind::NotANumber},
        TReadCase{"+-4", 2, TSpinTextKind::NotANumber},
        TReadCase{"4-", 2, TSpinTextKind::NotANumber},
        TReadCase{"2147483648", 2, TSpinTextKind::NotANumber},
        TReadCase{"-2147483649", 2, TSpinTextKind::NotANumber},
        TReadCase{"99999999999", 2, TSpinTextKind::NotANumber},
        TReadCase{"1x", 2, TSpinTextKind::NotANumber},
        TReadCase{" 5", 2, TSpinTextKind::NotANumber},
    };
    for (const TReadCase& c : cases) {
        const TSpinReading reading = ReadSpinText(c.Text, 2, 11);
        EXPECT_EQ(reading.Value, c.Value) << '"' << c.Text << '"';
        EXPECT_EQ(reading.Kind, c.Kind) << '"' << c.Text << '"';
    }
}

TEST(WholeNumber, TakesTheWholeSigned32BitRange) {
    EXPECT_EQ(WholeNumber("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(WholeNumber("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(WholeNumber("+0"), 0);
    EXPECT_EQ(WholeNumber("2147483648"), std::nullopt);
}

TEST(IsSpinText, DigitsSignsAndDecimalPointMayBeTyped) {
    EXPECT_TRUE(IsSpinText(""));
    EXPECT_TRUE(IsSpinText("99"));
    EXPECT_TRUE(IsSpinText("99999999999"));
    EXPECT_TRUE(IsSpinText("-"));
    EXPECT_TRUE(IsSpinText("+1.5"));
}

TEST(IsSpinText, LettersAndOtherCharactersAreRefused) {
    for (const char* text : {"a", "5a", "x9", "E", "1e5", " ", "5 ", ",", "*", "\xE4\xBA\x94"}) {
        EXPECT_FALSE(IsSpinText(text)) << '"' << text << '"';
    }
}

TEST(ClampSpinValue, ArrowsStopAtTheBounds) {
    EXPECT_EQ(ClampSpinValue(12, 2, 11), 11);
    EXPECT_EQ(ClampSpinValue(1, 2, 11), 2);
    EXPECT_EQ(ClampSpinValue(6, 2, 11), 6);
    EXPECT_EQ(ClampSpinValue(int64_t{1} << 40, 2, 11), 11);
    EXPECT_EQ(ClampSpinValue(20, 2, 11), 11);
}

}  // namespace
