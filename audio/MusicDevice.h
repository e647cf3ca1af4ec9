// MusicDevice.h: the output the background music is played on, and the errors of its player.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Failures of the music player, carrying the text the player sees.
class EMediaError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A sequencer for one piece at a time. It knows nothing of positions: the player keeps them.
class IMusicDevice {
  public:
    virtual ~IMusicDevice() = default;
    // Loads the piece, replacing one loaded before, and returns its length in milliseconds.
    // Throws EMediaError with the reason when the file is missing or cannot be played.
    virtual uint32_t Open(const std::string& path) = 0;
    // Plays the piece from its beginning; at its end it starts over at once, without end.
    virtual void PlayFromStart() = 0;
    // Silences the piece, keeping the place, which Resume goes on from.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Silences and unloads the piece.
    virtual void Close() = 0;
};
