// SoundFiles.h: the names of the game's sound files and where the music is looked for.
#pragma once

#include <string>

// Effects are handed over by their bare names; the output looks for them.
inline constexpr const char* MoveSoundFile = "pon.wav";
inline constexpr const char* ErrorSoundFile = "error.wav";

// The folder of the running program, from the kernel, so it may be asked on any thread.
std::string ProgramFolder();

// The music's full path in the given folder of the program; a folder that already ends with a
// separator (the root) gets none added.
std::string MusicPathIn(const std::string& folder);
