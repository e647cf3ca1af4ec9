// SdlEffects.cpp: looking for an effect's file, and reading, checking and converting its samples
// with SDL.
#include "audio/module/SdlEffects.h"

#include <SDL.h>
#include <QApplication>
#include <cstring>
#include <filesystem>
#include <memory>

#include "audio/core/SoundFiles.h"
#include "audio/module/SdlAudio.h"
#include "files/RegularFile.h"

namespace {

constexpr int EffectChannel = 0;
// An effect sounds for a fifth of a second and the next move cuts it off; a few seconds is more
// than a player ever hears of one. At the output's 22.05 kHz this keeps an effect under 450 KB,
// whatever the file's rate, as the mixer holds it converted to its own format.
constexpr Uint32 MaxEffectSeconds = 5;
// What sound cards play; SDL itself takes no more than 8 channels.
constexpr int MinEffectRate = 8000;
constexpr int MaxEffectRate = 192000;

// SDL reads the wave, plain or compressed samples alike, in whole frames at the file's own rate
// and channels, which are checked before the samples are converted to the output's format: a long
// file at a low rate would otherwise grow many times over. Empty when SDL cannot read or convert
// it, or when the output was never found and has no rate.
std::vector<uint8_t> Converted(const std::string& file, int outputRate) {
    SDL_AudioSpec wave{};
    Uint8* read = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &wave,
                       &read, &bytes) == nullptr) {
        return {};
    }
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> samples(read, SDL_FreeWAV);
    const Uint32 frames = bytes / (SDL_AUDIO_BITSIZE(wave.format) / 8 * wave.channels);
    SDL_AudioCVT convert;
    if (frames == 0 || wave.freq < MinEffectRate || wave.freq > MaxEffectRate ||
        frames > static_cast<Uint32>(wave.freq) * MaxEffectSeconds ||
        SDL_BuildAudioCVT(&convert, wave.format, wave.channels, wave.freq, AUDIO_S16SYS,
                          TSdlAudio::Channels, outputRate) < 0) {
        return {};
    }
    convert.len = static_cast<int>(bytes);
    std::vector<uint8_t> out(static_cast<size_t>(convert.len) * convert.len_mult);
    std::memcpy(out.data(), samples.get(), convert.len);
    convert.buf = out.data();
    if (SDL_ConvertAudio(&convert) != 0) {
        return {};
    }
    out.resize(static_cast<size_t>(convert.len_cvt));
    out.shrink_to_fit();
    return out;
}

}  // namespace

TSdlSoundEffects::TSdlSoundEffects(TSdlAudio& audio)
    : Audio(audio), Loader([this](const std::stop_token& stop) { RunLoader(stop); }) {
    const std::lock_guard lock(Guard);
    for (const char* name : {MoveSoundFile, ErrorSoundFile}) {
        Request(name);
    }
}

TSdlSoundEffects::~TSdlSoundEffects() {
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

void TSdlSoundEffects::RunLoader(const std::stop_token& stop) {
    std::unique_lock lock(Guard);
    while (Wanted.wait(lock, stop, [this] { return !Queue.empty(); }) && !stop.stop_requested()) {
        const std::string fileName = Queue.front();
        Queue.pop_front();
        lock.unlock();
        TEffect loaded = Load(fileName);
        lock.lock();
        Effects[fileName] = std::move(loaded);
    }
    // SDL frees what it keeps for a thread it did not start only when told.
    SDL_TLSCleanup();
}

TSdlSoundEffects::TEffect TSdlSoundEffects::Load(const std::string& fileName) {
    // The current folder first, as a bare name is looked for; then beside the program, where the
    // game's own effects lie. A FIFO or a device in a file's place counts as no file.
    TFileContents file = ReadRegularFile(fileName, SoundFileLimit);
    if (file.Failure == TFileFailure::Missing) {
        file = ReadRegularFile((std::filesystem::path(ProgramFolder()) / fileName).string(),
                               SoundFileLimit);
    }
    if (file.Failure != TFileFailure::None) {
        return {TState::Missing, {}};
    }
    TEffect effect{TState::Refused, Converted(file.Bytes, Audio.Rate())};
    if (!effect.Samples.empty()) {
        // Moving the effect keeps the samples where they are.
        effect.State = TState::Ready;
        effect.Chunk = {0, effect.Samples.data(), static_cast<Uint32>(effect.Samples.size()),
                        MIX_MAX_VOLUME};
    }
    return effect;
}
