// SettingsStore.h: the per-user settings store, seen as a registry key with typed values.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
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

// Failures of the store, carrying the texts the player sees.
class ERegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // Opens a key such as "\Software\Belnovia\Quorvel"; with create, makes it if missing. False
    // when there is no such key; a store that is there but cannot be read throws.
    virtual bool OpenKey(const std::string& path, bool create) = 0;
    // The value of that name in the open key, names compared ignoring case.
    virtual std::optional<TStoredValue> ReadValue(const std::string& name) = 0;
    // Creates or replaces a value; false when the store refuses it.
    virtual bool WriteValue(const std::string& name, const TStoredValue& value) = 0;
    // Puts the values written so far into lasting storage; throws when that fails, with the
    // system's reason.
    virtual void FlushKey() = 0;
    virtual void CloseKey() = 0;
};
