// MidiFile.h: reading a standard MIDI file far enough to know whether it plays, and for how long.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

class EMidiError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The playing time in milliseconds of a standard MIDI file of format 0 or 1: up to the end of its
// longest track, through every tempo change. Throws EMidiError saying what is wrong with it.
uint32_t MidiLengthMs(std::string_view bytes);
