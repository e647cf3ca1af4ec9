// PixelData.h: whether a bitmap file gives every pixel it declares, before a decoder that would
// leave the missing ones as whatever its memory held is let near it.
#pragma once

#include <string_view>

// True only for a bitmap file laid out as the decoder reads it, with all its pixels in the file.
// False for a header the decoder would read some other way or refuse, a file cut short within its
// colour table or its pixels, and run-length data that is malformed, ends early or skips pixels.
bool HasAllPixels(std::string_view bitmapFile);
