// InfobankTest.cpp: loading and saving the settings, wrongly stored values included.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fakes/FakeSettingsStore.h"
#include "settings/core/Infobank.h"

namespace {

using namespace std::string_literals;

using TNamedValues = std::vector<std::pair<std::string, TStoredValue>>;

// All fields at once, so a failure shows every one of them.
auto Fields(const TSettings& s) {
    return std::tie(s.BitmapFileName, s.BitmapPath, s.Level, s.SoundOn, s.MusicOn, s.NumberOn,
                    s.BasicRecorder, s.BasicRecordTime, s.MiddleRecorder, s.MiddleRecordTime,
                    s.AdvanceRecorder, s.AdvanceRecordTime, s.UserDefineH, s.UserDefineV);
}

// Written out rather than taken from TSettings{}, so a changed initialiser is caught too.
auto ExactDefaults() {
    return std::make_tuple(""s, ""s, 0, true, true, true, "???"s, 35999, "???"s, 35999, "???"s,
                           35999, 4, 4);
}

// No field at its default, so a load that forgets to reset one is seen.
TSettings Scrambled() {
    TSettings s;
    s.BitmapFileName = "stale.bmp";
    s.BitmapPath = "/stale";
    s.Level = 2;
    s.SoundOn = s.MusicOn = s.NumberOn = false;
    s.BasicRecorder = s.MiddleRecorder = s.AdvanceRecorder = "stale";
    s.BasicRecordTime = s.MiddleRecordTime = s.AdvanceRecordTime = 1;
    s.UserDefineH = s.UserDefineV = 9;
    return s;
}

// A valid value for every name, none of them the default.
const TNamedValues AllStored = {
    {"Bitmap file name", TextValue("/home/ann/圖片/貓.bmp")},
    {"Bitmap path", TextValue("/home/ann/圖片")},
    {"Level", DwordValue(3)},
    {"Sound", DwordValue(0)},
    {"Music", DwordValue(0)},
    {"Number", DwordValue(0)},
    {"Basic recorder", TextValue("Ann")},
    {"Basic record time", DwordValue(61)},
    {"Middle recorder", TextValue("Bo")},
    {"Middle record time", DwordValue(362)},
    {"Advance recorder", TextValue("Cy")},
    {"Advance record time", DwordValue(3723)},
    {"User define number H", DwordValue(6)},
    {"User define number V", DwordValue(9)},
};

TSettings AllStoredSettings() {
    TSettings s;
    s.BitmapFileName = "/home/ann/圖片/貓.bmp";
    s.BitmapPath = "/home/ann/圖片";
    s.Level = 3;
    s.SoundOn = s.MusicOn = s.NumberOn = false;
    s.BasicRecorder = "Ann";
    s.BasicRecordTime = 61;
    s.MiddleRecorder = "Bo";
    s.MiddleRecordTime = 362;
    s.AdvanceRecorder = "Cy";
    s.AdvanceRecordTime = 3723;
    s.UserDefineH = 6;
    s.UserDefineV = 9;
    return s;
}

std::vector<std::string> NamesInOrder() {
    std::vector<std::string> names;
    for (const auto& [name, value] : AllStored) {
        names.push_back(name);
    }
    return names;
}

TEST(LoadSettings, MissingKeyGivesTheExactDefaults) {
    TFakeSettingsStore store;
    store.KeyExists = false;
    TSettings settings = Scrambled();
    EXPECT_EQ(LoadError(settings, store), "");
    EXPECT_EQ(Fields(settings), ExactDefaults());
    EXPECT_EQ(store.OpenedPaths, std::vector<std::string>{"\\Software\\Belnovia\\Quorvel"});
    EXPECT_EQ(std::string(SettingsKey), "\\Software\\Belnovia\\Quorvel");
}

TEST(LoadSettings, EveryStoredValueReachesItsOwnField) {
    TFakeSettingsStore store;
    store.Values = AllStored;
    TSettings settings = Scrambled();
    EXPECT_EQ(LoadError(settings, store), "");
    EXPECT_EQ(Fields(settings), Fields(AllStoredSettings()));
    EXPECT_FALSE(store.IsOpen);
    EXPECT_EQ(store.CloseCount, 1);
}

TEST(LoadSettings, AValueTheStoreLacksKeepsItsDefault) {
    TFakeSettingsStore store;
    store.Put("Level", DwordValue(2));
    TSettings settings = Scrambled();
    LoadSettings(settings, store);
    auto expected = ExactDefaults();
    std::get<2>(expected) = 2;
    EXPECT_EQ(Fields(settings), expected);
}

TEST(LoadSettings, SwitchesAreOnForAnyNonZeroNumberAndSavedAsOne) {
    TFakeSettingsStore store;
    store.Put("Sound", DwordValue(5));
    store.Put("Music", DwordValue(0));
    store.Put("Number", DwordValue(-1));
    TSettings settings;
    LoadSettings(settings, store);
    EXPECT_TRUE(settings.SoundOn);
    EXPECT_FALSE(settings.MusicOn);
    EXPECT_TRUE(settings.NumberOn);

    SaveSettings(settings, store);
    EXPECT_EQ(store.Get("Sound"), DwordValue(1));
    EXPECT_EQ(store.Get("Music"), DwordValue(0));
    EXPECT_EQ(store.Get("Number"), DwordValue(1));
}

TEST(LoadSettings, AStoredEmptyTextStaysEmptyInsteadOfTheDefault) {
    TFakeSettingsStore store;
    store.Put("Basic recorder", TextValue(""));
    TSettings settings;
    LoadSettings(settings, store);
    EXPECT_EQ(settings.BasicRecorder, "");
    EXPECT_EQ(settings.MiddleRecorder, "???");
}

TEST(LoadSettings, NumbersAreTakenAsStoredWithoutRangeChecks) {
    struct TCase {
        const char* Name;
        int32_t Stored;
        int32_t TSettings::*Field;
    };
    const TCase cases[] = {
        {"Level", 7, &TSettings::Level},
        {"Level", -1, &TSettings::Level},
        {"User define number H", 0, &TSettings::UserDefineH},
        {"User define number H", 20, &TSettings::UserDefineH},
        {"User define number V", -5, &TSettings::UserDefineV},
        {"Basic record time", INT32_MAX, &TSettings::BasicRecordTime},
        {"Advance record time", INT32_MIN, &TSettings::AdvanceRecordTime},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " = " + std::to_string(c.Stored));
        TFakeSettingsStore store;
        store.Put(c.Name, DwordValue(c.Stored));
        TSettings settings;
        EXPECT_EQ(LoadError(settings, store), "");
        EXPECT_EQ(settings.*c.Field, c.Stored);
    }
}

