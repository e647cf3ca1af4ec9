// GlyphFit.cpp: fitting a sample picture into a chooser button.
#include "pictures/core/GlyphFit.h"

TGlyphSize FitIntoBox(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                      int32_t boxHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) {
        return {0, 0};
    }
    // Worked in whole numbers: in floating point 47 / (47 / 91.0) comes out a hair under 91,
    // and truncation would then take a pixel off the side that should fill the box.
    const int64_t sw = sourceWidth;
    const int64_t sh = sourceHeight;
    if (sw * boxHeight >= sh * boxWidth) {
        return {boxWidth, static_cast<int32_t>(sh * boxWidth / sw)};
    }
    return {static_cast<int32_t>(sw * boxHeight / sh), boxHeight};
}
