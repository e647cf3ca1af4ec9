// MainFormBoard.cpp: the main window's new game and the drawing of the board.
#include <QFontMetrics>
#include <QPainter>

#include "app/TMainForm.h"
#include "engine/core/Shuffle.h"
#include "settings/core/Infobank.h"

namespace {

const QColor HoleGreen(0, 128, 0);

// Numbers are set 16 pixels high from the top of their text cell, so take the largest face
// whose whole cell fits those 16 pixels; it and its ascent are worked out once, not per tile.
struct TTileNumberFont {
    QFont Font;
    int Ascent;
};

const TTileNumberFont& TileNumberFont() {
    static const TTileNumberFont number = [] {
        QFont font;
        font.setStyleStrategy(QFont::NoAntialias);
        for (int size = 16; size > 6; --size) {
            font.setPixelSize(size);
            if (QFontMetrics(font).height() <= 16) {
                break;
            }
        }
        return TTileNumberFont{font, QFontMetrics(font).ascent()};
    }();
    return number;
}

}  // namespace

void TMainForm::CmResetClick(QObject*) {
    // Stretched from the picture itself at the screen's resolution, so a high-density screen
    // shows the picture's own detail rather than a 360-pixel copy scaled up.
    const qreal ratio = MainPaint->devicePixelRatioF();
    WorkBitmap = QImage(MainPaint->size() * ratio, QImage::Format_RGB32);
    WorkBitmap.setDevicePixelRatio(ratio);
    WorkBitmap.fill(Qt::white);
    {
        QPainter painter(&WorkBitmap);
        painter.drawImage(MainPaint->rect(), FinalImage->Picture());
    }
    const TGridSize size =
        GridSizeForLevel(CheckedLevel(), Settings.UserDefineH, Settings.UserDefineV);
    // Seeded in whole seconds: two games started in the same second come out the same.
    NewBoard(Board, size, static_cast<uint32_t>(Calendar.Seconds()));
    MainPaint->Invalidate();
    Board.Solved = false;
    // A game that follows an interrupted flashing starts with the clock in its normal state.
    StartClock(Clock, Ticks.Now());
    ShowClockNormalColours();
    SetClockInterval(IntervalRunning);
    EnableClockTimer();
}

void TMainForm::MainPaintPaint(QObject*) {
    if (!Board.HasGame()) {
        return;
    }
    if (Board.Solved) {
        QPainter painter(&MainPaint->Canvas());
        painter.drawImage(Board.BoardLeft, Board.BoardTop, WorkBitmap);
        return;
    }
    for (int32_t p = 0; p < Board.CellCount(); ++p) {
        const TPoint origin = CellOrigin(Board, p);
        DrawTile(origin.X, origin.Y, Board.BoardCells[p]);
    }
}

void TMainForm::DrawTile(int32_t x, int32_t y, int32_t value) {
    const int32_t w = Board.TileWidth;
    const int32_t h = Board.TileHeight;
    const qreal ratio = WorkBitmap.devicePixelRatio();
    QImage tile(QSize(w, h) * ratio, QImage::Format_RGB32);
    tile.setDevicePixelRatio(ratio);
    QPainter painter(&tile);
    if (value < Board.Hole()) {
        const QRectF piece((value % Board.ColCount) * w, (value / Board.ColCount) * h, w, h);
        painter.drawImage(QRectF(0, 0, w, h), WorkBitmap,
                          QRectF(piece.topLeft() * ratio, piece.size() * ratio));
        if (CmNumber->isChecked()) {
            painter.setFont(TileNumberFont().Font);
            painter.setPen(Qt::red);
            painter.drawText(QPoint(1, h - 16 + TileNumberFont().Ascent),
                             QString::number(value + 1));
        }
    } else {
        tile.fill(HoleGreen);
    }
    // Lines that leave out their end points: white down the left and along the top, black along
    // the bottom and up the right, and the top-right corner pixel left as it was.
    painter.fillRect(0, 0, 1, h, Qt::white);
    painter.fillRect(0, 0, w - 1, 1, Qt::white);
    painter.fillRect(0, h - 1, w - 1, 1, Qt::black);
    painter.fillRect(w - 1, 1, 1, h - 1, Qt::black);
    painter.end();

    QPainter(&MainPaint->Canvas()).drawImage(x, y, tile);
    MainPaint->Flush(QRect(x, y, w, h));
}
