// Levels.h: the level as the checked item of the level menu says it.
#pragma once

#include <cstdint>

// The first checked of Basic, Middle, Advance and User gives 0 to 3; none checked counts as Basic.
int32_t LevelFromChecks(bool basic, bool middle, bool advance, bool user);
