// MusicPlayer.cpp: modes, position, auto-rewind and the end of play requests.
#include "audio/MusicPlayer.h"

#include <utility>

namespace {

// How long a device that went on past the end keeps sounding for a new request to join it. That
// request normally comes within milliseconds, from the handler of the end's notification.
constexpr uint32_t PastEndGraceMs = 1000;

// Ticks wrap; the signed difference tells which of two nearby ticks comes first.
bool Reached(uint32_t now, uint32_t tick) {
    return static_cast<int32_t>(now - tick) >= 0;
}

}  // namespace

TMusicPlayer::TMusicPlayer(IMusicDevice& device, ITickCounter& ticks, std::function<void()> notify)
    : Device(device), Ticks(ticks), Notify(std::move(notify)) {}

TMusicPlayer::~TMusicPlayer() {
    if (PlayerMode != TPlayerMode::NotReady) {
        Device.Close();
    }
}

void TMusicPlayer::Open(const std::string& fileName) {
    PlayerMode = TPlayerMode::NotReady;
    LengthMs = Device.Open(fileName);
    PlayerMode = TPlayerMode::Stopped;
    State = TDeviceState::Idle;
    PositionMs = 0;
}

void TMusicPlayer::RequireOpen() const {
    if (PlayerMode == TPlayerMode::NotReady) {
        throw EMediaError("No device is open");
    }
}

void TMusicPlayer::CatchUp(uint32_t now) {
    const uint32_t left = LengthMs - PositionMs;
    if (PlayerMode != TPlayerMode::Playing || now - StartTick < left) {
        return;
    }
    // The end came at EndTick, however late this look is; the device started over there.
    EndTick = StartTick + left;
    PositionMs = LengthMs;
    PlayerMode = TPlayerMode::Stopped;
    State = TDeviceState::RunningPastEnd;
    SilenceTick = now + PastEndGraceMs;
    Notify();
}

void TMusicPlayer::Play() {
    RequireOpen();
    const uint32_t now = Ticks.Now();
    CatchUp(now);
    if (PlayerMode == TPlayerMode::Playing) {
        // This request replaces the running one and goes on from the same place.
        Notify();
        return;
    }
    if (PositionMs >= LengthMs) {
        if (!AutoRewind) {
            // Nothing is left to play, so the request ends as it begins.
            Notify();
            return;
        }
        PositionMs = 0;
        if (State == TDeviceState::RunningPastEnd) {
            StartTick = EndTick;
            State = TDeviceState::Running;
            PlayerMode = TPlayerMode::Playing;
            return;
        }
        State = TDeviceState::Idle;
    }
    if (State == TDeviceState::Idle) {
        Device.PlayFromStart();
    } else {
        Device.Resume();
    }
    StartTick = now;
    State = TDeviceState::Running;
    PlayerMode = TPlayerMode::Playing;
}

void TMusicPlayer::Stop() {
    RequireOpen();
    const uint32_t now = Ticks.Now();
    CatchUp(now);
    if (PlayerMode == TPlayerMode::Playing) {
        PositionMs += now - StartTick;
        Device.Pause();
        State = TDeviceState::Paused;
        PlayerMode = TPlayerMode::Stopped;
        Notify();
    } else if (State == TDeviceState::RunningPastEnd) {
        Device.Pause();
        State = TDeviceState::Idle;
    }
}

TPlayerMode TMusicPlayer::Mode() {
    CatchUp(Ticks.Now());
    return PlayerMode;
}

uint32_t TMusicPlayer::Position() {
    const uint32_t now = Ticks.Now();
    CatchUp(now);
    return PlayerMode == TPlayerMode::Playing ? PositionMs + (now - StartTick) : PositionMs;
}

std::optional<uint32_t> TMusicPlayer::DueIn() {
    const uint32_t now = Ticks.Now();
    CatchUp(now);
    if (PlayerMode == TPlayerMode::Playing) {
        return LengthMs - PositionMs - (now - StartTick);
    }
    if (State == TDeviceState::RunningPastEnd) {
        return Reached(now, SilenceTick) ? 0 : SilenceTick - now;
    }
    return std::nullopt;
}

void TMusicPlayer::Poll() {
    const uint32_t now = Ticks.Now();
    CatchUp(now);
    if (State == TDeviceState::RunningPastEnd && Reached(now, SilenceTick)) {
        Device.Pause();
        State = TDeviceState::Idle;
    }
}
