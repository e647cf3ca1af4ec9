// RegFileStoreTest.cpp: the settings file: its format, what it keeps and how it is replaced.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/FakeSettingsStore.h"
#include "settings/core/Infobank.h"
#include "settings/platform/SettingsFile.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

const std::string OurSection = "[HKEY_CURRENT_USER\\Software\\Belnovia\\Quorvel]\n";
const std::string NewFileHead = "REGEDIT4\n\n" + OurSection;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class RegFileStore : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "zellipo-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        Folder = name;
        FilePath = Folder + "/Quorvel.reg";
    }

    void TearDown() override {
        // Folders made read-only by a test must be writable again to be removed.
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Folder)) {
            if (entry.is_directory() && !entry.is_symlink()) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
            }
        }
        fs::remove_all(Folder);
    }

    // Writes one value to a new file and closes the key, which commits it.
    void WriteOne(const std::string& name, const TStoredValue& value) {
        fs::remove(FilePath);
        TSettingsFile store(FilePath);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        ASSERT_TRUE(store.WriteValue(name, value));
        store.FlushKey();
    }

    std::optional<TStoredValue> ReadOne(const std::string& name) {
        TSettingsFile store(FilePath);
        if (!store.OpenKey(SettingsKey, false)) {
            ADD_FAILURE() << "the key did not open";
            return std::nullopt;
        }
        std::optional<TStoredValue> value = store.ReadValue(name);
        store.CloseKey();
        return value;
    }

    std::string Folder;
    std::string FilePath;
};

// Restores an environment variable when the test ends.
class TSavedVariable {
  public:
    explicit TSavedVariable(const char* name) : Name(name) {
        if (const char* value = std::getenv(name)) {
            Saved = value;
        }
    }
    TSavedVariable(const TSavedVariable&) = delete;
    TSavedVariable& operator=(const TSavedVariable&) = delete;
    ~TSavedVariable() { Set(Saved); }

    void Set(const std::optional<std::string>& value) const {
        if (value) {
            setenv(Name, value->c_str(), 1);
        } else {
            unsetenv(Name);
        }
    }

  private:
    const char* Name;
    std::optional<std::string> Saved;
};

TEST(SettingsFileDefaultPath, FollowsXdgConfigHomeOnlyWhenItIsAbsolute) {
    const TSavedVariable configHome("XDG_CONFIG_HOME");
    const TSavedVariable home("HOME");
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const std::string fromPasswd = std::string(user->pw_dir) + "/.config/Belnovia/Quorvel.reg";
    struct TCase {
        std::optional<std::string> ConfigHome, Home;
        std::string Expected;
    };
    const TCase cases[] = {
        {"/srv/cfg", "/home/ann", "/srv/cfg/Belnovia/Quorvel.reg"},
        {std::nullopt, "/home/ann", "/home/ann/.config/Belnovia/Quorvel.reg"},
        {"", "/home/ann", "/home/ann/.config/Belnovia/Quorvel.reg"},
        {"cfg", "/home/ann", "/home/ann/.config/Belnovia/Quorvel.reg"},
        {std::nullopt, std::nullopt, fromPasswd},
        {std::nullopt, "", fromPasswd},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        configHome.Set(c.ConfigHome);
        home.Set(c.Home);
        EXPECT_EQ(TSettingsFile::DefaultPath(), c.Expected);
    }
}

TEST_F(RegFileStore, MissingFileDoesNotOpenAndNothingIsCreated) {
    const std::string path = Folder + "/Belnovia/Quorvel.reg";
    TSettingsFile store(path);
    EXPECT_FALSE(store.OpenKey(SettingsKey, false));
    TSettings settings;
    settings.Level = 2;
    LoadSettings(settings, store);
    EXPECT_EQ(settings.Level, 0);
    EXPECT_TRUE(NamesIn(Folder).empty());
}

TEST_F(RegFileStore, NewFileGetsTheHeaderABlankLineAndTheSectionInPrivateFolders) {
    const std::string path = Folder + "/cfg/Belnovia/Quorvel.reg";
    TSettingsFile store(path);
    ASSERT_TRUE(store.OpenKey(SettingsKey, true));
    store.WriteValue("Bitmap file name", TextValue("/home/ann/pictures/cat.bmp"));
    store.WriteValue("Level", DwordValue(2));
    store.FlushKey();
    EXPECT_EQ(ModeOf(Folder + "/cfg"), 0700u);
    EXPECT_EQ(ModeOf(Folder + "/cfg/Belnovia"), 0700u);
    EXPECT_EQ(ReadBytes(path), NewFileHead +
                                   "\"Bitmap file name\"=\"/home/ann/pictures/cat.bmp\"\n"
                                   "\"Level\"=dword:00000002\n");
    EXPECT_EQ(ModeOf(path), 0600u);
}

