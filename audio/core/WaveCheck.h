// WaveCheck.h: what an effect file must be before the mixer may decode it: a RIFF/WAVE file of
// plain samples in a format sound cards play, short enough for an effect.
#pragma once

#include <optional>
#include <string_view>

enum class TSampleKind { Integer, Float };

struct TWaveFormat {
    TSampleKind Kind = TSampleKind::Integer;
    int Channels = 0;
    // Frames a second.
    int Rate = 0;
    // 8 (unsigned), 16, 24 or 32 (signed) for integers; 32 for floats.
    int BitsPerSample = 0;
    // The whole frames of the data chunk, within the bytes that were checked.
    std::string_view Samples;
};

// An effect sounds for a fifth of a second and the next move cuts it off; a few seconds is more
// than a player ever hears of one. At the output's 22.05 kHz this keeps an effect under 450 KB,
// whatever the file's rate, as the mixer holds it converted to its own format.
inline constexpr int MaxEffectSeconds = 5;
inline constexpr int MinEffectRate = 8000;
inline constexpr int MaxEffectRate = 192000;
inline constexpr int MaxEffectChannels = 8;

// The format and samples of the file's bytes when it is such a file, of at least one frame and at
// most MaxEffectSeconds long; nothing otherwise, also when its data chunk is cut short.
std::optional<TWaveFormat> CheckWave(std::string_view file);
