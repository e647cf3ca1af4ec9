// SdlAudio.h: the sound card through SDL_mixer, open while something sounds.
#pragma once

#include <SDL_mixer.h>
#include <SDL_thread.h>

#include <memory>
#include <mutex>
#include <string>

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

    // Empty once the device has been tried and found; otherwise why it could not be opened. Waits
    // for the try; safe on any thread.
    const std::string& Failure();
    // The output's rate in frames a second, once the device has been found.
    int Rate() const { return OutputRate; }
    // The output's channels: stereo, 16-bit.
    static constexpr int Channels = 2;
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
    std::once_flag OpenerJoined;
    std::string Why;
    int OutputRate = 0;
    bool DeviceOpen = false;
    // Made on first use, on the toolkit's thread, where its events are delivered.
    std::unique_ptr<QTimer> Sleeper;
};
