// FakeSettingsStore.h: an in-memory settings store for tests, which can be told to fail.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "settings/core/Infobank.h"
#include "text/LittleEndian.h"

inline TStoredValue TextValue(std::string bytes) {
    return {RegSz, std::move(bytes)};
}

inline TStoredValue DwordValue(int32_t number) {
    return {RegDword, LittleEndianDword(static_cast<uint32_t>(number))};
}

inline bool operator==(const TStoredValue& a, const TStoredValue& b) {
    return a.Type == b.Type && a.Data == b.Data;
}

// Failures show the bytes in hex, as the settings file does.
inline void PrintTo(const TStoredValue& value, std::ostream* out) {
    *out << "{type " << value.Type << ", bytes";
    for (char c : value.Data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x",
                      static_cast<unsigned>(static_cast<unsigned char>(c)));
        *out << hex;
    }
    *out << "}";
}

// One key. Names are compared exactly: the settings code must use the names as stored.
class TFakeSettingsStore : public ISettingsStore {
  public:
    bool KeyExists = true;
    std::optional<std::string> RefuseWriteOf;

    std::vector<std::pair<std::string, TStoredValue>> Values;
    std::vector<std::string> OpenedPaths;
    // The names handed to WriteValue, in order, refused ones included.
    std::vector<std::string> WriteLog;
    bool IsOpen = false;
    int CloseCount = 0;

    void Put(const std::string& name, TStoredValue value) {
        for (auto& [storedName, storedValue] : Values) {
            if (storedName == name) {
                storedValue = std::move(value);
                return;
            }
        }
        Values.emplace_back(name, std::move(value));
    }

    std::optional<TStoredValue> Get(const std::string& name) const {
        for (const auto& [storedName, storedValue] : Values) {
            if (storedName == name) {
                return storedValue;
            }
        }
        return std::nullopt;
    }

    bool OpenKey(const std::string& path, bool create) override {
        OpenedPaths.push_back(path);
        if (!KeyExists && !create) {
            return false;
        }
        KeyExists = true;
        IsOpen = true;
        return true;
    }

    std::optional<TStoredValue> ReadValue(const std::string& name) override {
        return IsOpen ? Get(name) : std::nullopt;
    }

    bool WriteValue(const std::string& name, const TStoredValue& value) override {
        WriteLog.push_back(name);
        if (!IsOpen || RefuseWriteOf == name) {
            return false;
        }
        Put(name, value);
        return true;
    }

    void FlushKey() override {}

    void CloseKey() override {
        IsOpen = false;
        ++CloseCount;
    }
};

// The text of the ERegistryError thrown, empty when none was.
inline std::string LoadError(TSettings& settings, ISettingsStore& store) {
    try {
        LoadSettings(settings, store);
    } catch (const ERegistryError& error) {
        return error.what();
    }
    return {};
}

inline std::string SaveError(const TSettings& settings, ISettingsStore& store) {
    try {
        SaveSettings(settings, store);
    } catch (const ERegistryError& error) {
        return error.what();
    }
    return {};
}
