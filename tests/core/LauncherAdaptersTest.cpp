// LauncherAdaptersTest.cpp: the system's volume list read from a mount table and label links,
// and the editor started without a shell and waited for.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "pictures/platform/EditorLauncher.h"
#include "pictures/platform/MountVolumes.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TScratchFolder {
  public:
    TScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "zellipo-XXXXXX").string();
        Path = mkdtemp(pattern.data());
    }
    ~TScratchFolder() {
        std::error_code ignored;
        fs::remove_all(Path, ignored);
    }
    fs::path Path;
};

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string ReadText(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST(ParseMountInfo, MountsInTableOrderWithTheirNamesUnescaped) {
    const std::vector<TVolume> volumes = ParseMountInfo(
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "61 27 11:0 / /media/player/My\\040Pictures ro,nosuid shared:30 master:2 - iso9660 "
        "/dev/sr0 ro,uid=1000\n"
        "62 27 0:50 / /mnt/back\\134slash rw - tmpfs tmpfs rw\n");
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].MountPoint, "/");
    EXPECT_EQ(volumes[0].FileSystem, "ext4");
    EXPECT_EQ(volumes[0].Device, "/dev/vda");
    EXPECT_EQ(volumes[1].MountPoint, "/media/player/My Pictures");
    EXPECT_EQ(volumes[1].FileSystem, "iso9660");
    EXPECT_EQ(volumes[1].Device, "/dev/sr0");
    EXPECT_EQ(volumes[1].Label, "");
    EXPECT_EQ(volumes[2].MountPoint, "/mnt/back\\slash");
}

TEST(ParseMountInfo, MalformedLinesAreSkipped) {
    const std::vector<TVolume> volumes = ParseMountInfo(
        "\n"
        "1 2 3:4 / /no-separator rw ext4 /dev/x rw\n"
        "5 6\n"
        "7 8 0:1 / /ok rw - udf /dev/sr1 ro\n");
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].MountPoint, "/ok");
}

TEST(DecodeLabelLink, HexEscapesOfUnsafeBytes) {
    EXPECT_EQ(DecodeLabelLink("Pellawinto"), "Pellawinto");
    EXPECT_EQ(DecodeLabelLink("My\\x20Disc"), "My Disc");
    EXPECT_EQ(DecodeLabelLink("a\\x2fb\\x5cc"), "a/b\\c");
    EXPECT_EQ(DecodeLabelLink("\\xe5\\x9c\\x96"), "\xe5\x9c\x96");
    // Not an escape: left as it is.
    EXPECT_EQ(DecodeLabelLink("x\\xZZ\\x4"), "x\\xZZ\\x4");
}

TEST(MountVolumes, LabelOfTheDeviceALinkNames) {
    TScratchFolder scratch;
    WriteText(scratch.Path / "mountinfo",
              "30 1 1:3 / /media/disc ro - iso9660 /dev/null ro\n"
              "31 1 1:5 / /media/other ro - udf /dev/zero ro\n"
              "32 1 0:40 / /run tmpfs rw - tmpfs tmpfs rw\n");
    fs::create_directory(scratch.Path / "by-label");
    fs::create_symlink("/dev/null", scratch.Path / "by-label" / "Pellawinto");
    fs::create_symlink("/dev/full", scratch.Path / "by-label" / "Not\\x20Mounted");

    TMountVolumes list((scratch.Path / "mountinfo").string(), (scratch.Path / "by-label").string());
    const std::vector<TVolume> volumes = list.Volumes();
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].MountPoint, "/media/disc");
    EXPECT_EQ(volumes[0].Label, "Pellawinto");
    EXPECT_EQ(volumes[1].Label, "");
    EXPECT_EQ(volumes[2].Label, "");
    EXPECT_EQ(FindPictureDiscRoot(volumes), "/media/disc/");
}

TEST(MountVolumes, LabelWithEscapedSpace) {
    TScratchFolder scratch;
    WriteText(scratch.Path / "mountinfo", "30 1 1:3 / /media/d ro - iso9660 /dev/null ro\n");
    fs::create_directory(scratch.Path / "by-label");
    fs::create_symlink("/dev/null", scratch.Path / "by-label" / "Holiday\\x202024");

    TMountVolumes list((scratch.Path / "mountinfo").string(), (scratch.Path / "by-label").string());
    const std::vector<TVolume> volumes = list.Volumes();
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_EQ(volumes[0].Label, "Holiday 2024");
}

TEST(MountVolumes, NoTableAndNoLinksGiveNoVolumes) {
    TScratchFolder scratch;
    TMountVolumes list((scratch.Path / "missing").string(), (scratch.Path / "none").string());
    EXPECT_TRUE(list.Volumes().empty());
}

TEST(MountVolumes, ThisSystemsTableReadsWithoutFailing) {
    TMountVolumes list;
    EXPECT_FALSE(list.Volumes().empty());
}

TEST(EditorLauncher, FileNameReachesTheEditorAsOneArgumentUntouchedAndItsEndIsSeen) {
    TScratchFolder scratch;
    // The editor stands in as a script that edits only once the test lets it, then writes what
    // it was given.
    const fs::path go = scratch.Path / "go";
    ASSERT_EQ(mkfifo(go.c_str(), 0600), 0);
    const fs::path editor = scratch.Path / "editor";
    WriteText(editor, "#!/bin/sh\nread line < '" + go.string() +
                          "'\nprintf '%s|%s' \"$#\" \"$1\" > \"$1\"\n");
    fs::permissions(editor, fs::perms::owner_all);
    // A shell would split, expand or choke on this name.
    const std::string file = (scratch.Path / "a b;$HOME'*.tmp").string();

    TEditorLauncher launcher(editor.string());
    ASSERT_TRUE(launcher.Start(file));
    // Asking does not wait: the editor is still held at its FIFO.
    EXPECT_FALSE(launcher.HasEnded());
    std::ofstream(go) << "\n";
    while (!launcher.HasEnded()) {
        std::this_thread::yield();
    }
    EXPECT_EQ(ReadText(file), "1|" + file);
}

TEST(EditorLauncher, MissingEditorCannotBeStarted) {
    TEditorLauncher launcher("zellipo-no-such-editor");
    EXPECT_FALSE(launcher.Start("/tmp/picture.tmp"));
    // Nothing was started, so there is nothing to wait for.
    EXPECT_TRUE(launcher.HasEnded());
}
