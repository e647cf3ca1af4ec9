// RecordsTest.cpp: when a finished game is a record, how it is stored, and the records' texts.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/core/Board.h"
#include "settings/core/Infobank.h"
#include "settings/core/Records.h"

namespace {

auto Records(const TSettings& s) {
    return std::tie(s.BasicRecorder, s.BasicRecordTime, s.MiddleRecorder, s.MiddleRecordTime,
                    s.AdvanceRecorder, s.AdvanceRecordTime);
}

TEST(NewRecord, TheDefaultItselfIsNoRecord) {
    const TSettings fresh;
    EXPECT_FALSE(IsNewRecord(fresh, LevelBasic, 35999));
    EXPECT_FALSE(IsNewRecord(fresh, LevelMiddle, 35999));
    EXPECT_FALSE(IsNewRecord(fresh, LevelAdvance, 35999));
}

TEST(NewRecord, EachLevelIsComparedWithItsOwnRecord) {
    TSettings s;
    s.BasicRecordTime = 10;
    s.MiddleRecordTime = 100;
    s.AdvanceRecordTime = 1000;
    EXPECT_FALSE(IsNewRecord(s, LevelBasic, 50));
    EXPECT_TRUE(IsNewRecord(s, LevelMiddle, 50));
    EXPECT_TRUE(IsNewRecord(s, LevelAdvance, 500));
    EXPECT_FALSE(IsNewRecord(s, LevelMiddle, 500));
}

TEST(NewRecord, UserDefinedLevelNeverHasOne) {
    const TSettings fresh;
    EXPECT_FALSE(IsNewRecord(fresh, LevelUser, 1));
    EXPECT_FALSE(IsNewRecord(fresh, LevelUser, 0));
    EXPECT_FALSE(IsNewRecord(fresh, -1, 1));
    EXPECT_FALSE(IsNewRecord(fresh, 4, 1));
}

TEST(NewRecord, NegativeStoredTimeIsComparedSigned) {
    TSettings s;
    s.BasicRecordTime = -1;
    EXPECT_FALSE(IsNewRecord(s, LevelBasic, 5));
}

TEST(StoreRecord, NameAndTimeOfThatLevelOnly) {
    TSettings s;
    StoreRecord(s, LevelMiddle, "  Mei Lin ", 83);
    EXPECT_EQ(Records(s), std::make_tuple("???", 35999, "  Mei Lin ", 83, "???", 35999));
    StoreRecord(s, LevelBasic, "A", 7);
    StoreRecord(s, LevelAdvance, "B", 900);
    EXPECT_EQ(Records(s), std::make_tuple("A", 7, "  Mei Lin ", 83, "B", 900));
}

TEST(StoreRecord, EmptyNameIsStored) {
    TSettings s;
    StoreRecord(s, LevelAdvance, "", 35998);
    EXPECT_EQ(s.AdvanceRecorder, "");
    EXPECT_EQ(s.AdvanceRecordTime, 35998);
}

TEST(StoreRecord, UserDefinedLevelStoresNothing) {
    TSettings s;
    StoreRecord(s, LevelUser, "Nobody", 1);
    EXPECT_EQ(Records(s), Records(TSettings{}));
}

TEST(StoreRecord, HolderAndTimeAreReplacedAsAPair) {
    TSettings s;
    StoreRecord(s, LevelBasic, "First", 300);
    StoreRecord(s, LevelBasic, "Second", 200);
    EXPECT_EQ(s.BasicRecorder, "Second");
    EXPECT_EQ(s.BasicRecordTime, 200);
    // Storing cannot fail part-way, so it never leaves a new time with the old holder.
    static_assert(noexcept(StoreRecord(s, LevelBasic, std::string(), 0)));
}

TEST(RecordTexts, FreshSettingsShowTheDefaults) {
    const TRecordTexts texts = RecordTexts(TSettings{});
    EXPECT_EQ(std::tie(texts.BasicName, texts.BasicTime, texts.MiddleName, texts.MiddleTime,
                       texts.AdvanceName, texts.AdvanceTime),
              std::make_tuple("???", "09:59:59", "???", "09:59:59", "???", "09:59:59"));
}

TEST(RecordTexts, StoredRecordShowsAsTyped) {
    TSettings s;
    StoreRecord(s, LevelMiddle, "", 83);
    StoreRecord(s, LevelAdvance, "Ann", 360000);
    const TRecordTexts texts = RecordTexts(s);
    EXPECT_EQ(texts.MiddleName, "");
    EXPECT_EQ(texts.MiddleTime, "00:01:23");
    EXPECT_EQ(texts.AdvanceName, "Ann");
    EXPECT_EQ(texts.AdvanceTime, "100:00:00");
}

}  // namespace
