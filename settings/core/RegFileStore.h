// RegFileStore.h: the per-user settings store kept as a registry export text file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/core/SettingsStore.h"

// Keys are sections under HKEY_CURRENT_USER. Writes are held in memory and the whole text is
// replaced at once when the key is flushed. Lines the store does not own or does not understand
// are written back as they were read. Where the text is kept is up to the class below.
class TRegFileStore : public ISettingsStore {
  public:
    bool OpenKey(const std::string& path, bool create) override;
    std::optional<TStoredValue> ReadValue(const std::string& name) override;
    bool WriteValue(const std::string& name, const TStoredValue& value) override;
    void FlushKey() override;
    void CloseKey() override;

  protected:
    // The whole text, or nothing when there is none yet; throws ERegistryError when there is
    // one that cannot be read.
    virtual std::optional<std::string> ReadText() = 0;
    // Replaces the whole text; throws ERegistryError with the reason when that fails.
    virtual void ReplaceText(const std::string& text) = 0;

  private:
    struct TEntry {
        // One line of the file as read, without its final '\n' but with any carriage return;
        // a value line with continuation lines keeps them, joined by '\n'.
        std::string Text;
        // Set only for the value lines of the open key's section.
        std::optional<std::string> ValueName;
        TStoredValue Value;
    };

    // The index of the last value line of that name, or the number of lines when there is none.
    size_t LastValueNamed(const std::string& name) const;

    std::vector<TEntry> Entries;
    // The values written stand in the order of writing right after the first header of the open
    // key's section, at [FirstWritten, NextWritten); FirstWritten is 0 while no key is open.
    size_t FirstWritten = 0;
    size_t NextWritten = 0;
    const char* LineEnd = "";
};
