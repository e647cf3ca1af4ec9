// PauseWatch.h: when the clock stops and starts again around a minimize, from what the desktop
// reports of the main window.
#pragma once

enum class TPauseStep { None, Stop, Resume };

// Under X11 the window manager reports the minimize and the restore as window states, and those
// alone stop and resume the clock. A Wayland compositor never reports a window as minimized: the
// toolkit reports "not minimized" right after the request, and a restore shows only as the
// window becoming active again. There the game's own pause therefore holds until the window,
// once the pause has deactivated it, is activated again.
class TPauseWatch {
  public:
    explicit TPauseWatch(bool minimizeReported) : MinimizeReported(minimizeReported) {}

    // The pause button is about to minimize the game.
    TPauseStep Paused();
    TPauseStep StateChanged(bool minimized);
    TPauseStep ActiveChanged(bool active);

  private:
    // Leaving: paused, the window still active; Away: paused and deactivated since.
    enum class TPhase { Playing, Leaving, Away };

    bool MinimizeReported;
    TPhase Phase = TPhase::Playing;
};
