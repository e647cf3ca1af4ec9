// GlyphFit.h: the size a picture takes in a chooser button, keeping its proportions.
#pragma once

#include <cstdint>

struct TGlyphSize {
    int32_t Width;
    int32_t Height;
};

// Scales the source by the larger of its width and height ratios to the box, so it fills the box
// on one side and fits on the other; it may shrink or grow. Each side is truncated toward zero.
TGlyphSize FitIntoBox(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                      int32_t boxHeight);
