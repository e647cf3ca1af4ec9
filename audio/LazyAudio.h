// LazyAudio.h: the sound module, loaded on a thread of its own once the window is on the screen.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <string>

#include "audio/core/AudioOutput.h"

// Loads the module from beside the executable, in the background once started; the effects and
// the music wait for it at their first use, or load it then if it was never started. Without it
// the effects are silent and the music cannot open.
class TLazyAudio : public ISoundEffects, public IMusicDevice {
  public:
    // Begins loading on a thread of its own, which calls loaded once it is done. The loader and
    // the toolkit would take turns at the dynamic linker's lock, so this is best called once the
    // window is on the screen.
    void Start(const std::function<void()>& loaded = {});

    ISoundEffects& Effects() { return *this; }
    IMusicDevice& Music() { return *this; }

    void PlayWave(const std::string& fileName) override;
    void Open(const std::string& path, TMusicLost lost) override;
    void Play() override;
    void Pause() override;
    void Close() override;

  private:
    void Load();
    // The loaded output, or null with Why saying what went wrong.
    IAudioOutput* Output();

    std::unique_ptr<IAudioOutput> Loaded;
    std::string Why;
    // Waits for the loader as it goes.
    std::future<void> Loader;
};
