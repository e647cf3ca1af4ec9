// PixelData.h: whether a bitmap file holds every pixel it declares, before a decoder that would
// fill the missing ones with whatever its memory held is let near it.
#pragma once

#include <string_view>

// False for a file cut short within its pixels and for run-length data that is malformed, ends
// early or skips pixels. Headers the check does not know are left to the decoder to judge.
bool HasAllPixels(std::string_view bitmapFile);
