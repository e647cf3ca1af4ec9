// FakeEditor.h: an editor that records the files it is given and, once the launcher waits for
// it, does its edit and ends.
#pragma once

#include <QStringList>
#include <QTimer>
#include <functional>

#include "pictures/platform/EditorLauncher.h"

class TFakeEditor : public IEditorLauncher {
  public:
    // False plays an editor that cannot be started.
    bool CanStart = true;
    QStringList Started;
    // Edits whose end the launcher waited for.
    int Waits = 0;
    // The editor's whole session, run as the launcher waits.
    std::function<void(const QString& file)> OnWait;
    // While set, the editor ends only when told to.
    bool StillEditing = false;

    bool Start(const QString& file) override {
        Started << file;
        if (CanStart) {
            QTimer::singleShot(0, this, [this] {
                ++Waits;
                if (OnWait) {
                    OnWait(Started.back());
                }
                if (!StillEditing) {
                    emit Ended();
                }
            });
        }
        return CanStart;
    }
};
