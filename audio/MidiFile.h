// MidiFile.h: reading a standard MIDI file far enough to know whether it plays, for how long, and
// on which instruments.
#pragma once

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>

class EMidiError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TMidiPiece {
    // Up to the end of its longest track, through every tempo change.
    uint32_t LengthMs = 0;
    // What its notes may sound on, as soundfonts number instruments: (bank, program), bank 128
    // being the percussion kits of channel 10. Every bank and program a channel selects is paired,
    // as the tracks of a file are not read in time order, with bank 0 and program 0 where it
    // starts.
    std::set<std::pair<int, int>> Instruments;
};

// Reads a standard MIDI file of format 0 or 1. Throws EMidiError saying what is wrong with it.
TMidiPiece ReadMidiPiece(std::string_view bytes);
