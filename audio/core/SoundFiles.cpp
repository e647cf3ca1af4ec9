// SoundFiles.cpp: where the program and its music are.
#include "audio/core/SoundFiles.h"

#include <filesystem>
#include <system_error>

std::string ProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

std::string MusicPathIn(const std::string& folder) {
    const std::string separator = folder.ends_with('/') ? "" : "/";
    return folder + separator + "Music.mid";
}
