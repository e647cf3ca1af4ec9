// PauseWatchTest.cpp: the clock's stops and resumes for the sequences of reports that X11 and
// Wayland desktops give around a pause or a minimize, and those that minimize nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/core/PauseWatch.h"

namespace {

struct TCase {
    const char* Name;
    bool MinimizeReported;
    // P the pause button, M minimized, N not minimized, D deactivated, A activated, U a click or
    // key in the window, W a second passing.
    const char* Reports;
    // For each report: S stop the clock, R resume it, - nothing.
    const char* Steps;
};

const TCase Cases[] = {
    // The window manager iconifies the window and maps it again on the restore.
    {"X11PauseAndRestore", true, "PMDNA", "SS-R-"},
    {"X11MinimizeBox", true, "MDNA", "S-R-"},
    {"X11FocusAloneChangesNothing", true, "DADA", "----"},
    // The toolkit answers the minimize request with "not minimized" at once; the compositor
    // hides the window, which deactivates it, and the restore only activates it again.
    {"WaylandPauseAndRestore", false, "PMNDA", "SS--R"},
    {"WaylandActivationFromTheClickIsNoRestore", false, "PMANDA", "SS---R"},
    {"WaylandFocusAfterTheRestoreChangesNothing", false, "PMNDADA", "SS--R--"},
    {"WaylandSecondPause", false, "PMNDAPMNDA", "SS--RSS--R"},
    {"WaylandStatesOutsideAPauseAsBefore", false, "MN", "SR"},
    // The window stays on screen and active: the pause holds until it is used after a second.
    {"X11NoMinimize", true, "PMUWU", "SS--R"},
    {"WaylandNoMinimize", false, "PMNUWUU", "SS---R-"},
    {"X11UsedAfterLeavingAndComingBack", true, "PMDAU", "SS--R"},
};

char Letter(TPauseStep step) {
    switch (step) {
        case TPauseStep::Stop:
            return 'S';
        case TPauseStep::Resume:
            return 'R';
        case TPauseStep::None:
            break;
    }
    return '-';
}

class PauseWatch : public testing::TestWithParam<TCase> {};

TEST_P(PauseWatch, ClockFollowsThePause) {
    const TCase& c = GetParam();
    TPauseWatch watch(c.MinimizeReported);
    std::string steps;
    // Near the end of the tick counter, which wraps within the second.
    uint32_t now = 0xFFFFFF00u;
    for (const char* report = c.Reports; *report != '\0'; ++report) {
        switch (*report) {
            case 'P':
                steps += Letter(watch.Paused(now));
                break;
            case 'U':
                steps += Letter(watch.Used(now));
                break;
            case 'W':
                now += 1000;
                steps += '-';
                break;
            case 'M':
            case 'N':
                steps += Letter(watch.StateChanged(*report == 'M'));
                break;
            default:
                steps += Letter(watch.ActiveChanged(*report == 'A'));
                break;
        }
    }
    EXPECT_EQ(steps, c.Steps) << "reports " << c.Reports;
}

INSTANTIATE_TEST_SUITE_P(Reports, PauseWatch, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<TCase>& info) {
                             return std::string(info.param.Name);
                         });

}  // namespace
