// SdlAudio.h: the sound card through SDL_mixer: the output device, the wave effects on it and the
// MIDI music through its FluidSynth backend.
#pragma once

#include <SDL_mixer.h>
#include <SDL_thread.h>

#include <map>
#include <memory>
#include <string>

#include "audio/MusicDevice.h"
#include "audio/SoundEffects.h"

// Opens the output device in the background from construction on, so the window is built
// meanwhile; the first effect or piece waits for it.
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
    // Loaded once per file found; an unplayable file is kept as empty.
    std::map<std::string, std::unique_ptr<Mix_Chunk, TFreeChunk>> Chunks;
};

// The piece loops inside the mixer (FluidSynth's player starts over at the end-of-track at once,
// where SDL would report the end only seconds after the last note).
class TSdlMusicDevice : public IMusicDevice {
  public:
    explicit TSdlMusicDevice(TSdlAudio& audio) : Audio(audio) {}
    ~TSdlMusicDevice() override { Close(); }
    TSdlMusicDevice(const TSdlMusicDevice&) = delete;
    TSdlMusicDevice& operator=(const TSdlMusicDevice&) = delete;

    uint32_t Open(const std::string& path) override;
    void PlayFromStart() override;
    void Pause() override;
    void Resume() override;
    void Close() override;

  private:
    void Load();

    TSdlAudio& Audio;
    std::string Path;
    std::string Piece;  // the file's bytes, kept for a reload
    Mix_Music* Music = nullptr;
    // Whether the loaded piece has never played: FluidSynth's player keeps its place through a
    // halt, so only a fresh load starts from the beginning.
    bool Fresh = false;
};
