// MusicPlayer.h: the rules of the background music player: its modes, and when a play request
// has ended.
#pragma once

#include <functional>
#include <string>

#include "audio/core/MusicDevice.h"

enum class TPlayerMode { NotReady, Stopped, Playing };

// The device loops the piece by itself, so a play request never runs out: it ends only when it is
// stopped or replaced by a newer one. A stop keeps the place and the next play goes on from it.
class TMusicPlayer {
  public:
    // notify is called whenever a play request ends.
    TMusicPlayer(IMusicDevice& device, std::function<void()> notify);
    ~TMusicPlayer();
    TMusicPlayer(const TMusicPlayer&) = delete;
    TMusicPlayer& operator=(const TMusicPlayer&) = delete;

    // Opens the device for the file, stopped at the start; throws EMediaError when it cannot.
    // lost is handed to the device, and Lose is to be called with what it is told.
    void Open(const std::string& fileName, TMusicLost lost);
    // Both throw EMediaError when no device is open. A play after the piece was lost throws the
    // reason, once, and leaves no device open.
    void Play();
    void Stop();
    // The device has stopped the piece for good: the player stands stopped, a play request that
    // was running has ended, and the next play tells why.
    void Lose(const std::string& why);

    TPlayerMode Mode() const { return PlayerMode; }

  private:
    void RequireOpen() const;

    IMusicDevice& Device;
    std::function<void()> Notify;
    TPlayerMode PlayerMode = TPlayerMode::NotReady;
    std::string Lost;
};
