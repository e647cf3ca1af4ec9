// SoundFiles.cpp: where the music is looked for.
#include "audio/core/SoundFiles.h"

std::string MusicPathIn(const std::string& folder) {
    const std::string separator = folder.ends_with('/') ? "" : "/";
    return folder + separator + "Music.mid";
}
