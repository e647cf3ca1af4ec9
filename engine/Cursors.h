// Cursors.h: the pointing-hand pointers, kept in a table by number as the screen keeps cursors.
#pragma once

#include <QCursor>
#include <cstdint>

// The cursor of a number: the pointing hands of the built-in images are 1 (up) to 4 (right); 0
// and unknown numbers are the default arrow.
QCursor CursorFor(int32_t number);
