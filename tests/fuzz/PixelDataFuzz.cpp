// PixelDataFuzz.cpp: any bytes as a bitmap file: the pixel check must neither crash nor hang, nor
// read a byte outside the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pictures/core/PixelData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HasAllPixels(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
