// RegFileStore.h: the per-user settings store kept as a registry export text file.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/core/SettingsStore.h"

// Keys are sections under HKEY_CURRENT_USER. Writes are held in memory and the whole file is
// replaced at once when the key is closed, so a crash never leaves half a file behind. Lines the
// store does not own or does not understand are written back as they were read.
class TRegFileStore : public ISettingsStore {
  public:
    explicit TRegFileStore(std::string filePath);

    // $XDG_CONFIG_HOME/Belnovia/Quorvel.reg, or under ~/.config when that is not usable;
    // empty when the home folder cannot be found either.
    static std::string DefaultPath();

    bool OpenKey(const std::string& path, bool create) override;
    std::optional<TStoredValue> ReadValue(const std::string& name) override;
    bool WriteValue(const std::string& name, const TStoredValue& value) override;
    void CloseKey() override;

  private:
    struct TEntry {
        // One line of the file as read, without its final '\n' but with any carriage return;
        // a value line with continuation lines keeps them, joined by '\n'.
        std::string Text;
        bool OpensOurSection = false;
        // Set only for the value lines of the open key's section.
        std::optional<std::string> ValueName;
        TStoredValue Value;
    };

    const TEntry* LastValueNamed(const std::string& name) const;
    std::string ComposeFile() const;
    void Commit() const;

    std::string FilePath;
    bool KeyOpen = false;
    std::string Section;
    std::vector<TEntry> Entries;
    std::vector<std::pair<std::string, TStoredValue>> Written;
};
