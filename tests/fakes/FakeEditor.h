// FakeEditor.h: an editor that records the files it is given and does its edit when waited for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/EditorLauncher.h"

class TFakeEditor : public IEditorLauncher {
  public:
    // False plays an editor that cannot be started.
    bool CanStart = true;
    std::vector<std::string> Started;
    int Waits = 0;
    // Runs while the launcher waits, as the editor's whole session would.
    std::function<void(const std::string& file)> OnWait;

    bool Start(const std::string& file) override {
        Started.push_back(file);
        return CanStart;
    }

    void WaitForEnd() override {
        ++Waits;
        if (OnWait) {
            OnWait(Started.back());
        }
    }
};
