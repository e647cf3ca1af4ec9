// Records.h: the best time of each fixed level and the name of the player who reached it.
#pragma once

#include <cstdint>
#include <string>

#include "settings/core/Infobank.h"

// Strictly faster than the stored record of a fixed level; the user-defined level has none.
bool IsNewRecord(const TSettings& settings, int32_t level, int32_t seconds);

// Replaces the record of a fixed level, the holder's name exactly as typed (empty too).
void StoreRecord(TSettings& settings, int32_t level, std::string name, int32_t seconds) noexcept;
