// MainFormClock.cpp: the main window's game clock.
#include "app/TMainForm.h"

void TMainForm::EnableClockTimer() {
    // Enabling a running timer must not restart its period.
    if (!ClockTimer->isActive()) {
        ClockTimer->start();
    }
}
