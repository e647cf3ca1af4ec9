// EditorLauncher.cpp: the picture editor as a QProcess, its end the process's end.
#include "pictures/platform/EditorLauncher.h"

#include <utility>

TEditorLauncher::TEditorLauncher(QString program) : Program(std::move(program)) {
    // The editor is a program of its own: it talks to the game's terminal, not to the game.
    Editor.setProcessChannelMode(QProcess::ForwardedChannels);
    Editor.setInputChannelMode(QProcess::ForwardedInputChannel);
    connect(&Editor, &QProcess::finished, this, &IEditorLauncher::Ended);
}

bool TEditorLauncher::Start(const QString& file) {
    if (Editor.state() != QProcess::NotRunning) {
        return false;
    }
    Editor.start(Program, {file});
    return Editor.waitForStarted();
}
