// FakeEditor.h: an editor that records the files it is given and does its edit when first asked
// whether it has ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/platform/EditorLauncher.h"

class TFakeEditor : public IEditorLauncher {
  public:
    // False plays an editor that cannot be started.
    bool CanStart = true;
    std::vector<std::string> Started;
    // Edits whose end the launcher waited for.
    int Waits = 0;
    // Runs when the launcher first asks after the end, as the editor's whole session would.
    std::function<void(const std::string& file)> OnWait;
    // While set, the editor has not ended however often it is asked.
    bool StillEditing = false;

    bool Start(const std::string& file) override {
        Started.push_back(file);
        Asked = false;
        return CanStart;
    }

    bool HasEnded() override {
        if (!Asked) {
            Asked = true;
            ++Waits;
            if (OnWait) {
                OnWait(Started.back());
            }
        }
        return !StillEditing;
    }

  private:
    bool Asked = false;
};
