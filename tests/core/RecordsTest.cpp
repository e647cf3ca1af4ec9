// RecordsTest.cpp: when a finished game is a record, and how it is stored.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/core/Board.h"
#include "settings/core/Infobank.h"

namespace {

auto Records(const TSettings& s) {
    return std::tie(s.BasicRecorder, s.BasicRecordTime, s.MiddleRecorder, s.MiddleRecordTime,
                    s.AdvanceRecorder, s.AdvanceRecordTime);
}

TEST(NewRecord, OnlyATimeStrictlyUnderItsOwnLevelsRecordIsOne) {
    TSettings s;
    s.MiddleRecordTime = 100;
    s.AdvanceRecordTime = -1;
    struct TCase {
        int32_t Level, Seconds;
        bool Expected;
    };
    const TCase cases[] = {
        {LevelBasic, 35998, true},
        {LevelBasic, 35999, false},
        {LevelBasic, 100, true},
        {LevelMiddle, 99, true},
        {LevelMiddle, 100, false},
        {LevelMiddle, 500, false},
        // A negative stored time is compared signed.
        {LevelAdvance, 5, false},
        {LevelAdvance, -2, true},
        // The user-defined level, or no level at all, never has one.
        {LevelUser, 0, false},
        {-1, 0, false},
        {4, 0, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(IsNewRecord(s, c.Level, c.Seconds), c.Expected)
            << "level " << c.Level << ", " << c.Seconds << " s";
    }
}

TEST(StoreRecord, NameAsTypedAndTimeGoToThatLevelOnly) {
    TSettings s;
    StoreRecord(s, LevelMiddle, "  Mei Lin ", 83);
    EXPECT_EQ(Records(s), std::make_tuple("???", 35999, "  Mei Lin ", 83, "???", 35999));
    StoreRecord(s, LevelBasic, "A", 7);
    StoreRecord(s, LevelAdvance, "", 900);
    StoreRecord(s, LevelUser, "Nobody", 1);
    EXPECT_EQ(Records(s), std::make_tuple("A", 7, "  Mei Lin ", 83, "", 900));
    // Storing cannot fail part-way, so it never leaves a new time with the old holder.
    static_assert(noexcept(StoreRecord(s, LevelBasic, std::string(), 0)));
}

}  // namespace
