// ThumbnailGrid.cpp: the launcher's grid arithmetic.
#include "pictures/ThumbnailGrid.h"

#include <algorithm>

int GridColumnsFor(int clientWidth) {
    return std::max(clientWidth / CellSize.width(), 1);
}

QRect CellRect(int index, int columns) {
    return {QPoint(index % columns * CellSize.width(), index / columns * CellSize.height()),
            CellSize};
}

int CellIndexAt(QPoint at, int columns) {
    return at.y() / CellSize.height() * columns + at.x() / CellSize.width();
}
