// MainFormProbe.h: lets the widget tests read and set the main window's private game state.
#pragma once

#include <QtTest>
#include <algorithm>
#include <initializer_list>

#include "app/TMainForm.h"
#include "audio/TMediaPlayer.h"

struct TMainFormProbe {
    static TBoard& Board(TMainForm& form) { return form.Game.Board; }
    static TSettings& Settings(TMainForm& form) { return form.Settings; }

    // Shows the window and waits for its first show to be over: the music is opened only
    // once the board is on screen.
    static void Show(TMainForm& form) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.BackMusic->FileName().isEmpty());
    }

    // Shows the window at Basic with its board laid out as given.
    static void Arrange(TMainForm& form, std::initializer_list<int32_t> cells) {
        Show(form);
        std::copy(cells.begin(), cells.end(), form.Game.Board.BoardCells.begin());
        form.MainPaint->Invalidate();
        form.MainPaint->repaint();
    }

    // The middle of a cell at Basic, by its position in the grid.
    static QPoint CellCentre(int p) { return {(p % 3) * 120 + 60, (p / 3) * 120 + 60}; }
    static TClock& Clock(TMainForm& form) { return form.Game.Clock; }
    static const QImage& WorkBitmap(TMainForm& form) { return form.WorkBitmap; }
};
