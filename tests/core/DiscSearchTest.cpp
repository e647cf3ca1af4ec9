// DiscSearchTest.cpp: finding the picture disc and its picture list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "pictures/core/DiscSearch.h"

namespace {

TVolume Volume(std::string mountPoint, std::string fileSystem, std::string device,
               std::string label) {
    return {std::move(mountPoint), std::move(fileSystem), std::move(device), std::move(label)};
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Stands in for the platform's collation: case does not count.
bool CaselessBefore(const std::string& a, const std::string& b) {
    return Lower(a) < Lower(b);
}

}  // namespace

TEST(FindPictureDiscRoot, FirstOpticalVolumeWithTheLabelInMountOrder) {
    const std::vector<TVolume> volumes = {
        Volume("/", "ext4", "/dev/vda1", "Pellawinto"),
        Volume("/media/a", "iso9660", "/dev/sr0", "Other"),
        Volume("/media/b", "udf", "/dev/sr1", "PELLAWINTO"),
        Volume("/media/c", "iso9660", "/dev/sr2", "Pellawinto"),
    };
    EXPECT_EQ(FindPictureDiscRoot(volumes), "/media/b/");
}

TEST(FindPictureDiscRoot, NoVolumesNoDisc) {
    EXPECT_EQ(FindPictureDiscRoot({}), std::nullopt);
}

TEST(FindPictureDiscRoot, LabelOnAHardDiskIsNoDisc) {
    EXPECT_EQ(FindPictureDiscRoot({Volume("/mnt/usb", "vfat", "/dev/sdb1", "PELLAWINTO")}),
              std::nullopt);
}

TEST(FindPictureDiscRoot, RootThatEndsInASlashGetsNoSecond) {
    EXPECT_EQ(FindPictureDiscRoot({Volume("/", "iso9660", "/dev/sr0", "pellawinto")}), "/");
}

TEST(FindPictureDiscRoot, LabelMustMatchWhole) {
    EXPECT_EQ(FindPictureDiscRoot({Volume("/m", "iso9660", "/dev/sr0", "Pellawinto "),
                                   Volume("/n", "iso9660", "/dev/sr0", "Pellawint"),
                                   Volume("/o", "iso9660", "/dev/sr0", "")}),
              std::nullopt);
}

TEST(IsOpticalVolume, OpticalFileSystemOrOpticalDrive) {
    EXPECT_TRUE(IsOpticalVolume(Volume("/m", "iso9660", "/dev/loop0", "")));
    EXPECT_TRUE(IsOpticalVolume(Volume("/m", "udf", "/dev/loop0", "")));
    // A disc with a file system of another kind, on the drive.
    EXPECT_TRUE(IsOpticalVolume(Volume("/m", "hfsplus", "/dev/sr0", "")));
    EXPECT_TRUE(IsOpticalVolume(Volume("/m", "vfat", "/dev/sr12", "")));
    EXPECT_FALSE(IsOpticalVolume(Volume("/m", "ext4", "/dev/sda1", "")));
    EXPECT_FALSE(IsOpticalVolume(Volume("/m", "ext4", "/dev/sr", "")));
    EXPECT_FALSE(IsOpticalVolume(Volume("/m", "ext4", "/dev/sra", "")));
    EXPECT_FALSE(IsOpticalVolume(Volume("/m", "tmpfs", "tmpfs", "")));
}

TEST(HasDiscLabel, NamesLongerThan31CharactersAreNotReported) {
    const std::string longType(32, 'f');
    EXPECT_FALSE(HasDiscLabel(Volume("/m", longType, "/dev/sr0", "Pellawinto")));
    EXPECT_TRUE(HasDiscLabel(Volume("/m", std::string(31, 'f'), "/dev/sr0", "Pellawinto")));
    // Characters, not bytes: 31 two-byte characters are still reported.
    std::string wide;
    for (int i = 0; i < 31; ++i) {
        wide += "\xC3\xA9";
    }
    EXPECT_TRUE(HasDiscLabel(Volume("/m", wide, "/dev/sr0", "Pellawinto")));
    EXPECT_FALSE(HasDiscLabel(Volume("/m", wide + "\xC3\xA9", "/dev/sr0", "Pellawinto")));
}

TEST(FindPictureFolder, EitherCaseAndTheExactSpellingFirst) {
    EXPECT_EQ(FindPictureFolder({"readme.txt", "image2"}), "image2");
    EXPECT_EQ(FindPictureFolder({"IMAGE2", "image2", "Image2"}), "Image2");
    EXPECT_EQ(FindPictureFolder({"image2", "IMAGE2"}), "IMAGE2");
    EXPECT_EQ(FindPictureFolder({"Image22", "Image", "Images2"}), std::nullopt);
    EXPECT_EQ(FindPictureFolder({}), std::nullopt);
}

TEST(IsPictureFileName, StarDotBmpIgnoringCase) {
    for (const char* name : {"a.bmp", "B.BMP", "c.Bmp", ".bmp", "two.dots.bmp"}) {
        EXPECT_TRUE(IsPictureFileName(name)) << name;
    }
    for (const char* name : {"a.bmpx", "bmp", "a.bm", "a_bmp", "a.bmp.txt", ""}) {
        EXPECT_FALSE(IsPictureFileName(name)) << name;
    }
}

TEST(ListPictures, OnlyBitmapsAsFullPathsInTheOrderGiven) {
    const std::vector<std::string> names = {"d.Bmp", "b.BMP", "notes.txt", "A.bmp", "C.bmp"};
    EXPECT_EQ(ListPictures("/media/cd/Image2", names, CaselessBefore),
              (std::vector<std::string>{"/media/cd/Image2/A.bmp", "/media/cd/Image2/b.BMP",
                                        "/media/cd/Image2/C.bmp", "/media/cd/Image2/d.Bmp"}));
}

TEST(ListPictures, NamesTheOrderHoldsEqualKeepOneOrder) {
    const std::vector<std::string> expected = {"/d/A.bmp", "/d/a.bmp"};
    EXPECT_EQ(ListPictures("/d", {"a.bmp", "A.bmp"}, CaselessBefore), expected);
    EXPECT_EQ(ListPictures("/d", {"A.bmp", "a.bmp"}, CaselessBefore), expected);
}

TEST(ListPictures, NoPicturesGiveAnEmptyList) {
    EXPECT_TRUE(ListPictures("/d", {"readme.txt"}, CaselessBefore).empty());
}
