// Generator.cpp: the shuffle's random generator.
#include "engine/core/Generator.h"

namespace {
constexpr uint64_t Multiplier = (uint64_t{0x15A} << 32) | 0x4E35;
}

uint32_t TRandom::NextRaw() {
    S = S * Multiplier + 1;
    return static_cast<uint32_t>(S >> 32) & 0x7FFFFFFFu;
}

int32_t TRandom::Below(int32_t n) {
    const uint32_t raw = NextRaw();
    return n <= 0 ? 0 : static_cast<int32_t>(raw % static_cast<uint32_t>(n));
}