TEST(LoadSettings, ShortNumberDataIsZeroExtendedLittleEndian) {
    const std::pair<std::string, int32_t> cases[] = {
        {""s, 0},
        {"\x02"s, 2},
        {"\x01\x02"s, 0x0201},
        {"\xff\xff\xff"s, 0x00ffffff},
        {"\xfe\xff\xff\xff"s, -2},
    };
    for (const auto& [data, number] : cases) {
        SCOPED_TRACE(number);
        TFakeSettingsStore store;
        store.Put("Level", {RegDword, data});
        TSettings settings;
        EXPECT_EQ(LoadError(settings, store), "");
        EXPECT_EQ(settings.Level, number);
    }
}

TEST(LoadSettings, TextEndsAtTheFirstZeroByte) {
    const std::pair<std::string, std::string> cases[] = {
        {"cat.bmp\0"s, "cat.bmp"},
        {"cat.bmp\0old.bmp\0"s, "cat.bmp"},
        {"\0cat.bmp"s, ""},
    };
    for (const auto& [data, text] : cases) {
        SCOPED_TRACE(text);
        TFakeSettingsStore store;
        store.Put("Bitmap file name", TextValue(data));
        TSettings settings;
        LoadSettings(settings, store);
        EXPECT_EQ(settings.BitmapFileName, text);
    }
}

TEST(LoadSettings, ExpandableTextIsTakenWithoutExpansion) {
    TFakeSettingsStore store;
    store.Put("Bitmap path", {RegExpandSz, "%USERPROFILE%\\Pictures"});
    store.Put("Bitmap file name", {RegExpandSz, "$HOME/cat.bmp"});
    TSettings settings;
    EXPECT_EQ(LoadError(settings, store), "");
    EXPECT_EQ(settings.BitmapPath, "%USERPROFILE%\\Pictures");
    EXPECT_EQ(settings.BitmapFileName, "$HOME/cat.bmp");
}