TEST_F(RegFileStore, WrittenValuesAndTheirNamesComeBackByteForByte) {
    struct TCase {
        TStoredValue Value;
        std::string Line;
    };
    const TCase cases[] = {
        {TextValue("/home/ann/圖片/貓.bmp"), R"("/home/ann/圖片/貓.bmp")"},
        {TextValue(R"(C:\pics\"best".bmp)"), R"("C:\\pics\\\"best\".bmp")"},
        {TextValue(""), R"("")"},
        // Bytes that are no UTF-8 text, or would break the line, go as hex.
        {TextValue("\xff\xfe"
                   "cat"),
         "hex(1):ff,fe,63,61,74"},
        {TextValue("a\nb"), "hex(1):61,0a,62"},
        {TextValue("a\r"), "hex(1):61,0d"},
        {TextValue("a\x7f"), "hex(1):61,7f"},
        {TextValue("a\0b"s), "hex(1):61,00,62"},
        {TextValue("\xc0\xaf"), "hex(1):c0,af"},
        {TextValue("\xed\xa0\x80"), "hex(1):ed,a0,80"},
        {TextValue("\xe8\xb2"), "hex(1):e8,b2"},
        {TextValue("\xf4\x90\x80\x80"), "hex(1):f4,90,80,80"},
        {DwordValue(0), "dword:00000000"},
        {DwordValue(0x12ab34cd), "dword:12ab34cd"},
        {DwordValue(-1), "dword:ffffffff"},
        {DwordValue(INT32_MIN), "dword:80000000"},
        {{RegDword, "\x02"}, "hex(4):02"},
        {{RegBinary, "\x00\x01\xab"s}, "hex:00,01,ab"},
        {{RegBinary, ""}, "hex:"},
        {{RegExpandSz, "%HOME%"}, "hex(2):25,48,4f,4d,45,25"},
        {{RegQword, "\x02\0\0\0\0\0\0\0"s}, "hex(b):02,00,00,00,00,00,00,00"},
    };
    const std::string name = R"(say "hi" \ bye)";
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        WriteOne(name, c.Value);
        EXPECT_EQ(ReadBytes(FilePath), NewFileHead + R"("say \"hi\" \\ bye"=)" + c.Line + "\n");
        EXPECT_EQ(ReadOne(name), c.Value);
    }
}

TEST_F(RegFileStore, EveryAcceptedFormIsReadAndAnyOtherIsAValueOfUnknownType) {
    const TStoredValue unknown{RegUnknown, ""};
    struct TCase {
        std::string Line;
        TStoredValue Expected;
    };
    // The value types are read in any case, as registry exports allow.
    const TCase cases[] = {
        {R"("V"=dword:0000ABCD)", DwordValue(0xabcd)},
        {R"("V"=DWORD:FFFFFFFE)", DwordValue(-2)},
        {R"("V"=dword:2)", DwordValue(2)},
        {R"("V"=HEX(4):02,00,00,00)", DwordValue(2)},
        {R"("V"=hex(B):01,00,00,00,00,00,00,00)", {RegQword, "\x01\0\0\0\0\0\0\0"s}},
        {R"("V"=hex(1):41,00)", {RegSz, "A\0"s}},
        {R"("V"=Hex:)", {RegBinary, ""}},
        {"\"V\"=HEX:01,02,\\\n  03,04", {RegBinary, "\x01\x02\x03\x04"}},
        {"\"V\"=hex(1):41, \\\r\n  42,\\\n\t43", {RegSz, "ABC"}},
        {R"("V" = "spaced")", TextValue("spaced")},
        {R"("V"="a\\b\"c")", TextValue(R"(a\b"c)")},
        {R"("V"="C:\dir\file")", TextValue(R"(C:\dir\file)")},
        {R"("V"="/home/ann/圖片")", TextValue("/home/ann/圖片")},
        {R"("V"=garbage)", unknown},
        {R"("V"=dword:123456789)", unknown},
        {R"("V"=dword:xyz)", unknown},
        {R"("V"=dword:)", unknown},
        {R"("V"="unterminated)", unknown},
        {R"("V"="a"b)", unknown},
        {R"("V"=hex(zz):00)", unknown},
        {R"("V"=hex:0g)", unknown},
        {R"("V"=hex:01,)", unknown},
        {R"("V"=hex:001)", unknown},
        {R"("V"=-)", unknown},
        {R"("V"=)", unknown},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        // An older valid line of the same name must not show through.
        WriteBytes(FilePath, NewFileHead + "\"V\"=dword:00000009\n" + c.Line + "\n");
        EXPECT_EQ(ReadOne("V"), c.Expected);
    }
}

