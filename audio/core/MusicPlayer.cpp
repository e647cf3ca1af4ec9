// MusicPlayer.cpp: modes and the end of play requests.
#include "audio/core/MusicPlayer.h"

#include <utility>

TMusicPlayer::TMusicPlayer(IMusicDevice& device, std::function<void()> notify)
    : Device(device), Notify(std::move(notify)) {}

TMusicPlayer::~TMusicPlayer() {
    if (PlayerMode != TPlayerMode::NotReady) {
        Device.Close();
    }
}

void TMusicPlayer::Open(const std::string& fileName, TMusicLost lost) {
    PlayerMode = TPlayerMode::NotReady;
    Lost.clear();
    Device.Open(fileName, std::move(lost));
    PlayerMode = TPlayerMode::Stopped;
}

void TMusicPlayer::RequireOpen() const {
    if (PlayerMode == TPlayerMode::NotReady) {
        throw EMediaError("No device is open");
    }
}

void TMusicPlayer::Play() {
    RequireOpen();
    if (!Lost.empty()) {
        // As an open that failed: the reason once, and no device from then on.
        PlayerMode = TPlayerMode::NotReady;
        throw EMediaError(std::exchange(Lost, {}));
    }
    if (PlayerMode == TPlayerMode::Playing) {
        // This request replaces the running one and goes on from the same place.
        Notify();
        return;
    }
    Device.Play();
    PlayerMode = TPlayerMode::Playing;
}

void TMusicPlayer::Stop() {
    RequireOpen();
    if (PlayerMode == TPlayerMode::Playing) {
        Device.Pause();
        PlayerMode = TPlayerMode::Stopped;
        Notify();
    }
}

void TMusicPlayer::Lose(const std::string& why) {
    if (PlayerMode == TPlayerMode::NotReady) {
        return;
    }
    Device.Close();
    Lost = why;
    const bool wasPlaying = PlayerMode == TPlayerMode::Playing;
    PlayerMode = TPlayerMode::Stopped;
    if (wasPlaying) {
        Notify();
    }
}
