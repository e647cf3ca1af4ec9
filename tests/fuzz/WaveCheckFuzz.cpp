// WaveCheckFuzz.cpp: any bytes as an effect file: the check must neither crash nor read outside
// them, and what it takes must be whole frames of a playable format, no longer than an effect.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "audio/core/WaveCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto wave = CheckWave(file);
    if (!wave) {
        return 0;
    }
    const size_t frameBytes = static_cast<size_t>(wave->Channels) * wave->BitsPerSample / 8;
    const bool within = wave->Samples.data() >= file.data() &&
                        wave->Samples.data() + wave->Samples.size() <= file.data() + file.size();
    const bool playable = wave->Channels >= 1 && wave->Channels <= MaxEffectChannels &&
                          wave->Rate >= MinEffectRate && wave->Rate <= MaxEffectRate &&
                          (wave->BitsPerSample == 32 || wave->Kind == TSampleKind::Integer);
    const size_t frames = wave->Samples.size() / frameBytes;
    if (!within || !playable || frames == 0 || wave->Samples.size() % frameBytes != 0 ||
        frames > static_cast<size_t>(wave->Rate) * MaxEffectSeconds) {
        std::abort();
    }
    return 0;
}
