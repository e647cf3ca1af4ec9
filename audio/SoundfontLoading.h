// SoundfontLoading.h: giving FluidSynth a General MIDI soundfont cut down to what a piece plays.
#pragma once

#include <fluidsynth.h>

#include <QString>
#include <set>
#include <utility>

// Lets the synthesizer load soundfonts made in memory; once, before the first LoadSoundfont.
void AddMemorySoundfontLoader(fluid_synth_t* synth, fluid_settings_t* settings);

// Loads the soundfont file with only the instruments, as (bank, program), that are asked for and
// that it has. A file that cannot be cut down is loaded whole, its samples read as instruments are
// chosen. Returns FluidSynth's id of the soundfont, or FLUID_FAILED.
int LoadSoundfont(fluid_synth_t* synth, fluid_settings_t* settings, const QString& path,
                  const std::set<std::pair<int, int>>& instruments);
