// Infobank.cpp: loading and saving the player's settings, and the rule of the best records.
#include "settings/core/Infobank.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

#include "engine/core/Board.h"
#include "text/LittleEndian.h"

const char* const SettingsKey = "\\Software\\Belnovia\\Quorvel";

const TRecordFields RecordFields[3] = {
    {&TSettings::BasicRecorder, &TSettings::BasicRecordTime},
    {&TSettings::MiddleRecorder, &TSettings::MiddleRecordTime},
    {&TSettings::AdvanceRecorder, &TSettings::AdvanceRecordTime},
};

namespace {

// The type of the member decides how the value is stored: a string is text, an int32_t a
// number, a bool a switch. Keeping kind and member in one field means they cannot disagree.
using TField = std::variant<std::string TSettings::*, int32_t TSettings::*, bool TSettings::*>;

struct TLayoutRow {
    const char* Name;
    TField Field;
};

// The stored order is the order of writing, which the settings file shows to anyone reading it.
// The defaults live in the member initialisers of TSettings.
const TLayoutRow Layout[] = {
    {"Bitmap file name", &TSettings::BitmapFileName},
    {"Bitmap path", &TSettings::BitmapPath},
    {"Level", &TSettings::Level},
    {"Sound", &TSettings::SoundOn},
    {"Music", &TSettings::MusicOn},
    {"Number", &TSettings::NumberOn},
    {"Basic recorder", &TSettings::BasicRecorder},
    {"Basic record time", &TSettings::BasicRecordTime},
    {"Middle recorder", &TSettings::MiddleRecorder},
    {"Middle record time", &TSettings::MiddleRecordTime},
    {"Advance recorder", &TSettings::AdvanceRecorder},
    {"Advance record time", &TSettings::AdvanceRecordTime},
    {"User define number H", &TSettings::UserDefineH},
    {"User define number V", &TSettings::UserDefineV},
};

// Closes the key however the reading or writing ends, errors included.
using TOpenKey =
    std::unique_ptr<ISettingsStore, decltype([](ISettingsStore* store) { store->CloseKey(); })>;

// Reads a stored value into a field of its type, or gives the fault that leaves it as it was.
template <class TValue>
const char* ReadField(const TStoredValue& stored, TValue& field) {
    if constexpr (std::is_same_v<TValue, std::string>) {
        if (stored.Type != RegSz && stored.Type != RegExpandSz) {
            return "Invalid data type";
        }
        // A stored text may carry its terminating zero, or junk after it; neither belongs to it.
        field = stored.Data.substr(0, stored.Data.find('\0'));
    } else {
        if (stored.Data.size() > 4) {
            return "Failed to get data";
        }
        if (stored.Type != RegDword) {
            return "Invalid data type";
        }
        // A switch is on for any number but 0.
        field = static_cast<TValue>(static_cast<int32_t>(ReadLittleEndian(stored.Data)));
    }
    return nullptr;
}

// Texts are stored as they are; numbers, and switches as 0 or 1, in 32 bits.
template <class TValue>
TStoredValue StoredValue(const TValue& field) {
    if constexpr (std::is_same_v<TValue, std::string>) {
        return {RegSz, field};
    } else {
        return {RegDword, LittleEndianDword(static_cast<uint32_t>(field))};
    }
}

// Reads a field's stored value into value; false when it is missing or of another type.
template <class TValue>
bool ReadStored(ISettingsStore& store, TValue TSettings::*field, TValue& value) {
    const char* name = std::ranges::find(Layout, TField(field), &TLayoutRow::Field)->Name;
    const std::optional<TStoredValue> stored = store.ReadValue(name);
    return stored && !ReadField(*stored, value);
}

// Another instance of the game may have stored a better time since this one loaded the
// settings; writing back the record this one holds would lose it.
void KeepBetterStoredRecords(TSettings& settings, ISettingsStore& store) {
    for (const auto& [holder, time] : RecordFields) {
        std::string name;
        int32_t seconds = 0;
        if (ReadStored(store, holder, name) && ReadStored(store, time, seconds) &&
            seconds < settings.*time) {
            settings.*holder = std::move(name);
            settings.*time = seconds;
        }
    }
}

const TRecordFields* RecordOf(int32_t level) {
    return level >= LevelBasic && level <= LevelAdvance ? &RecordFields[level] : nullptr;
}

}  // namespace

bool IsNewRecord(const TSettings& settings, int32_t level, int32_t seconds) {
    const TRecordFields* record = RecordOf(level);
    return record && seconds < settings.*record->Time;
}

void StoreRecord(TSettings& settings, int32_t level, std::string name, int32_t seconds) noexcept {
    // The name arrives as the caller's own copy and is moved in, so nothing between the holder
    // and the time can fail: a new time is never credited to the previous holder.
    if (const TRecordFields* record = RecordOf(level)) {
        settings.*record->Holder = std::move(name);
        settings.*record->Time = seconds;
    }
}

void LoadSettings(TSettings& settings, ISettingsStore& store) {
    settings = TSettings{};
    if (!store.OpenKey(SettingsKey, false)) {
        return;
    }
    const TOpenKey openKey(&store);
    std::optional<std::string> firstError;
    for (const TLayoutRow& row : Layout) {
        if (const std::optional<TStoredValue> stored = store.ReadValue(row.Name)) {
            // A value that cannot be read keeps its default; the rest are still worth having.
            const char* fault = std::visit(
                [&](auto field) { return ReadField(*stored, settings.*field); }, row.Field);
            if (fault && !firstError) {
                firstError = std::string(fault) + " for '" + row.Name + "'";
            }
        }
    }
    if (firstError) {
        throw ERegistryError(*firstError);
    }
}

void SaveSettings(const TSettings& ours, ISettingsStore& store) {
    if (!store.OpenKey(SettingsKey, true)) {
        return;
    }
    const TOpenKey openKey(&store);
    TSettings settings = ours;
    KeepBetterStoredRecords(settings, store);
    for (const TLayoutRow& row : Layout) {
        const TStoredValue value =
            std::visit([&](auto field) { return StoredValue(settings.*field); }, row.Field);
        if (!store.WriteValue(row.Name, value)) {
            throw ERegistryError(std::string("Failed to set data for '") + row.Name + "'");
        }
    }
    store.FlushKey();
}
