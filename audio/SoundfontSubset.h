// SoundfontSubset.h: a SoundFont 2 file cut down to the few presets a piece of music uses.
#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

class ESoundfontError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A preset as a soundfont numbers it: bank (128 for percussion kits) and program.
using TPresetNumber = std::pair<int, int>;

// Reads `count` bytes at `offset` of the soundfont file. The soundfont is read through this, not
// held whole in memory: only its header lists and the wanted samples are read (the sample data is
// most of the file). Must throw ESoundfontError (or return fewer bytes -> treated as cut short)
// past the end.
using TSoundfontReader = std::function<std::string(uint64_t offset, uint32_t count)>;

// A complete SF2 file holding the wanted presets that the soundfont has, the instruments they use
// and the samples those use (sample data copied, each followed by the 46 zero sample points the
// format asks for), with every index renumbered. The INFO list is copied as it is. Throws
// ESoundfontError saying what is wrong when the file is not a SoundFont 2 it can read, or when none
// of the wanted presets is in it.
std::string SoundfontSubset(const TSoundfontReader& read, uint64_t fileSize,
                            const std::set<TPresetNumber>& wanted);
