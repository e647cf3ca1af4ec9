// SdlAudio.h: the sound card through SDL_mixer, open while something sounds.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <string>

class QTimer;

// Tries the output device as it is made, which the game does on a thread of its own once the
// window is on the screen. After that the device is open only while something sounds: SDL's audio
// thread wakes for every buffer, silent or not, so the device is closed a little after the last
// sound and opened again for the next. The output is always 16-bit stereo; only its rate follows
// what the sound card offers.
class TSdlAudio {
  public:
    TSdlAudio();
    ~TSdlAudio();
    TSdlAudio(const TSdlAudio&) = delete;
    TSdlAudio& operator=(const TSdlAudio&) = delete;

    // Empty when the device was found; otherwise why it could not be opened.
    const std::string& Failure() const { return Why; }
    // The output's rate in frames a second, once the device has been found.
    int Rate() const { return OutputRate; }
    // The output's channels: stereo, 16-bit.
    static constexpr int Channels = 2;
    // Opens the device for something about to sound; false when there is none.
    bool Wake();
    // Closes the device a little after the effects have ended and the music has been unhooked.
    void SleepWhenSilent();
    // The mixer counts its openings of the device.
    bool Awake() const { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0; }

  private:
    bool OpenDevice(int allowedChanges);
    void SleepIfSilent();

    std::string Why;
    int OutputRate = 0;
    // Made on first use, on the toolkit's thread, where its events are delivered.
    std::unique_ptr<QTimer> Sleeper;
};
