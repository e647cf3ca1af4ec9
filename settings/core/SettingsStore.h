// SettingsStore.h: the per-user settings store, seen as a registry key with typed values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Registry value types, by their numbers.
enum TValueType : uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegQword = 11,
    // A value whose stored data could not be read as any known form.
    RegUnknown = 0xFFFFFFFFu,
};

struct TStoredValue {
    uint32_t Type = RegNone;
    std::string Data;  // the raw bytes; a REG_DWORD is 4 bytes, little-endian
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // Opens a key such as "\Software\Belnovia\Quorvel"; with create, makes it if missing.
    virtual bool OpenKey(const std::string& path, bool create) = 0;
    // The value of that name in the open key, names compared ignoring case.
    virtual std::optional<TStoredValue> ReadValue(const std::string& name) = 0;
    // Creates or replaces a value; false when the store refuses it.
    virtual bool WriteValue(const std::string& name, const TStoredValue& value) = 0;
    virtual void CloseKey() = 0;
};
