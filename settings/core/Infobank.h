// Infobank.h: the settings and best records of the player, kept across runs.
#pragma once

#include <cstdint>
#include <string>

#include "settings/core/SettingsStore.h"

// Texts are byte strings as stored (UTF-8 here), so a stored name round-trips byte for byte.
struct TSettings {
    std::string BitmapFileName;
    std::string BitmapPath;
    int32_t Level = 0;
    bool SoundOn = true;
    bool MusicOn = true;
    bool NumberOn = true;
    std::string BasicRecorder = "???";
    int32_t BasicRecordTime = 35999;
    std::string MiddleRecorder = "???";
    int32_t MiddleRecordTime = 35999;
    std::string AdvanceRecorder = "???";
    int32_t AdvanceRecordTime = 35999;
    int32_t UserDefineH = 4;
    int32_t UserDefineV = 4;
};

// Each fixed level's holder and time, by level number; a record replaces them together.
struct TRecordFields {
    std::string TSettings::*Holder;
    int32_t TSettings::*Time;
};
extern const TRecordFields RecordFields[3];

// Strictly faster than the stored record of a fixed level; the user-defined level has none.
bool IsNewRecord(const TSettings& settings, int32_t level, int32_t seconds);

// Replaces the record of a fixed level, the holder's name exactly as typed (empty too).
void StoreRecord(TSettings& settings, int32_t level, std::string name, int32_t seconds) noexcept;

// The key under the per-user root that holds the fourteen values.
extern const char* const SettingsKey;

// Sets the defaults, then every value present in the store. A wrongly typed value keeps its
// default while the others are still read; the first such error is thrown at the end.
void LoadSettings(TSettings& settings, ISettingsStore& store);

// Writes all fourteen values in their stored order and flushes them, which throws when the store
// cannot keep them. A best time the store holds that is better than the one given, stored
// meanwhile by another instance of the game, is written back with its holder instead.
void SaveSettings(const TSettings& settings, ISettingsStore& store);
