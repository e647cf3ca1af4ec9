// PauseWatch.cpp: the pause as the desktop's reports show it.
#include "app/core/PauseWatch.h"

TPauseStep TPauseWatch::Paused() {
    if (!MinimizeReported) {
        Phase = TPhase::Leaving;
    }
    return TPauseStep::Stop;
}

TPauseStep TPauseWatch::StateChanged(bool minimized) {
    if (minimized) {
        return TPauseStep::Stop;
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
    if (Phase != TPhase::Away) {
        return TPauseStep::None;
    }
    Phase = TPhase::Playing;
    return TPauseStep::Resume;
}
