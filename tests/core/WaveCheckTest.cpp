// WaveCheckTest.cpp: which effect files reach the mixer.
#include <gtest/gtest.h>

#include <string>

#include "audio/core/WaveCheck.h"
#include "text/LittleEndian.h"

namespace {

std::string Word(uint32_t value) {
    return LittleEndianDword(value).substr(0, 2);
}

std::string Chunk(const std::string& id, const std::string& body) {
    return id + LittleEndianDword(static_cast<uint32_t>(body.size())) + body;
}

// A format chunk with a block align that fits the channels and bits, unless one is given.
std::string Format(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits,
                   uint32_t blockAlign = 0) {
    const uint32_t align = blockAlign != 0 ? blockAlign : channels * bits / 8;
    return Chunk("fmt ", Word(tag) + Word(channels) + LittleEndianDword(rate) +
                             LittleEndianDword(rate * align) + Word(align) + Word(bits));
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + LittleEndianDword(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string Data(size_t bytes) {
    return Chunk("data", std::string(bytes, '\x11'));
}

const std::string Pcm16 = Format(1, 1, 22050, 16);
// The subformat's GUID for integer samples.
const std::string ExtensibleTail = Word(22) + Word(16) + LittleEndianDword(4) + Word(1) +
                                   std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);

struct TWaveCase {
    const char* Name;
    std::string File;
    // The samples' bytes when the file is taken; -1 when it is refused.
    long Samples;
};

class WaveCheck : public testing::TestWithParam<TWaveCase> {};

TEST_P(WaveCheck, TakesOnlyFormatsSoundCardsPlayInWholeShortEffects) {
    const auto wave = CheckWave(GetParam().File);
    ASSERT_EQ(wave ? static_cast<long>(wave->Samples.size()) : -1, GetParam().Samples)
        << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, WaveCheck,
    testing::Values(
        TWaveCase{"16-bit mono", Riff(Pcm16 + Data(200)), 200},
        TWaveCase{"8 channels of 24 bits at 192 kHz", Riff(Format(1, 8, 192000, 24) + Data(48)),
                  48},
        TWaveCase{"floats at 8 kHz", Riff(Format(3, 2, 8000, 32) + Data(8)), 8},
        TWaveCase{
            "integer samples in the extensible format",
            Riff(Chunk("fmt ", Format(0xFFFE, 2, 44100, 16).substr(8) + ExtensibleTail) + Data(4)),
            4},
        TWaveCase{"odd chunk padded before the format",
                  Riff(Chunk("LIST", "abc") + std::string(1, '\0') + Pcm16 + Data(2)), 2},
        TWaveCase{"half a frame at the end left out", Riff(Format(1, 2, 8000, 16) + Data(10)), 8},
        TWaveCase{"exactly five seconds", Riff(Format(1, 1, 8000, 8) + Data(40000)), 40000},
        TWaveCase{"longer than five seconds", Riff(Format(1, 1, 8000, 8) + Data(40001)), -1},
        TWaveCase{"under 8 kHz", Riff(Format(1, 1, 7999, 16) + Data(200)), -1},
        TWaveCase{"over 192 kHz", Riff(Format(1, 1, 192001, 16) + Data(200)), -1},
        TWaveCase{"9 channels", Riff(Format(1, 9, 22050, 16) + Data(180)), -1},
        TWaveCase{"12-bit samples", Riff(Format(1, 1, 22050, 12, 2) + Data(200)), -1},
        TWaveCase{"compressed", Riff(Format(2, 1, 22050, 4, 256) + Data(256)), -1},
        TWaveCase{"block align of another format", Riff(Format(1, 2, 22050, 16, 2) + Data(200)),
                  -1},
        TWaveCase{"no frame", Riff(Pcm16 + Data(1)), -1}, TWaveCase{"no data", Riff(Pcm16), -1},
        TWaveCase{"data cut short", Riff(Pcm16 + Data(200)).substr(0, 100), -1}));

}  // namespace
