// TMediaPlayer.cpp: the media player's notification around the player's rules.
#include "audio/TMediaPlayer.h"

TMediaPlayer::TMediaPlayer(IMusicDevice& device, QObject* parent)
    : QObject(parent), Player(device, [this] { emit Notify(); }) {}
