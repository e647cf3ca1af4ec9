// SdlAudio.h: the sound card through SDL_mixer: the output device and the wave effects on it.
#pragma once

#include <SDL_mixer.h>
#include <SDL_thread.h>

#include <map>
#include <memory>
#include <string>

#include "audio/core/SoundEffects.h"

class QTimer;

// Tries the output device in the background from construction on, so the window is built
// meanwhile. After that the device is open only while something sounds: SDL's audio thread wakes
// for every buffer, silent or not, so the device is closed a little after the last sound and
// opened again for the next. The output is always 16-bit stereo; only its rate follows what the
// sound card offers.
class TSdlAudio {
  public:
    TSdlAudio();
    ~TSdlAudio();
    TSdlAudio(const TSdlAudio&) = delete;
    TSdlAudio& operator=(const TSdlAudio&) = delete;

    // Empty once the device has been tried and found; otherwise why it could not be opened.
    const std::string& Failure();
    // The output's rate in frames a second, once the device has been found.
    int Rate() const { return OutputRate; }
    // Opens the device for something about to sound; false when there is none.
    bool Wake();
    // Closes the device a little after the effects have ended and the music has been unhooked.
    void SleepWhenSilent();
    bool Awake() const { return DeviceOpen; }

  private:
    static int TryOutput(void* audio);
    bool OpenDevice(int allowedChanges);
    void SleepIfSilent();

    // An SDL thread, as SDL frees what it keeps per thread only for threads of its own.
    SDL_Thread* Opener = nullptr;
    std::string Why;
    int OutputRate = 0;
    bool DeviceOpen = false;
    // Made on first use, on the toolkit's thread, where its events are delivered.
    std::unique_ptr<QTimer> Sleeper;
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