TEST(LoadSettings, AWronglyStoredValueKeepsItsDefaultWhileTheOthersAreRead) {
    struct TCase {
        const char* Name;
        TStoredValue Stored;
        std::string Error;
        std::function<void(TSettings&)> KeepDefault;
    };
    const TCase cases[] = {
        {"Bitmap file name", DwordValue(1), "Invalid data type for 'Bitmap file name'",
         [](TSettings& s) { s.BitmapFileName = ""; }},
        {"Bitmap path",
         {RegBinary, "abc"},
         "Invalid data type for 'Bitmap path'",
         [](TSettings& s) { s.BitmapPath = ""; }},
        {"Basic recorder",
         {RegUnknown, ""},
         "Invalid data type for 'Basic recorder'",
         [](TSettings& s) { s.BasicRecorder = "???"; }},
        // A number stored as a quad word does not fit: its size fails before its type.
        {"Level",
         {RegQword, "\x02\0\0\0\0\0\0\0"s},
         "Failed to get data for 'Level'",
         [](TSettings& s) { s.Level = 0; }},
        {"Level",
         {RegBinary, "\x02\0\0\0"s},
         "Invalid data type for 'Level'",
         [](TSettings& s) { s.Level = 0; }},
        {"Middle record time", TextValue("12"), "Invalid data type for 'Middle record time'",
         [](TSettings& s) { s.MiddleRecordTime = 35999; }},
        {"Sound", TextValue("false"), "Failed to get data for 'Sound'",
         [](TSettings& s) { s.SoundOn = true; }},
        {"User define number V",
         {RegUnknown, ""},
         "Invalid data type for 'User define number V'",
         [](TSettings& s) { s.UserDefineV = 4; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Error);
        TFakeSettingsStore store;
        store.Values = AllStored;
        store.Put(c.Name, c.Stored);
        TSettings settings = Scrambled();
        EXPECT_EQ(LoadError(settings, store), c.Error);
        TSettings expected = AllStoredSettings();
        c.KeepDefault(expected);
        EXPECT_EQ(Fields(settings), Fields(expected));
        EXPECT_FALSE(store.IsOpen);
        EXPECT_EQ(store.CloseCount, 1);
    }
}

TEST(LoadSettings, OnlyTheFirstErrorIsThrownAfterEverythingIsRead) {
    TFakeSettingsStore store;
    store.Values = AllStored;
    store.Put("Level", {RegQword, "\x01\0\0\0\0\0\0\0"s});
    store.Put("Bitmap path", DwordValue(1));
    TSettings settings = Scrambled();
    EXPECT_EQ(LoadError(settings, store), "Invalid data type for 'Bitmap path'");
    TSettings expected = AllStoredSettings();
    expected.BitmapPath = "";
    expected.Level = 0;
    EXPECT_EQ(Fields(settings), Fields(expected));
    EXPECT_EQ(store.CloseCount, 1);
}

TEST(SaveSettings, DefaultsAreWrittenAsFourteenTypedValuesInOrder) {
    TFakeSettingsStore store;
    store.KeyExists = false;
    TSettings settings = Scrambled();
    LoadSettings(settings, store);
    SaveSettings(settings, store);
    // The dwords spelled out byte by byte: little-endian, 35999 being 0x8c9f.
    const TNamedValues expected = {
        {"Bitmap file name", {RegSz, ""}},
        {"Bitmap path", {RegSz, ""}},
        {"Level", {RegDword, "\0\0\0\0"s}},
        {"Sound", {RegDword, "\x01\0\0\0"s}},
        {"Music", {RegDword, "\x01\0\0\0"s}},
        {"Number", {RegDword, "\x01\0\0\0"s}},
        {"Basic recorder", {RegSz, "???"}},
        {"Basic record time", {RegDword, "\x9f\x8c\0\0"s}},
        {"Middle recorder", {RegSz, "???"}},
        {"Middle record time", {RegDword, "\x9f\x8c\0\0"s}},
        {"Advance recorder", {RegSz, "???"}},
        {"Advance record time", {RegDword, "\x9f\x8c\0\0"s}},
        {"User define number H", {RegDword, "\x04\0\0\0"s}},
        {"User define number V", {RegDword, "\x04\0\0\0"s}},
    };
    EXPECT_EQ(store.Values, expected);
    EXPECT_EQ(store.WriteLog, NamesInOrder());
    EXPECT_EQ(store.OpenedPaths.back(), "\\Software\\Belnovia\\Quorvel");
    EXPECT_FALSE(store.IsOpen);
}

TEST(SaveSettings, TextsAreWrittenByteForByteWithoutATerminatingZero) {
    TFakeSettingsStore store;
    TSettings settings;
    settings.BitmapFileName = "/home/ann/圖片/貓.bmp";
    settings.BitmapPath = "/home/ann/\xff\xfe";
    SaveSettings(settings, store);
    EXPECT_EQ(store.Get("Bitmap file name"), TextValue("/home/ann/圖片/貓.bmp"));
    EXPECT_EQ(store.Get("Bitmap path"), TextValue("/home/ann/\xff\xfe"));
}

TEST(SaveSettings, NegativeNumbersAreWrittenAsTwosComplement) {
    TFakeSettingsStore store;
    TSettings settings;
    settings.Level = -1;
    settings.BasicRecordTime = INT32_MIN;
    SaveSettings(settings, store);
    EXPECT_EQ(store.Get("Level"), (TStoredValue{RegDword, "\xff\xff\xff\xff"}));
    EXPECT_EQ(store.Get("Basic record time"), (TStoredValue{RegDword, "\0\0\0\x80"s}));
}

TEST(SaveSettings, ARefusedWriteThrowsAndKeepsTheValuesWrittenBefore) {
    const std::vector<std::string> names = NamesInOrder();
    for (size_t refused = 0; refused < names.size(); ++refused) {
        SCOPED_TRACE(names[refused]);
        TFakeSettingsStore store;
        store.RefuseWriteOf = names[refused];
        EXPECT_EQ(SaveError(TSettings{}, store), "Failed to set data for '" + names[refused] + "'");
        const std::vector<std::string> attempted(names.begin(), names.begin() + refused + 1);
        EXPECT_EQ(store.WriteLog, attempted);
        EXPECT_EQ(store.Values.size(), refused);
        EXPECT_FALSE(store.IsOpen);
        EXPECT_EQ(store.CloseCount, 1);
    }
}

TEST(SaveSettings, ABetterRecordStoredMeanwhileByAnotherInstanceIsKept) {
    struct TCase {
        const char* Why;
        TStoredValue StoredName, StoredTime;
        std::string SavedName;
        int32_t SavedTime;
    };
    // This instance holds Ann with 100 s at every level.
    const TCase cases[] = {
        {"stored faster", TextValue("Bo"), DwordValue(99), "Bo", 99},
        {"stored as fast", TextValue("Bo"), DwordValue(100), "Ann", 100},
        {"stored slower", TextValue("Bo"), DwordValue(101), "Ann", 100},
        {"stored time of a wrong type", TextValue("Bo"), TextValue("1"), "Ann", 100},
        {"stored name of a wrong type", DwordValue(1), DwordValue(99), "Ann", 100},
    };
    const std::pair<std::string, std::string> levels[] = {
        {"Basic recorder", "Basic record time"},
        {"Middle recorder", "Middle record time"},
        {"Advance recorder", "Advance record time"},
    };
    for (const TCase& c : cases) {
        for (const auto& [nameValue, timeValue] : levels) {
            SCOPED_TRACE(std::string(c.Why) + " at " + nameValue);
            TFakeSettingsStore store;
            TSettings ours;
            ours.BasicRecorder = ours.MiddleRecorder = ours.AdvanceRecorder = "Ann";
            ours.BasicRecordTime = ours.MiddleRecordTime = ours.AdvanceRecordTime = 100;
            ours.Level = 2;
            store.Put(nameValue, c.StoredName);
            store.Put(timeValue, c.StoredTime);
            store.Put("Level", DwordValue(1));
            SaveSettings(ours, store);
            EXPECT_EQ(store.Get(nameValue), TextValue(c.SavedName));
            EXPECT_EQ(store.Get(timeValue), DwordValue(c.SavedTime));
            // Everything else is this instance's.
            EXPECT_EQ(store.Get("Level"), DwordValue(2));
            for (const auto& [otherName, otherTime] : levels) {
                if (otherName != nameValue) {
                    EXPECT_EQ(store.Get(otherName), TextValue("Ann"));
                    EXPECT_EQ(store.Get(otherTime), DwordValue(100));
                }
            }
        }
    }
}

TEST(SaveSettings, WhatIsSavedLoadsBackUnchanged) {
    TFakeSettingsStore store;
    TSettings saved = AllStoredSettings();
    saved.SoundOn = true;
    saved.UserDefineH = -3;
    SaveSettings(saved, store);
    TSettings loaded = Scrambled();
    LoadSettings(loaded, store);
    EXPECT_EQ(Fields(loaded), Fields(saved));
}

}  // namespace