TEST_F(RegFileStore, WronglyStoredValuesFailTheLoadWhileTheOthersAreRead) {
    const std::pair<std::string, std::string> cases[] = {
        {R"("Level"=garbage)", "Invalid data type for 'Level'"},
        {R"("Level"=hex(b):02,00,00,00,00,00,00,00)", "Failed to get data for 'Level'"},
        {R"("Level"=hex:02,00,00,00)", "Invalid data type for 'Level'"},
        {R"("Bitmap file name"=dword:00000001)", "Invalid data type for 'Bitmap file name'"},
    };
    for (const auto& [line, error] : cases) {
        SCOPED_TRACE(line);
        WriteBytes(FilePath, NewFileHead + line + "\n\"Sound\"=dword:00000000\n");
        TSettingsFile store(FilePath);
        TSettings settings;
        EXPECT_EQ(LoadError(settings, store), error);
        EXPECT_EQ(settings.Level, 0);
        EXPECT_EQ(settings.BitmapFileName, "");
        EXPECT_FALSE(settings.SoundOn);
    }
}

TEST_F(RegFileStore, EveryLineKeepsItsOwnEndAndOursEndAsTheFilesDo) {
    // A line ending in two carriage returns must not lose one at each save, or a line could turn
    // into a section header and the one after it be dropped.
    WriteBytes(FilePath,
               "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Belnovia\\Quorvel]\r\n"
               "\"Level\"=dword:00000002\r\n\"Bitmap path\"=\"/p\"\r\r\n; mine\n");
    EXPECT_EQ(ReadOne("Level"), DwordValue(2));
    EXPECT_EQ(ReadOne("Bitmap path"), TextValue("/p"));

    for (int save = 0; save < 2; ++save) {
        TSettingsFile store(FilePath);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        store.WriteValue("Sound", DwordValue(1));
        store.FlushKey();
        EXPECT_EQ(ReadBytes(FilePath),
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Belnovia\\Quorvel]\r\n"
                  "\"Sound\"=dword:00000001\r\n"
                  "\"Level\"=dword:00000002\r\n\"Bitmap path\"=\"/p\"\r\r\n; mine\n");
    }
}

TEST_F(RegFileStore, AValueNeverContinuesOverABlankLineOrASectionHeader) {
    struct TCase {
        std::string Lines;
        std::optional<TStoredValue> Blob;
        std::optional<TStoredValue> Level;
    };
    const TCase cases[] = {
        // The next section's "Level" is not ours, and its header stays where it is.
        {"\"Blob\"=hex:01,\\\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Level\"=dword:7\n",
         TStoredValue{RegUnknown, ""}, std::nullopt},
        {"\"Blob\"=hex:\\\n\n\"Level\"=dword:7\n", TStoredValue{RegUnknown, ""}, DwordValue(7)},
        {"\"Blob\"=hex:01,\\\r\n\r\n\"Level\"=dword:7\r\n", TStoredValue{RegUnknown, ""},
         DwordValue(7)},
        {"\"Blob\"=hex:01,\\\n \t\n\"Level\"=dword:7\n", TStoredValue{RegUnknown, ""},
         DwordValue(7)},
        {"\"Blob\"=hex:01,\\", TStoredValue{RegUnknown, ""}, std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Lines);
        const std::string before = NewFileHead + c.Lines;
        WriteBytes(FilePath, before);
        TSettingsFile store(FilePath);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        EXPECT_EQ(store.ReadValue("Blob"), c.Blob);
        EXPECT_EQ(store.ReadValue("Level"), c.Level);
        store.WriteValue("Sound", DwordValue(1));
        store.FlushKey();
        // Every line read is written back as it was.
        EXPECT_EQ(ReadBytes(FilePath), NewFileHead + "\"Sound\"=dword:00000001\n" + c.Lines +
                                           (c.Lines.ends_with('\n') ? "" : "\n"));
    }
}

