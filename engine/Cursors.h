// Cursors.h: the pointing-hand pointers, kept in a table by number as the screen keeps cursors.
#pragma once

#include <QCursor>
#include <cstdint>

// Loads the four hands of the built-in images under the numbers 1 (up) to 4 (right).
void RegisterPointingHands();

// The cursor of a number; 0 and unknown numbers are the default arrow.
QCursor CursorFor(int32_t number);
