// LazyAudio.h: the sound module, loaded on a thread of its own while the program starts.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "audio/AudioOutput.h"

// Loads the module from beside the executable from construction on. The effects and the music
// wait for it at their first use; without it the effects are silent and the music cannot open.
class TLazyAudio {
  public:
    TLazyAudio();
    ~TLazyAudio();
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
        uint32_t Open(const std::string& path) override;
        void PlayFromStart() override;
        void Pause() override;
        void Resume() override;
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
    std::thread Loader;
};