TEST_F(RegFileStore, AValueContinuedOverManyLinesIsReadWhole) {
    // Twenty thousand continuation lines; read line by line anew each time, they took minutes.
    std::string lines = "\"Blob\"=hex:";
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        lines += "  ab,\\\n";
        bytes += '\xab';
    }
    WriteBytes(FilePath, NewFileHead + lines + "  cd\n\"Level\"=dword:3\n");
    EXPECT_EQ(ReadOne("Blob"), (TStoredValue{RegBinary, bytes + '\xcd'}));
    EXPECT_EQ(ReadOne("Level"), DwordValue(3));
}

TEST_F(RegFileStore, NamesAndSectionMatchIgnoringCaseAndKeepTheirSpelling) {
    const std::string section = "[hkey_current_user\\SOFTWARE\\belnovia\\QUORVEL]\n";
    WriteBytes(FilePath, "REGEDIT4\n\n" + section + "\"LEVEL\"=dword:00000003\n");
    EXPECT_EQ(ReadOne("level"), DwordValue(3));

    TSettingsFile store(FilePath);
    ASSERT_TRUE(store.OpenKey("Software\\Belnovia\\Quorvel", false));
    store.WriteValue("Level", DwordValue(4));
    store.WriteValue("LeVeL", DwordValue(5));
    EXPECT_EQ(store.ReadValue("level"), DwordValue(5));
    store.FlushKey();
    EXPECT_EQ(ReadBytes(FilePath), "REGEDIT4\n\n" + section + "\"LEVEL\"=dword:00000005\n");
}

TEST_F(RegFileStore, EverythingElseInTheFileIsKeptInItsPlace) {
    const std::string before =
        "REGEDIT4\n"
        "\n"
        "; written by hand\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"Level\"=dword:00000009\n"
        "\n" +
        OurSection +
        "\"Sound\"=dword:00000000\n"
        "\"Window left\"=dword:00000064\n"
        "; keep this comment\n"
        "\"Level\"=dword:00000001\n"
        "this line means nothing\n"
        "\"Blob\"=hex:01,02,\\\n"
        "  03\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Later]\n"
        "@=\"default\"\n"
        "\"Bitmap path\"=\"not ours\"";
    WriteBytes(FilePath, before);
    EXPECT_EQ(ReadOne("Level"), DwordValue(1));
    EXPECT_EQ(ReadOne("Blob"), (TStoredValue{RegBinary, "\x01\x02\x03"}));

    TSettingsFile store(FilePath);
    ASSERT_TRUE(store.OpenKey(SettingsKey, true));
    store.WriteValue("Level", DwordValue(2));
    store.WriteValue("Bitmap path", TextValue("/p"));
    store.FlushKey();
    const std::string after =
        "REGEDIT4\n"
        "\n"
        "; written by hand\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"Level\"=dword:00000009\n"
        "\n" +
        OurSection +
        "\"Level\"=dword:00000002\n"
        "\"Bitmap path\"=\"/p\"\n"
        "\"Sound\"=dword:00000000\n"
        "\"Window left\"=dword:00000064\n"
        "; keep this comment\n"
        "this line means nothing\n"
        "\"Blob\"=hex:01,02,\\\n"
        "  03\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Later]\n"
        "@=\"default\"\n"
        "\"Bitmap path\"=\"not ours\"\n";
    EXPECT_EQ(ReadBytes(FilePath), after);
}

TEST_F(RegFileStore, AFileWithoutOurSectionDoesNotOpenAndASaveAppendsItAfterABlankLine) {
    const std::string other = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Level\"=dword:2";
    const std::string cases[] = {other, other + "\n", other + "\n\n"};
    for (const std::string& before : cases) {
        WriteBytes(FilePath, before);
        TSettingsFile store(FilePath);
        EXPECT_FALSE(store.OpenKey(SettingsKey, false));
        EXPECT_EQ(ReadBytes(FilePath), before);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        store.WriteValue("Level", DwordValue(2));
        store.FlushKey();
        EXPECT_EQ(ReadBytes(FilePath), other + "\n\n" + OurSection + "\"Level\"=dword:00000002\n");
    }
}

