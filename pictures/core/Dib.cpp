// Dib.cpp: turning a resource bitmap into the bitmap file a picture reader understands.
#include "pictures/core/Dib.h"

#include <cstdint>

#include "text/LittleEndian.h"

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BitFields = 3;

}  // namespace

std::string BitmapFileOfDib(std::string_view dib) {
    const EDibError invalid("Bitmap image is not valid");
    if (dib.size() < InfoHeaderSize) {
        throw invalid;
    }
    const uint32_t headerSize = ReadLittleEndian(dib.substr(0, 4));
    if (headerSize < InfoHeaderSize || headerSize > dib.size()) {
        throw invalid;
    }
    const uint16_t bitsPerPixel = static_cast<uint16_t>(ReadLittleEndian(dib.substr(14, 2)));
    const uint32_t compression = ReadLittleEndian(dib.substr(16, 4));
    const uint32_t coloursUsed = ReadLittleEndian(dib.substr(32, 4));
    // No count means a full palette for the depth; deeper pictures have none.
    const uint64_t colours =
        coloursUsed != 0 ? coloursUsed : (bitsPerPixel <= 8 ? uint64_t{1} << bitsPerPixel : 0);
    // The three colour masks follow a 40-byte header; longer headers carry them inside.
    const uint64_t masks = compression == BitFields && headerSize == InfoHeaderSize ? 12 : 0;
    const uint64_t pixelsAt = headerSize + masks + 4 * colours;
    if (pixelsAt > dib.size()) {
        throw invalid;
    }

    std::string file("BM");
    file += LittleEndianDword(static_cast<uint32_t>(FileHeaderSize + dib.size()));
    file += LittleEndianDword(0);  // two reserved words
    file += LittleEndianDword(static_cast<uint32_t>(FileHeaderSize + pixelsAt));
    file.append(dib);
    return file;
}
