// Levels.cpp: reading the level from the check marks of the level menu.
#include "engine/core/Levels.h"

#include "engine/core/Board.h"

int32_t LevelFromChecks(bool basic, bool middle, bool advance, bool user) {
    if (basic) {
        return LevelBasic;
    }
    if (middle) {
        return LevelMiddle;
    }
    if (advance) {
        return LevelAdvance;
    }
    return user ? LevelUser : LevelBasic;
}