TEST_F(RegFileStore, TheLastOfRepeatedNamesWinsAndWritingReplacesThemAll) {
    WriteBytes(FilePath, NewFileHead +
                             "\"Level\"=dword:00000001\n"
                             "\"level\"=dword:00000002\n"
                             "\n" +
                             OurSection + "\"LEVEL\"=dword:00000003\n");
    EXPECT_EQ(ReadOne("Level"), DwordValue(3));

    TSettingsFile store(FilePath);
    ASSERT_TRUE(store.OpenKey(SettingsKey, false));
    store.WriteValue("Level", DwordValue(4));
    store.FlushKey();
    EXPECT_EQ(ReadBytes(FilePath), NewFileHead + "\"LEVEL\"=dword:00000004\n\n" + OurSection);
    EXPECT_EQ(ReadOne("Level"), DwordValue(4));
}

TEST_F(RegFileStore, TheFileIsReplacedWholeAndNoOtherFileBesideItIsEverRemoved) {
    // Old files of the player's, named as the temporary files of earlier versions were.
    for (const char* suffix : {".backup", ".2024q1", ".a1B2c3"}) {
        WriteBytes(FilePath + suffix, "mine");
        fs::last_write_time(FilePath + suffix,
                            fs::file_time_type::clock::now() - std::chrono::hours(24));
    }
    WriteBytes(FilePath, NewFileHead + "\"Level\"=dword:00000001\n");
    std::ifstream oldFile(FilePath, std::ios::binary);
    TSettingsFile store(FilePath);
    ASSERT_TRUE(store.OpenKey(SettingsKey, true));
    store.WriteValue("Level", DwordValue(2));
    store.FlushKey();
    // A reader that had the old file open still sees all of it: it was replaced, not rewritten.
    std::stringstream seen;
    seen << oldFile.rdbuf();
    EXPECT_EQ(seen.str(), NewFileHead + "\"Level\"=dword:00000001\n");
    EXPECT_EQ(ReadBytes(FilePath), NewFileHead + "\"Level\"=dword:00000002\n");
    EXPECT_EQ(NamesIn(Folder),
              (std::vector<std::string>{"Quorvel.reg", "Quorvel.reg.2024q1", "Quorvel.reg.a1B2c3",
                                        "Quorvel.reg.backup"}));
}

TEST_F(RegFileStore, TheOldFileKeepsItsPermissions) {
    WriteBytes(FilePath, NewFileHead);
    chmod(FilePath.c_str(), 0640);
    TSettingsFile store(FilePath);
    ASSERT_TRUE(store.OpenKey(SettingsKey, true));
    store.WriteValue("Level", DwordValue(3));
    store.FlushKey();
    EXPECT_EQ(ModeOf(FilePath), 0640u);
}

TEST_F(RegFileStore, ALinkedFileStaysALinkAndItsTargetIsReplacedOrMade) {
    fs::create_directory(Folder + "/dotfiles");
    const std::string target = Folder + "/dotfiles/Quorvel.reg";
    // A relative link, as a player's dotfiles usually have, also to a file the first save makes.
    fs::create_symlink("dotfiles/Quorvel.reg", FilePath);
    for (const bool targetThere : {true, false}) {
        SCOPED_TRACE(targetThere);
        fs::remove(target);
        if (targetThere) {
            WriteBytes(target, NewFileHead);
        }
        TSettingsFile store(FilePath);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        store.WriteValue("Level", DwordValue(2));
        store.FlushKey();
        EXPECT_TRUE(fs::is_symlink(FilePath));
        EXPECT_EQ(ReadBytes(target), NewFileHead + "\"Level\"=dword:00000002\n");
        EXPECT_EQ(NamesIn(Folder + "/dotfiles"), std::vector<std::string>{"Quorvel.reg"});
    }
}

TEST_F(RegFileStore, AFileThatCannotBeReadIsToldAndNeverReplacedNorWaitedOn) {
    // A FIFO would hold the open until someone wrote to it; a device could be read for ever. A
    // folder where the file should be cannot be read, even by root.
    ASSERT_EQ(mkfifo(FilePath.c_str(), 0600), 0);
    const std::string zero = Folder + "/zero.reg";
    fs::create_symlink("/dev/zero", zero);
    const std::string folder = Folder + "/folder.reg";
    fs::create_directory(folder);
    const std::string huge = Folder + "/huge.reg";
    WriteBytes(huge, NewFileHead);
    fs::resize_file(huge, (4 << 20) + 1);
    const std::pair<std::string, const char*> cases[] = {{FilePath, "not a regular file"},
                                                         {zero, "not a regular file"},
                                                         {folder, "not a regular file"},
                                                         {huge, "the file is too large"}};
    for (const auto& [path, why] : cases) {
        SCOPED_TRACE(path);
        const std::string error = "Cannot open file \"" + path + "\": " + why;
        TSettingsFile store(path);
        TSettings settings;
        EXPECT_EQ(LoadError(settings, store), error);
        EXPECT_EQ(SaveError(TSettings{}, store), error);
    }
    EXPECT_EQ(fs::status(FilePath).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(zero));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(fs::file_size(huge), (size_t{4} << 20) + 1);
}

