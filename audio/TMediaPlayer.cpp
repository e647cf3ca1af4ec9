// TMediaPlayer.cpp: the media player's timer and notification around the player's rules.
#include "audio/TMediaPlayer.h"

#include <QTimer>

TMediaPlayer::TMediaPlayer(IMusicDevice& device, ITickCounter& ticks, QObject* parent)
    : QObject(parent),
      DueTimer(new QTimer(this)),
      Player(device, ticks, [this] { emit Notify(); }) {
    DueTimer->setSingleShot(true);
    // The end of a piece is not a tick of the clock; a coarse timer could wake a little early.
    DueTimer->setTimerType(Qt::PreciseTimer);
    connect(DueTimer, &QTimer::timeout, this, [this] {
        Player.Poll();
        Rearm();
    });
}

void TMediaPlayer::Rearm() {
    if (const auto due = Player.DueIn()) {
        DueTimer->start(static_cast<int>(*due));
    } else {
        DueTimer->stop();
    }
}

void TMediaPlayer::Open() {
    Player.Open(File.toStdString());
    Rearm();
}

void TMediaPlayer::Play() {
    Player.Play();
    Rearm();
}

void TMediaPlayer::Stop() {
    Player.Stop();
    Rearm();
}

TPlayerMode TMediaPlayer::Mode() {
    const TPlayerMode mode = Player.Mode();
    Rearm();
    return mode;
}

uint32_t TMediaPlayer::Position() {
    const uint32_t position = Player.Position();
    Rearm();
    return position;
}
