// Records.cpp: the best time of each fixed level and the name of the player who reached it.
#include "settings/core/Records.h"

#include <utility>

#include "engine/core/Board.h"

namespace {

const TRecordFields* RecordOf(int32_t level) {
    return level >= LevelBasic && level <= LevelAdvance ? &RecordFields[level] : nullptr;
}

}  // namespace

bool IsNewRecord(const TSettings& settings, int32_t level, int32_t seconds) {
    const TRecordFields* record = RecordOf(level);
    return record && seconds < settings.*record->Time;
}

void StoreRecord(TSettings& settings, int32_t level, std::string name, int32_t seconds) noexcept {
    // The name arrives as the caller's own copy and is moved in, so nothing between the holder
    // and the time can fail: a new time is never credited to the previous holder.
    if (const TRecordFields* record = RecordOf(level)) {
        settings.*record->Holder = std::move(name);
        settings.*record->Time = seconds;
    }
}
