// SettingsFile.h: the settings store in its file on disk.
#pragma once

#include <optional>
#include <string>

#include "settings/core/RegFileStore.h"

class TSettingsFile : public TRegFileStore {
  public:
    // An empty path is a store with no file, which reads as empty and keeps nothing.
    explicit TSettingsFile(std::string filePath);

    // $XDG_CONFIG_HOME/Belnovia/Quorvel.reg, or under ~/.config when that is not usable;
    // empty when the home folder cannot be found either.
    static std::string DefaultPath();

  protected:
    std::optional<std::string> ReadText() override;
    void ReplaceText(const std::string& text) override;

  private:
    std::string FilePath;
};
