// MusicPlayer.h: the rules of the background music player: its modes, the position it keeps,
// auto-rewind, and when a play request has ended.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/Clocks.h"
#include "audio/MusicDevice.h"

enum class TPlayerMode { NotReady, Stopped, Playing };

// The device loops the piece by itself without a gap, and cannot tell where it is; the player
// measures the position with the tick counter and ends a play request when the piece's length
// has passed, as a sequencer that plays a piece once would. A new request that follows at once
// joins the device where it already started over, so the loop stays gapless.
class TMusicPlayer {
  public:
    // notify is called whenever a play request ends: the piece reached its end, or the request
    // was stopped or replaced by a newer one.
    TMusicPlayer(IMusicDevice& device, ITickCounter& ticks, std::function<void()> notify);
    ~TMusicPlayer();
    TMusicPlayer(const TMusicPlayer&) = delete;
    TMusicPlayer& operator=(const TMusicPlayer&) = delete;

    // Opens the device for the file, stopped at the start; throws EMediaError when it cannot.
    void Open(const std::string& fileName);
    // Plays from the current position; from the start if it stands at the end and AutoRewind.
    void Play();
    // Stops, keeping the position.
    void Stop();

    TPlayerMode Mode();
    // Milliseconds from the start of the piece.
    uint32_t Position();
    uint32_t Length() const { return LengthMs; }

    bool AutoRewind = true;

    // Milliseconds until Poll has something to do, if anything is due.
    std::optional<uint32_t> DueIn();
    // Ends a play request whose piece has run out; silences a device that went on past the end
    // without a new request to join it.
    void Poll();

  private:
    enum class TDeviceState {
        Idle,            // silent; the next play starts it from the beginning
        Paused,          // silent where the position says
        Running,         // playing in step with the position
        RunningPastEnd,  // went on into the next round at EndTick while the player stopped
    };

    void RequireOpen() const;
    void CatchUp(uint32_t now);

    IMusicDevice& Device;
    ITickCounter& Ticks;
    std::function<void()> Notify;

    TPlayerMode PlayerMode = TPlayerMode::NotReady;
    TDeviceState State = TDeviceState::Idle;
    uint32_t LengthMs = 0;
    // While playing, the position was PositionMs at StartTick; otherwise it is PositionMs.
    uint32_t PositionMs = 0;
    uint32_t StartTick = 0;
    // When the last request reached the end, the device began its next round at EndTick; it is
    // silenced at SilenceTick unless a new request has joined it.
    uint32_t EndTick = 0;
    uint32_t SilenceTick = 0;
};
