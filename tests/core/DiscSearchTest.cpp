// DiscSearchTest.cpp: finding the picture disc, its picture list, and the launcher's layout and
// thumbnail grid arithmetic.
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

struct TScaleCase {
    const char* Name;
    int32_t ClientWidth;
    TBounds Design;
    TBounds Scaled;
};

class ScaleBoundsTest : public testing::TestWithParam<TScaleCase> {};

TEST_P(ScaleBoundsTest, ByTheWidthRatioAlone) {
    const TScaleCase c = GetParam();
    const TBounds b = ScaleBounds(c.Design, c.ClientWidth, 500);
    EXPECT_EQ(b.Left, c.Scaled.Left);
    EXPECT_EQ(b.Top, c.Scaled.Top);
    EXPECT_EQ(b.Width, c.Scaled.Width);
    EXPECT_EQ(b.Height, c.Scaled.Height);
}

const TBounds PlayDesign{73, 312, 70, 30};
const TBounds ExitDesign{357, 312, 70, 30};
const TBounds ScrollDesign{40, 96, 421, 209};

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ScaleBoundsTest,
    testing::Values(TScaleCase{"PlayAt800", 800, PlayDesign, {116, 499, 112, 48}},
                    TScaleCase{"ExitAt800", 800, ExitDesign, {571, 499, 112, 48}},
                    TScaleCase{"ScrollAt800", 800, ScrollDesign, {64, 153, 673, 334}},
                    TScaleCase{"PlayAt1024", 1024, PlayDesign, {149, 638, 143, 61}},
                    TScaleCase{"ScrollAt1024", 1024, ScrollDesign, {81, 196, 862, 428}},
                    // 312 x 1280 div 500, not 312 x 1024 div 375 = 851.
                    TScaleCase{"PlayAt1280", 1280, PlayDesign, {186, 798, 179, 76}},
                    TScaleCase{"ScrollAtTheDesignWidth", 500, ScrollDesign, {40, 96, 421, 209}}),
    [](const testing::TestParamInfo<TScaleCase>& info) { return info.param.Name; });

TEST(CellCountFor, OnlyTheFirstHundredPicturesGetCells) {
    EXPECT_EQ(CellCountFor(0), 0);
    EXPECT_EQ(CellCountFor(7), 7);
    EXPECT_EQ(CellCountFor(100), 100);
    EXPECT_EQ(CellCountFor(101), 100);
    EXPECT_EQ(CellCountFor(5000), 100);
}

TEST(ShapeGrid, WholeCellsAcrossTheClientWidth) {
    const TGridShape grid = ShapeGrid(13, 659);
    EXPECT_EQ(grid.Columns, 6);
    EXPECT_EQ(grid.Rows, 3);
    EXPECT_EQ(grid.Width, 600);
    EXPECT_EQ(grid.Height, 240);
}

TEST(ShapeGrid, NoPicturesNoRows) {
    const TGridShape grid = ShapeGrid(0, 671);
    EXPECT_EQ(grid.Columns, 6);
    EXPECT_EQ(grid.Rows, 0);
    EXPECT_EQ(grid.Height, 0);
}

TEST(ShapeGrid, ClientNarrowerThanACellStillGivesOneColumn) {
    for (int32_t width : {99, 1, 0, -5}) {
        const TGridShape grid = ShapeGrid(3, width);
        EXPECT_EQ(grid.Columns, 1) << width;
        EXPECT_EQ(grid.Rows, 3) << width;
        EXPECT_EQ(grid.Width, 100) << width;
    }
}

TEST(ShapeGrid, FullRowsAndOneMore) {
    EXPECT_EQ(ShapeGrid(12, 600).Rows, 2);
    EXPECT_EQ(ShapeGrid(100, 860).Rows, 13);
}

TEST(GridLeft, CentredAndTruncatedTowardZero) {
    EXPECT_EQ(GridLeft(659, 600), 29);
    EXPECT_EQ(GridLeft(600, 600), 0);
    EXPECT_EQ(GridLeft(80, 100), -10);
    EXPECT_EQ(GridLeft(79, 100), -10);
}

