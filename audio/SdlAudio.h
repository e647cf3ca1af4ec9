// SdlAudio.h: the sound card through SDL_mixer: the output device and the wave effects on it.
#pragma once

#include <SDL_mixer.h>
#include <SDL_thread.h>

#include <map>
#include <memory>
#include <string>

#include "audio/SoundEffects.h"

// Opens the output device in the background from construction on, so the window is built
// meanwhile; the first effect or piece waits for it. The output is always 16-bit stereo; only its
// rate follows what the sound card offers.
class TSdlAudio {
  public:
    TSdlAudio();
    ~TSdlAudio();
    TSdlAudio(const TSdlAudio&) = delete;
    TSdlAudio& operator=(const TSdlAudio&) = delete;

    // Empty once the device is open; otherwise why it could not be opened.
    const std::string& Failure();

  private:
    static int OpenOutput(void* audio);

    // An SDL thread, as SDL frees what it keeps per thread only for threads of its own.
    SDL_Thread* Opener = nullptr;
    std::string Why;
};

// Effects on one mixer channel, so a new one cuts off the one before.
class TSdlSoundEffects : public ISoundEffects {
  public:
    explicit TSdlSoundEffects(TSdlAudio& audio) : Audio(audio) {}
    void PlayWave(const std::string& fileName) override;

  private:
    struct TFreeChunk {
        void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
    };

    TSdlAudio& Audio;
    // Loaded once per name whose file was found; an unplayable file is kept as empty.
    std::map<std::string, std::unique_ptr<Mix_Chunk, TFreeChunk>> Chunks;
};
