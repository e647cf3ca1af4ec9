// TMediaPlayer.cpp: the media player's notification around the player's rules, on the window's
// thread.
#include "audio/TMediaPlayer.h"

#include <QMetaObject>

TMediaPlayer::TMediaPlayer(IMusicDevice& device, QObject* parent)
    : QObject(parent), Player(device, [this] { emit Notify(); }) {}

void TMediaPlayer::Open() {
    // The device tells of a lost piece on a thread of its own; the player hears of it on the
    // window's, as a posted message.
    Player.Open(File.toStdString(), [this](const std::string& why) {
        QMetaObject::invokeMethod(
            this, [this, why] { Player.Lose(why); }, Qt::QueuedConnection);
    });
}
