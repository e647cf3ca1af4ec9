// PauseWatch.h: when the clock stops and starts again around a minimize, from what the desktop
// reports of the main window.
#pragma once

#include <cstdint>

enum class TPauseStep { None, Stop, Resume };

// Under X11 the window manager reports the minimize and the restore as window states, and those
// alone stop and resume the clock. A Wayland compositor never reports a window as minimized: the
// toolkit reports "not minimized" right after the request, and a restore shows only as the
// window becoming active again. There the game's own pause therefore holds until the window,
// once the pause has deactivated it, is activated again.
// Some desktops do not minimize at all (weston's X11 window manager, an X server without one):
// the window stays on screen and active, and nothing is reported but the pause's own request. A
// desktop that minimizes deactivates the window within a second; where none did, the pause holds
// until the player uses the window again.
class TPauseWatch {
  public:
    explicit TPauseWatch(bool minimizeReported) : MinimizeReported(minimizeReported) {}

    // The pause button is about to minimize the game; now is the tick counter's milliseconds.
    TPauseStep Paused(uint32_t now);
    TPauseStep StateChanged(bool minimized);
    TPauseStep ActiveChanged(bool active);
    // A click or a key in the window.
    TPauseStep Used(uint32_t now);

  private:
    // Leaving: paused, the window still active; Away: paused and deactivated since.
    enum class TPhase { Playing, Leaving, Away };

    bool MinimizeReported;
    TPhase Phase = TPhase::Playing;
    uint32_t PausedAt = 0;
};
