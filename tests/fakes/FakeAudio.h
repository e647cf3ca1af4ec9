// FakeAudio.h: sound outputs for tests that record what the game asked of them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "audio/core/MusicDevice.h"
#include "audio/core/SoundEffects.h"

class TFakeSoundEffects : public ISoundEffects {
  public:
    std::vector<std::string> Played;
    // Called as an effect starts, e.g. to look at the board at that moment.
    std::function<void()> OnPlay;

    void PlayWave(const std::string& fileName) override {
        if (OnPlay) {
            OnPlay();
        }
        Played.push_back(fileName);
    }
};

// Records every request as a line: "Open <path>", "Play", "Pause", "Close".
class TFakeMusicDevice : public IMusicDevice {
  public:
    // The reason an open fails with, when set.
    std::optional<std::string> RefuseOpen;
    std::vector<std::string> Log;
    // What the last open was told to call when its piece is lost.
    TMusicLost Lost;

    void Open(const std::string& path, TMusicLost lost) override {
        Log.push_back("Open " + path);
        Lost = std::move(lost);
        if (RefuseOpen) {
            throw EMediaError(*RefuseOpen);
        }
    }
    void Play() override { Log.push_back("Play"); }
    void Pause() override { Log.push_back("Pause"); }
    void Close() override { Log.push_back("Close"); }
};
