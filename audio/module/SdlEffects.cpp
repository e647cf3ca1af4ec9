// SdlEffects.cpp: looking for an effect's file, checking it, and converting its samples with an
// SDL audio stream.
#include "audio/module/SdlEffects.h"

#include <SDL.h>
#include <QApplication>
#include <filesystem>
#include <memory>
#include <optional>

#include "audio/core/SoundFiles.h"
#include "audio/core/WaveCheck.h"
#include "audio/module/SdlAudio.h"
#include "files/RegularFile.h"

namespace {

constexpr int EffectChannel = 0;
// The stream is fed a piece at a time, so that it holds little more than the converted sound.
constexpr size_t PieceFrames = 4096;

struct TFreeStream {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};
using TStream = std::unique_ptr<SDL_AudioStream, TFreeStream>;

SDL_AudioFormat SampleFormat(const TWaveFormat& wave) {
    if (wave.Kind == TSampleKind::Float) {
        return AUDIO_F32LSB;
    }
    switch (wave.BitsPerSample) {
        case 8:
            return AUDIO_U8;
        case 16:
            return AUDIO_S16LSB;
        default:
            // 24-bit samples are widened to 32 bits on the way in.
            return AUDIO_S32LSB;
    }
}

std::string Widened(std::string_view samples24) {
    std::string samples32;
    samples32.reserve(samples24.size() / 3 * 4);
    for (size_t at = 0; at + 3 <= samples24.size(); at += 3) {
        samples32 += '\0';
        samples32 += samples24.substr(at, 3);
    }
    return samples32;
}

// Appends what the stream has converted; false when SDL fails.
bool Drain(SDL_AudioStream* stream, std::vector<uint8_t>& out) {
    const int available = SDL_AudioStreamAvailable(stream);
    // The resampler holds back the first frames of a high rate until it has more of them.
    if (available == 0) {
        return true;
    }
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(available));
    return SDL_AudioStreamGet(stream, out.data() + at, available) == available;
}

// The samples in the output's format; nothing when SDL cannot convert them.
std::optional<std::vector<uint8_t>> Converted(const TWaveFormat& wave, int outputRate) {
    const TStream stream(SDL_NewAudioStream(SampleFormat(wave), static_cast<Uint8>(wave.Channels),
                                            wave.Rate, AUDIO_S16SYS, TSdlAudio::Channels,
                                            outputRate));
    if (!stream) {
        return std::nullopt;
    }
    const size_t pieceBytes = PieceFrames * wave.Channels * wave.BitsPerSample / 8;
    std::vector<uint8_t> out;
    for (size_t at = 0; at < wave.Samples.size(); at += pieceBytes) {
        std::string_view piece = wave.Samples.substr(at, pieceBytes);
        std::string widened;
        if (wave.BitsPerSample == 24) {
            widened = Widened(piece);
            piece = widened;
        }
        if (SDL_AudioStreamPut(stream.get(), piece.data(), static_cast<int>(piece.size())) != 0 ||
            !Drain(stream.get(), out)) {
            return std::nullopt;
        }
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0 || !Drain(stream.get(), out) || out.empty()) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

TSdlSoundEffects::TSdlSoundEffects(TSdlAudio& audio) : Audio(audio) {
    for (const char* name : {MoveSoundFile, ErrorSoundFile}) {
        Request(name);
    }
    Loader = SDL_CreateThread(RunLoader, "effect loader", this);
}

TSdlSoundEffects::~TSdlSoundEffects() {
    {
        const std::lock_guard lock(Guard);
        Stopping = true;
    }
    Wanted.notify_one();
    SDL_WaitThread(Loader, nullptr);
    // The samples go with the effects.
    if (Audio.Awake()) {
        Mix_HaltChannel(EffectChannel);
    }
}

void TSdlSoundEffects::Request(const std::string& fileName) {
    Effects[fileName].State = TState::Loading;
    Queue.push_back(fileName);
    Wanted.notify_one();
}

void TSdlSoundEffects::PlayWave(const std::string& fileName) {
    Mix_Chunk* chunk = nullptr;
    {
        const std::lock_guard lock(Guard);
        const auto found = Effects.find(fileName);
        if (found == Effects.end()) {
            Request(fileName);
            return;
        }
        switch (found->second.State) {
            case TState::Loading:
                return;
            case TState::Missing:
                Request(fileName);
                [[fallthrough]];
            case TState::Refused:
                // A file refused counts as none, as the mixer could not play it.
                QApplication::beep();
                return;
            case TState::Ready:
                chunk = &found->second.Chunk;
        }
    }
    if (!Audio.Wake()) {
        return;
    }
    Mix_PlayChannel(EffectChannel, chunk, 0);
    Audio.SleepWhenSilent();
}

int TSdlSoundEffects::RunLoader(void* effects) {
    auto* self = static_cast<TSdlSoundEffects*>(effects);
    std::unique_lock lock(self->Guard);
    while (true) {
        self->Wanted.wait(lock, [self] { return self->Stopping || !self->Queue.empty(); });
        if (self->Stopping) {
            return 0;
        }
        const std::string fileName = self->Queue.front();
        self->Queue.pop_front();
        lock.unlock();
        TEffect loaded = self->Load(fileName);
        lock.lock();
        TEffect& effect = self->Effects[fileName];
        effect = std::move(loaded);
        effect.Chunk.abuf = effect.Samples.data();
        effect.Chunk.alen = static_cast<Uint32>(effect.Samples.size());
        effect.Chunk.volume = MIX_MAX_VOLUME;
    }
}

TSdlSoundEffects::TEffect TSdlSoundEffects::Load(const std::string& fileName) {
    // The current folder first, as a bare name is looked for; then beside the program, where the
    // game's own effects lie. A FIFO or a device in a file's place counts as no file.
    TFileContents file = ReadRegularFile(fileName, SoundFileLimit);
    if (file.Failure == TFileFailure::Missing) {
        file = ReadRegularFile((std::filesystem::path(ProgramFolder()) / fileName).string(),
                               SoundFileLimit);
    }
    TEffect effect;
    effect.State = TState::Missing;
    if (file.Failure != TFileFailure::None) {
        return effect;
    }
    effect.State = TState::Refused;
    const std::optional<TWaveFormat> wave = CheckWave(file.Bytes);
    if (!wave || !Audio.Failure().empty()) {
        return effect;
    }
    if (std::optional<std::vector<uint8_t>> samples = Converted(*wave, Audio.Rate())) {
        effect.Samples = std::move(*samples);
        effect.State = TState::Ready;
    }
    return effect;
}
