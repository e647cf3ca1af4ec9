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

void TMusicPlayer::Open(const std::string& fileName) {
    PlayerMode = TPlayerMode::NotReady;
    Device.Open(fileName);
    PlayerMode = TPlayerMode::Stopped;
}

void TMusicPlayer::RequireOpen() const {
    if (PlayerMode == TPlayerMode::NotReady) {
        throw EMediaError("No device is open");
    }
}

void TMusicPlayer::Play() {
    RequireOpen();
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
