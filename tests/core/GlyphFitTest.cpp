// GlyphFitTest.cpp: sample pictures fitted into the chooser's 111 x 91 button pictures.
#include <gtest/gtest.h>

#include "pictures/GlyphFit.h"

namespace {

struct TFitCase {
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

INSTANTIATE_TEST_SUITE_P(
    Sizes, FitIntoButton,
    testing::Values(
        // The samples: r = 301 / 91, so 300 / r = 90.69... is truncated to 90.
        TFitCase{300, 301, 90, 91},
        // The default picture is wider than the box's proportions: the width fills it.
        TFitCase{240, 180, 111, 83},
        // Small pictures are enlarged.
        TFitCase{50, 40, 111, 88}, TFitCase{40, 47, 77, 91},
        // Exactly the box's size, and twice it.
        TFitCase{111, 91, 111, 91}, TFitCase{222, 182, 111, 91},
        // A sliver truncates to nothing on its short side.
        TFitCase{10, 1000, 0, 91}, TFitCase{1000, 10, 111, 1}));

TEST(FitIntoBox, PictureWithoutPixelsGivesNoGlyph) {
    const TGlyphSize fit = FitIntoBox(0, 301, 111, 91);
    EXPECT_EQ(fit.Width, 0);
    EXPECT_EQ(fit.Height, 0);
}

}  // namespace
