// RegularFile.h: reading a whole file of the player's, which may turn out to be a FIFO, a device
// or far larger than any file the game keeps.
#pragma once

#include <cstddef>
#include <string>

enum class TFileFailure { None, Missing, NotRegular, TooLarge, Unreadable };

struct TFileContents {
    TFileFailure Failure = TFileFailure::None;
    std::string Bytes;
    // Why it could not be read, in words; empty when it was.
    std::string Why;
};

// Reads the file when it is a regular one of at most limit bytes. The open never waits, so a FIFO
// or a device in the file's place is refused rather than waited on; links are followed.
TFileContents ReadRegularFile(const std::string& path, size_t limit);

// Sizes that no file the game reads comes near, so a larger one is refused as unreadable.
inline constexpr size_t SettingsFileLimit = size_t{4} << 20;
inline constexpr size_t SoundFileLimit = size_t{16} << 20;
inline constexpr size_t MusicFileLimit = size_t{4} << 20;
