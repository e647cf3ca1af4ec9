// ThumbnailGrid.h: the launcher's grid of picture cells, in pixels of the grid's paint box.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Each cell holds a box at its top left in which the thumbnail is centred.
inline constexpr QSize CellSize(100, 80);
inline constexpr QRect ThumbnailBox(4, 4, 92, 72);
// The pictures that get a cell: the first ones in list order, up to this many.
inline constexpr int ThumbnailCapacity = 100;

// As many whole cells across as the client width holds, at least one.
int GridColumnsFor(int clientWidth);

QRect CellRect(int index, int columns);

// The index of the cell under a point of the grid; it may lie beyond the last picture.
int CellIndexAt(QPoint at, int columns);
