// Records.cpp: the best time of each fixed level and the name of the player who reached it.
#include "settings/core/Records.h"

#include <utility>

#include "engine/core/Board.h"
#include "engine/core/GameClock.h"

bool IsNewRecord(const TSettings& settings, int32_t level, int32_t seconds) {
    switch (level) {
        case LevelBasic:
            return seconds < settings.BasicRecordTime;
        case LevelMiddle:
            return seconds < settings.MiddleRecordTime;
        case LevelAdvance:
            return seconds < settings.AdvanceRecordTime;
        default:
            return false;
    }
}

void StoreRecord(TSettings& settings, int32_t level, std::string name, int32_t seconds) noexcept {
    // The name arrives as the caller's own copy and is moved in, so nothing between the holder
    // and the time can fail: a new time is never credited to the previous holder.
    switch (level) {
        case LevelBasic:
            settings.BasicRecorder = std::move(name);
            settings.BasicRecordTime = seconds;
            break;
        case LevelMiddle:
            settings.MiddleRecorder = std::move(name);
            settings.MiddleRecordTime = seconds;
            break;
        case LevelAdvance:
            settings.AdvanceRecorder = std::move(name);
            settings.AdvanceRecordTime = seconds;
            break;
        default:
            break;
    }
}

TRecordTexts RecordTexts(const TSettings& settings) {
    return {settings.BasicRecorder,   TimeText(settings.BasicRecordTime),
            settings.MiddleRecorder,  TimeText(settings.MiddleRecordTime),
            settings.AdvanceRecorder, TimeText(settings.AdvanceRecordTime)};
}
