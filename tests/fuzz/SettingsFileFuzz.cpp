// SettingsFileFuzz.cpp: any bytes as the settings file: the load, a save and a second load must
// neither crash nor hang, and what was saved must load back unchanged.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "settings/core/Infobank.h"
#include "settings/core/RegFileStore.h"

namespace {

// The settings file kept in memory: the store's reading and writing is all there is to try.
class TMemoryFile : public TRegFileStore {
  public:
    std::optional<std::string> Text;

  protected:
    std::optional<std::string> ReadText() override { return Text; }
    void ReplaceText(const std::string& text) override { Text = text; }
};

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
    TMemoryFile store;
    store.Text.emplace(reinterpret_cast<const char*>(data), size);
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
