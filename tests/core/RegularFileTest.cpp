// RegularFileTest.cpp: reading the player's files: only regular ones, never waiting, up to a size.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/RegularFile.h"

namespace {

namespace fs = std::filesystem;

class RegularFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "zellipo-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        Folder = name;
    }
    void TearDown() override { fs::remove_all(Folder); }

    std::string Path(const char* name) const { return (Folder / name).string(); }

    fs::path Folder;
};

TEST_F(RegularFile, OnlyARegularFileWithinTheLimitIsRead) {
    std::ofstream(Path("ten")) << "0123456789";
    std::ofstream(Path("empty"));
    ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_directory(Path("folder"));
    fs::create_symlink("/dev/zero", Path("zero"));
    fs::create_symlink(Path("ten"), Path("link"));
    std::ofstream(Path("sparse"));
    fs::resize_file(Path("sparse"), 11);
    struct TCase {
        const char* Name;
        TFileFailure Failure;
        std::string Bytes;
    };
    const TCase cases[] = {
        {"ten", TFileFailure::None, "0123456789"},
        {"empty", TFileFailure::None, ""},
        {"link", TFileFailure::None, "0123456789"},
        {"missing", TFileFailure::Missing, ""},
        {"ten/inside", TFileFailure::Missing, ""},
        // A FIFO nobody writes to would hold a blocking open for ever.
        {"fifo", TFileFailure::NotRegular, ""},
        {"folder", TFileFailure::NotRegular, ""},
        {"zero", TFileFailure::NotRegular, ""},
        {"sparse", TFileFailure::TooLarge, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TFileContents contents = ReadRegularFile(Path(c.Name), 10);
        EXPECT_EQ(contents.Failure, c.Failure);
        EXPECT_EQ(contents.Bytes, c.Bytes);
        EXPECT_EQ(contents.Why.empty(), c.Failure == TFileFailure::None);
    }
}

}  // namespace
