// DialogLook.h: what every dialog of the game shares: its fixed size, frame, font and place.
#pragma once

#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QStringList>

// Everything about the dialog's look that differs from the rule; empty when it keeps it.
inline QStringList DialogLookProblems(const QDialog& dialog, QSize clientSize) {
    QStringList problems;
    if (dialog.size() != clientSize || dialog.minimumSize() != clientSize ||
        dialog.maximumSize() != clientSize) {
        problems << QStringLiteral("client %1 x %2, not a fixed %3 x %4")
                        .arg(dialog.width())
                        .arg(dialog.height())
                        .arg(clientSize.width())
                        .arg(clientSize.height());
    }
    const Qt::WindowFlags flags = dialog.windowFlags();
    if ((flags & Qt::WindowType_Mask) != Qt::Dialog || !(flags & Qt::WindowCloseButtonHint) ||
        (flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))) {
        problems << QStringLiteral("not a dialog frame with only a close box");
    }
    if (dialog.font().family() != QStringLiteral("新細明體") || dialog.font().pixelSize() != 12) {
        problems << QStringLiteral("font %1 %2 px")
                        .arg(dialog.font().family())
                        .arg(dialog.font().pixelSize());
    }
    const QRect screen = dialog.screen()->availableGeometry();
    const QPoint offset = dialog.geometry().center() - screen.center();
    if (offset.manhattanLength() > 2) {
        problems
            << QStringLiteral("off the screen's centre by %1, %2").arg(offset.x()).arg(offset.y());
    }
    return problems;
}

// Whether the label is large enough for all of its text, on as many lines as it may wrap to.
inline bool TextShowsWhole(const QLabel& label) {
    const QRect room = label.contentsRect();
    const QRect needed = label.fontMetrics().boundingRect(
        room, int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0), label.text());
    return room.contains(needed);
}
