// EditorLauncher.h: the picture editor that edit and play hands a picture to.
#pragma once

#include <string>

// Started on one file; the edit is over when its process ends.
class IEditorLauncher {
  public:
    virtual ~IEditorLauncher() = default;
    // Starts the editor with the file as its one argument; false when it cannot be started.
    virtual bool Start(const std::string& file) = 0;
    // Whether the editor started last has ended, without waiting for it: the game goes on
    // handling its events, signals among them, while the editor runs.
    virtual bool HasEnded() = 0;
};

// An editor that opens BMP files and whose process lives until the picture is closed; one that
// hands its files to an instance already running would end the wait at once.
#ifdef _WIN32
inline constexpr char EditorProgram[] = "MSPaint.EXE";
#else
inline constexpr char EditorProgram[] = "kolourpaint";
#endif

// Runs the program found on the search path, without a shell, so no character of the file's
// name is interpreted.
class TEditorLauncher : public IEditorLauncher {
  public:
    explicit TEditorLauncher(std::string program = EditorProgram);
    bool Start(const std::string& file) override;
    bool HasEnded() override;

  private:
    std::string Program;
    // The process started last, or 0.
    int Child = 0;
};
