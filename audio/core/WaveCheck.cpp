// WaveCheck.cpp: the RIFF chunks of a wave file, and its format against what sound cards play.
#include "audio/core/WaveCheck.h"

#include <cstdint>

#include "text/LittleEndian.h"

namespace {

constexpr uint32_t PcmTag = 1;
constexpr uint32_t FloatTag = 3;
// The format tag then stands in the first two bytes of a GUID whose other bytes are these.
constexpr uint32_t ExtensibleTag = 0xFFFE;
constexpr std::string_view ExtensibleGuidTail(
    "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
constexpr size_t ExtensibleFormatSize = 40;
constexpr size_t PlainFormatSize = 16;

uint32_t Field(std::string_view bytes, size_t at, size_t size) {
    return ReadLittleEndian(bytes.substr(at, size));
}

struct TChunks {
    std::optional<std::string_view> Format;
    std::optional<std::string_view> Data;
};

// The first format and data chunks; a data chunk that runs past the end is no data chunk.
std::optional<TChunks> FindChunks(std::string_view file) {
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    TChunks chunks;
    size_t at = 12;
    while (at <= file.size() && file.size() - at >= 8) {
        const std::string_view id = file.substr(at, 4);
        const uint32_t size = Field(file, at + 4, 4);
        at += 8;
        if (size > file.size() - at) {
            if (id == "data" && !chunks.Data) {
                return std::nullopt;
            }
            break;
        }
        const std::string_view body = file.substr(at, size);
        if (id == "fmt " && !chunks.Format) {
            chunks.Format = body;
        } else if (id == "data" && !chunks.Data) {
            chunks.Data = body;
        }
        // Chunks start on even offsets.
        at += size + (size & 1u);
    }
    return chunks;
}

std::optional<TWaveFormat> ReadFormat(std::string_view chunk) {
    if (chunk.size() < PlainFormatSize) {
        return std::nullopt;
    }
    uint32_t tag = Field(chunk, 0, 2);
    if (tag == ExtensibleTag) {
        if (chunk.size() < ExtensibleFormatSize || chunk.substr(26, 14) != ExtensibleGuidTail) {
            return std::nullopt;
        }
        tag = Field(chunk, 24, 2);
    }
    TWaveFormat format;
    format.Channels = static_cast<int>(Field(chunk, 2, 2));
    const uint32_t rate = Field(chunk, 4, 4);
    const uint32_t blockAlign = Field(chunk, 12, 2);
    format.BitsPerSample = static_cast<int>(Field(chunk, 14, 2));
    const int bits = format.BitsPerSample;
    const bool integer = tag == PcmTag && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool floating = tag == FloatTag && bits == 32;
    if ((!integer && !floating) || format.Channels < 1 || format.Channels > MaxEffectChannels ||
        rate < MinEffectRate || rate > MaxEffectRate ||
        blockAlign != static_cast<uint32_t>(format.Channels * bits / 8)) {
        return std::nullopt;
    }
    format.Kind = floating ? TSampleKind::Float : TSampleKind::Integer;
    format.Rate = static_cast<int>(rate);
    return format;
}

}  // namespace

std::optional<TWaveFormat> CheckWave(std::string_view file) {
    const std::optional<TChunks> chunks = FindChunks(file);
    if (!chunks || !chunks->Format || !chunks->Data) {
        return std::nullopt;
    }
    std::optional<TWaveFormat> format = ReadFormat(*chunks->Format);
    if (!format) {
        return std::nullopt;
    }
    const size_t frameBytes = static_cast<size_t>(format->Channels) * format->BitsPerSample / 8;
    const size_t frames = chunks->Data->size() / frameBytes;
    if (frames == 0 || frames > static_cast<size_t>(format->Rate) * MaxEffectSeconds) {
        return std::nullopt;
    }
    format->Samples = chunks->Data->substr(0, frames * frameBytes);
    return format;
}