TEST(CellRect, ColumnAndRowOfTheIndex) {
    const TCellRect first = CellRect(0, 6);
    EXPECT_EQ(first.Left, 0);
    EXPECT_EQ(first.Top, 0);
    EXPECT_EQ(first.Right, 100);
    EXPECT_EQ(first.Bottom, 80);
    const TCellRect eighth = CellRect(7, 6);
    EXPECT_EQ(eighth.Left, 100);
    EXPECT_EQ(eighth.Top, 80);
    EXPECT_EQ(eighth.Right, 200);
    EXPECT_EQ(eighth.Bottom, 160);
}

TEST(CellMeetsClip, TouchingEdgesDoNotCount) {
    const TCellRect cell{100, 80, 200, 160};
    EXPECT_TRUE(CellMeetsClip(cell, {0, 0, 101, 81}));
    EXPECT_TRUE(CellMeetsClip(cell, {199, 159, 300, 300}));
    EXPECT_FALSE(CellMeetsClip(cell, {0, 0, 100, 500}));
    EXPECT_FALSE(CellMeetsClip(cell, {200, 0, 300, 500}));
    EXPECT_FALSE(CellMeetsClip(cell, {0, 0, 500, 80}));
    EXPECT_FALSE(CellMeetsClip(cell, {0, 160, 500, 300}));
}

TEST(CellIndexAt, RowTimesColumnsPlusColumn) {
    EXPECT_EQ(CellIndexAt(0, 0, 6), 0);
    EXPECT_EQ(CellIndexAt(150, 90, 6), 7);
    EXPECT_EQ(CellIndexAt(599, 79, 6), 5);
    EXPECT_EQ(CellIndexAt(0, 80, 6), 6);
}

struct TFitCase {
    const char* Name;
    int32_t SourceWidth;
    int32_t SourceHeight;
    int32_t Width;
    int32_t Height;
    int32_t X;
    int32_t Y;
};

class FitThumbnailTest : public testing::TestWithParam<TFitCase> {};

TEST_P(FitThumbnailTest, FitsTheBoxAndIsCentredInTheCell) {
    const TFitCase c = GetParam();
    const TThumbnailSize size = FitThumbnail(c.SourceWidth, c.SourceHeight);
    EXPECT_EQ(size.Width, c.Width);
    EXPECT_EQ(size.Height, c.Height);
    const TCellPoint at = ThumbnailOrigin(CellRect(0, 6), size);
    EXPECT_EQ(at.X, c.X);
    EXPECT_EQ(at.Y, c.Y);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FitThumbnailTest,
    testing::Values(TFitCase{"SmallerIsEnlargedToFillTheBox", 46, 36, 92, 72, 4, 4},
                    TFitCase{"WideFillsTheWidthCentredVertically", 368, 144, 92, 36, 4, 22},
                    TFitCase{"SquareFillsTheHeightCentredAcross", 360, 360, 72, 72, 14, 4},
                    TFitCase{"ExactlyTheBox", 92, 72, 92, 72, 4, 4},
                    TFitCase{"SliverTruncatesToNothingOnItsShortSide", 1000, 1, 92, 0, 4, 40}),
    [](const testing::TestParamInfo<TFitCase>& info) { return info.param.Name; });

TEST(ThumbnailOrigin, InTheCellOfItsIndex) {
    const TCellPoint at = ThumbnailOrigin(CellRect(7, 6), {92, 36});
    EXPECT_EQ(at.X, 104);
    EXPECT_EQ(at.Y, 102);
}

TEST(ScrollToShowCell, RowAlreadyInViewStays) {
    EXPECT_EQ(ScrollToShowCell(0, 6, 330, 0, 1360), std::nullopt);
    // Rows 0 to 3 end at 320, within the 330 shown.
    EXPECT_EQ(ScrollToShowCell(23, 6, 330, 0, 1360), std::nullopt);
}

TEST(ScrollToShowCell, NewRowBelowScrollsToItsTop) {
    EXPECT_EQ(ScrollToShowCell(24, 6, 330, 0, 1360), 320);
}

TEST(ScrollToShowCell, LastRowsShowTheLastFullScreen) {
    // Row 16 starts at 1280; 330 + 1280 passes the grid's 1360, so 1360 - 330.
    EXPECT_EQ(ScrollToShowCell(96, 6, 330, 960, 1360), 1030);
}
