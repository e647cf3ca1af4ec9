// GlyphFitTest.cpp: sample pictures fitted into the chooser's 111 x 91 button pictures.
#include <gtest/gtest.h>

#include "pictures/core/GlyphFit.h"

namespace {

struct TFitCase {
    const char* Name;
    int32_t SourceWidth;
    int32_t SourceHeight;
    int32_t Width;
    int32_t Height;
};

class FitIntoButton : public testing::TestWithParam<TFitCase> {};

TEST_P(FitIntoButton, KeepsTheProportionsAndFillsOneSide) {
    const TFitCase c = GetParam();
    const TGlyphSize fit = FitIntoBox(c.SourceWidth, c.SourceHeight, 111, 91);
    EXPECT_EQ(fit.Width, c.Width);
    EXPECT_EQ(fit.Height, c.Height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitIntoButton,
                         testing::Values(
                             // r = 301 / 91, so 300 / r = 90.69... is truncated to 90.
                             TFitCase{"Samples", 300, 301, 90, 91},
                             // Wider than the box's proportions: the width fills it.
                             TFitCase{"DefaultPicture", 240, 180, 111, 83},
                             TFitCase{"SmallWideIsEnlarged", 50, 40, 111, 88},
                             TFitCase{"SmallTallIsEnlarged", 40, 47, 77, 91},
                             TFitCase{"ExactlyTheBox", 111, 91, 111, 91},
                             TFitCase{"TwiceTheBox", 222, 182, 111, 91},
                             TFitCase{"TallSliverTruncatesItsWidth", 10, 1000, 0, 91},
                             TFitCase{"WideSliverTruncatesItsHeight", 1000, 10, 111, 1}),
                         [](const testing::TestParamInfo<TFitCase>& info) {
                             return info.param.Name;
                         });

TEST(FitIntoBox, PictureWithoutPixelsGivesNoGlyph) {
    const TGlyphSize fit = FitIntoBox(0, 301, 111, 91);
    EXPECT_EQ(fit.Width, 0);
    EXPECT_EQ(fit.Height, 0);
}

}  // namespace
