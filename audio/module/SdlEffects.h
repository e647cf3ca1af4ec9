// SdlEffects.h: the wave effects of the moves, checked and converted on a loader thread and
// played on SDL_mixer's output.
#pragma once

#include <SDL_mixer.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "audio/core/SoundEffects.h"

class TSdlAudio;

// Effects on one mixer channel, so a new one cuts off the one before. A player's file may be
// anything, so an effect is read, checked and converted to the output's format on a thread of
// its own, never on the window's; the game's two effects are loaded from the start. An effect
// asked for while it loads is silent: the file is there, and the alert would say it is not.
class TSdlSoundEffects : public ISoundEffects {
  public:
    explicit TSdlSoundEffects(TSdlAudio& audio);
    ~TSdlSoundEffects() override;
    TSdlSoundEffects(const TSdlSoundEffects&) = delete;
    TSdlSoundEffects& operator=(const TSdlSoundEffects&) = delete;

    void PlayWave(const std::string& fileName) override;

  private:
    enum class TState { Loading, Missing, Refused, Ready };
    struct TEffect {
        TState State = TState::Loading;
        std::vector<uint8_t> Samples;
        // Plays the samples above, which it does not own.
        Mix_Chunk Chunk{};
    };

    void RunLoader(const std::stop_token& stop);
    void Request(const std::string& fileName);
    TEffect Load(const std::string& fileName);

    TSdlAudio& Audio;
    std::mutex Guard;
    std::condition_variable_any Wanted;
    // Everything below but the loader is guarded.
    std::deque<std::string> Queue;
    // Kept once loaded, and a file the mixer cannot play is refused for good; a missing one is
    // looked for again, as it may be put there while the game runs.
    std::map<std::string, TEffect> Effects;
    // Stopped and joined first as the effects go.
    std::jthread Loader;
};
