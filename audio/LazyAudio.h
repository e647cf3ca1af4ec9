// LazyAudio.h: the sound module, loaded on a thread of its own once the window is on the screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "audio/core/AudioOutput.h"

// Loads the module from beside the executable, in the background once started; the effects and
// the music wait for it at their first use, or load it then if it was never started. Without it
// the effects are silent and the music cannot open.
class TLazyAudio {
  public:
    TLazyAudio() = default;
    ~TLazyAudio();
    // Begins loading on a thread of its own, which calls loaded once it is done. The loader and
    // the toolkit would take turns at the dynamic linker's lock, so this is best called once the
    // window is on the screen.
    void Start(const std::function<void()>& loaded = {});
    TLazyAudio(const TLazyAudio&) = delete;
    TLazyAudio& operator=(const TLazyAudio&) = delete;

    ISoundEffects& Effects() { return EffectsProxy; }
    IMusicDevice& Music() { return MusicProxy; }

  private:
    class TEffects : public ISoundEffects {
      public:
        explicit TEffects(TLazyAudio& owner) : Owner(owner) {}
        void PlayWave(const std::string& fileName) override;

      private:
        TLazyAudio& Owner;
    };

    class TMusic : public IMusicDevice {
      public:
        explicit TMusic(TLazyAudio& owner) : Owner(owner) {}
        void Open(const std::string& path, TMusicLost lost) override;
        void Play() override;
        void Pause() override;
        void Close() override;

      private:
        // The music of a module that is there; nothing is ever open without one.
        IMusicDevice* Device();
        TLazyAudio& Owner;
    };

    void Load();
    // The loaded output, or null with Why saying what went wrong.
    IAudioOutput* Output();

    std::unique_ptr<IAudioOutput> Loaded;
    std::string Why;
    TEffects EffectsProxy{*this};
    TMusic MusicProxy{*this};
    bool Started = false;
    std::thread Loader;
};
