// Levels.cpp: reading the level from the check marks of the level menu.
#include "app/Levels.h"

#include "engine/Board.h"

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