TEST_F(RegFileStore, AReadOnlyFileIsLeftAsItIs) {
    const std::string original = NewFileHead + "\"Level\"=dword:00000001\n";
    WriteBytes(FilePath, original);
    chmod(FilePath.c_str(), 0444);
    TSettings settings;
    settings.Level = 2;
    TSettingsFile store(FilePath);
    EXPECT_NO_THROW(SaveSettings(settings, store));
    EXPECT_EQ(ReadBytes(FilePath), original);
    EXPECT_EQ(ModeOf(FilePath), 0444u);
    EXPECT_EQ(NamesIn(Folder), std::vector<std::string>{"Quorvel.reg"});
}

TEST_F(RegFileStore, AFailedSaveIsToldWithTheReasonAndLeavesEverythingAsItWas) {
    WriteBytes(Folder + "/plain", "");
    struct TCase {
        std::string Path;
        std::function<void()> AfterOpen;
        size_t Length;
        std::string Why;
    };
    const TCase cases[] = {
        {Folder + "/plain/Belnovia/Quorvel.reg", [] {}, 1, "Not a directory"},
        // Replaced by a folder, which no rename can overwrite.
        {FilePath,
         [&] {
             fs::remove(FilePath);
             fs::create_directory(FilePath);
         },
         1, "Filename refers to a directory"},
        // A file the game would refuse to read is not written.
        {FilePath, [] {}, 4 << 20, "the file is too large"},
        // The write fails only as the last of the text goes out, which the commit itself misses.
        {FilePath,
         [] {
             signal(SIGXFSZ, SIG_IGN);
             const rlimit limit{64, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &limit);
         },
         1, "File too large"},
    };
    const auto contents = [](const std::string& path) {
        return fs::is_regular_file(path) ? ReadBytes(path) : "(none)";
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        fs::remove(FilePath);
        WriteBytes(FilePath, NewFileHead + "\"Level\"=dword:00000001\n");
        TSettingsFile store(c.Path);
        ASSERT_TRUE(store.OpenKey(SettingsKey, true));
        c.AfterOpen();
        const std::string before = contents(c.Path);
        store.WriteValue("Bitmap path", TextValue(std::string(c.Length, 'a')));
        std::string error;
        try {
            store.FlushKey();
        } catch (const ERegistryError& e) {
            error = e.what();
        }
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(error, "Cannot write file \"" + c.Path + "\": " + c.Why);
        EXPECT_TRUE(contents(c.Path) == before);
        EXPECT_EQ(NamesIn(Folder), (std::vector<std::string>{"Quorvel.reg", "plain"}));
    }
}

TEST_F(RegFileStore, SavedDefaultsGiveTheExpectedFileEvenWhenSavedTwice) {
    TSettingsFile store(FilePath);
    SaveSettings(TSettings{}, store);
    SaveSettings(TSettings{}, store);
    EXPECT_EQ(ReadBytes(FilePath), NewFileHead +
                                       "\"Bitmap file name\"=\"\"\n"
                                       "\"Bitmap path\"=\"\"\n"
                                       "\"Level\"=dword:00000000\n"
                                       "\"Sound\"=dword:00000001\n"
                                       "\"Music\"=dword:00000001\n"
                                       "\"Number\"=dword:00000001\n"
                                       "\"Basic recorder\"=\"???\"\n"
                                       "\"Basic record time\"=dword:00008c9f\n"
                                       "\"Middle recorder\"=\"???\"\n"
                                       "\"Middle record time\"=dword:00008c9f\n"
                                       "\"Advance recorder\"=\"???\"\n"
                                       "\"Advance record time\"=dword:00008c9f\n"
                                       "\"User define number H\"=dword:00000004\n"
                                       "\"User define number V\"=dword:00000004\n");
}

}  // namespace
