// PauseWatch.cpp: the pause as the desktop's reports show it.
#include "engine/core/PauseWatch.h"

namespace {
// How long a desktop that minimizes takes to hide the window, and then some.
constexpr uint32_t MinimizeWaitMs = 1000;
}  // namespace

TPauseStep TPauseWatch::Paused(uint32_t now) {
    Phase = TPhase::Leaving;
    PausedAt = now;
    return TPauseStep::Stop;
}

TPauseStep TPauseWatch::StateChanged(bool minimized) {
    if (minimized) {
        return TPauseStep::Stop;
    }
    if (MinimizeReported) {
        Phase = TPhase::Playing;
        return TPauseStep::Resume;
    }
    // While our own pause holds, "not minimized" is only the toolkit's answer to a request the
    // compositor does not report on.
    return Phase == TPhase::Playing ? TPauseStep::Resume : TPauseStep::None;
}

TPauseStep TPauseWatch::ActiveChanged(bool active) {
    // An activation still on its way when the pause was clicked is no restore: only one after
    // the pause took the window away is.
    if (!active) {
        if (Phase == TPhase::Leaving) {
            Phase = TPhase::Away;
        }
        return TPauseStep::None;
    }
    if (Phase != TPhase::Away || MinimizeReported) {
        return TPauseStep::None;
    }
    Phase = TPhase::Playing;
    return TPauseStep::Resume;
}

TPauseStep TPauseWatch::Used(uint32_t now) {
    // Within the first second the click may still be the one that paused, on a window the
    // desktop is about to hide.
    const bool leftOnScreen = Phase == TPhase::Leaving && now - PausedAt >= MinimizeWaitMs;
    if (Phase != TPhase::Away && !leftOnScreen) {
        return TPauseStep::None;
    }
    Phase = TPhase::Playing;
    return TPauseStep::Resume;
}
