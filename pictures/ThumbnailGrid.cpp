// ThumbnailGrid.cpp: the launcher's grid arithmetic.
#include "pictures/ThumbnailGrid.h"

#include <algorithm>

int GridColumnsFor(int clientWidth) {
    return std::max(clientWidth / CellSize.width(), 1);
}

int GridRowsFor(int cellCount, int columns) {
    return (cellCount + columns - 1) / columns;
}

QRect CellRect(int index, int columns) {
    return {QPoint(index % columns * CellSize.width(), index / columns * CellSize.height()),
            CellSize};
}

int CellIndexAt(QPoint at, int columns) {
    return at.y() / CellSize.height() * columns + at.x() / CellSize.width();
}

QPoint ThumbnailOrigin(const QRect& cell, QSize thumbnail) {
    return cell.topLeft() + ThumbnailBox.topLeft() +
           QPoint((ThumbnailBox.width() - thumbnail.width()) / 2,
                  (ThumbnailBox.height() - thumbnail.height()) / 2);
}
