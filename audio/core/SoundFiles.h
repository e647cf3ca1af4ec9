// SoundFiles.h: the names of the game's sound files and where the program is.
#pragma once

#include <string>

// Effects are handed over by their bare names; the output looks for them. The music lies beside
// the program.
inline constexpr const char* MoveSoundFile = "pon.wav";
inline constexpr const char* ErrorSoundFile = "error.wav";
inline constexpr const char* MusicFile = "Music.mid";

// The folder of the running program, from the kernel, so it may be asked on any thread.
std::string ProgramFolder();
