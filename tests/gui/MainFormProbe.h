// MainFormProbe.h: lets the widget tests read and set the main window's private game state.
#pragma once

#include "app/TMainForm.h"

struct TMainFormProbe {
    static TBoard& Board(TMainForm& form) { return form.Board; }
    static TClock& Clock(TMainForm& form) { return form.Clock; }
    static const QImage& WorkBitmap(TMainForm& form) { return form.WorkBitmap; }
};
