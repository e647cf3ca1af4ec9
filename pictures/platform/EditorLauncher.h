// EditorLauncher.h: the picture editor that edit and play hands a picture to.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

// Started on one file; the edit is over when the editor signals its end.
class IEditorLauncher : public QObject {
    Q_OBJECT

  public:
    // Starts the editor with the file as its one argument; false when it cannot be started.
    virtual bool Start(const QString& file) = 0;

  signals:
    void Ended();
};

// An editor that opens BMP files and whose process lives until the picture is closed; one that
// hands its files to an instance already running would end the wait at once.
#ifdef _WIN32
inline constexpr char EditorProgram[] = "MSPaint.EXE";
#else
inline constexpr char EditorProgram[] = "kolourpaint";
#endif

// Runs the program found on the search path, without a shell, so no character of the file's
// name is interpreted. One editor runs at a time, and one still open when the game ends is
// ended with it.
class TEditorLauncher : public IEditorLauncher {
  public:
    explicit TEditorLauncher(QString program = QString::fromLatin1(EditorProgram));
    bool Start(const QString& file) override;

  private:
    QString Program;
    QProcess Editor;
};
