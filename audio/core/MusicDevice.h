// MusicDevice.h: the output the background music is played on, and the errors of its player.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

// Failures of the music player, carrying the text the player sees.
class EMediaError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Told that the piece opened has stopped for good, with the reason in the player's words. Called
// at most once for each piece, on any thread.
using TMusicLost = std::function<void(const std::string& why)>;

// A sequencer for one piece at a time, which starts the piece over at its end by itself, without a
// gap, for as long as it plays.
class IMusicDevice {
  public:
    virtual ~IMusicDevice() = default;
    // Loads the piece, replacing one loaded before, silent at its beginning. Throws EMediaError
    // with the reason when the file is missing or cannot be played; lost is told when the piece
    // cannot go on.
    virtual void Open(const std::string& path, TMusicLost lost) = 0;
    // Sounds the piece from where it stands.
    virtual void Play() = 0;
    // Silences the piece, keeping the place, which Play goes on from.
    virtual void Pause() = 0;
    // Silences and unloads the piece.
    virtual void Close() = 0;
};
