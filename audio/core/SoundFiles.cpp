// SoundFiles.cpp: where the program is.
#include "audio/core/SoundFiles.h"

#include <filesystem>
#include <system_error>

std::string ProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}
