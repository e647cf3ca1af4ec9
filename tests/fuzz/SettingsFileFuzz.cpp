// SettingsFileFuzz.cpp: any bytes as the settings file: the load, a save and a second load must
// neither crash nor hang, and what was saved must load back unchanged.
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "files/RegularFile.h"
#include "settings/core/Infobank.h"
#include "settings/platform/RegFileStore.h"

namespace {

// Memory-backed where there is such a folder, as every input is written, read and replaced.
std::string ScratchFile() {
    static const std::string path = [] {
        std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        folder += "/zellipo-fuzz-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return folder + "/Quorvel.reg";
    }();
    return path;
}

bool SameSettings(const TSettings& a, const TSettings& b) {
    return a.BitmapFileName == b.BitmapFileName && a.BitmapPath == b.BitmapPath &&
           a.Level == b.Level && a.SoundOn == b.SoundOn && a.MusicOn == b.MusicOn &&
           a.NumberOn == b.NumberOn && a.BasicRecorder == b.BasicRecorder &&
           a.BasicRecordTime == b.BasicRecordTime && a.MiddleRecorder == b.MiddleRecorder &&
           a.MiddleRecordTime == b.MiddleRecordTime && a.AdvanceRecorder == b.AdvanceRecorder &&
           a.AdvanceRecordTime == b.AdvanceRecordTime && a.UserDefineH == b.UserDefineH &&
           a.UserDefineV == b.UserDefineV;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile();
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
            std::abort();
        }
    }
    TRegFileStore store(path);
    TSettings loaded;
    try {
        LoadSettings(loaded, store);
    } catch (const ERegistryError&) {
        // A wrongly stored value: the others were read all the same.
    }
    // A changed picture name and a record, as a session would leave them.
    TSettings saved = loaded;
    saved.BitmapFileName += "\xe8\xb2\x93.bmp";
    saved.BasicRecorder = "Ann";
    // No stored time is better than this one, so the save keeps it.
    saved.BasicRecordTime = INT32_MIN;
    SaveSettings(saved, store);
    TSettings again;
    LoadSettings(again, store);
    if (!SameSettings(again, saved)) {
        std::fprintf(stderr, "the saved settings did not load back unchanged\n");
        std::abort();
    }
    return 0;
}
