// DiscSearch.h: the picture disc among the mounted volumes, its picture list, and the launcher's
// full-screen layout and thumbnail grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One mounted file system.
struct TVolume {
    std::string MountPoint;
    // As the system names it: "iso9660", "udf", "ext4", ...
    std::string FileSystem;
    // The mounted device, e.g. "/dev/sr0", or whatever else the mount names as its source.
    std::string Device;
    // Empty when the volume has none or it could not be learnt.
    std::string Label;
};

// The mounted file systems, in mount-table order.
class IVolumeList {
  public:
    virtual ~IVolumeList() = default;
    virtual std::vector<TVolume> Volumes() = 0;
};

inline constexpr char DiscLabel[] = "Pellawinto";
inline constexpr char PictureFolderName[] = "Image2";
inline constexpr char PictureFileExtension[] = ".bmp";
// Edit and play hands the editor a copy under a name made from this pattern, the Xs replaced so
// that every copy has a name of its own; the copy goes at the next edit.
inline constexpr char TemporaryPicturePattern[] = "$ECBMP$.XXXXXX.tmp";
inline constexpr size_t TemporaryPictureSuffixLength = 4;

// The picture folder holds at most a hundred pictures; the entries of a folder or the disc's root
// are read only this far.
inline constexpr size_t DiscEntryLimit = 1000;

// Longer volume labels and file-system names are not reported, so such a volume is never the disc.
constexpr size_t VolumeNameLimit = 31;

// A CD-ROM: one of the optical file systems, or a volume on an optical drive.
bool IsOpticalVolume(const TVolume& volume);

// The label of the disc, in either case, on a volume whose names are reported.
bool HasDiscLabel(const TVolume& volume);

// The root of the first optical volume labelled as the disc, ending in "/"; none without the disc.
std::optional<std::string> FindPictureDiscRoot(const std::vector<TVolume>& volumes);

// The picture folder among the disc root's entry names. An optical volume may show the name in
// either case; a name spelt exactly as given wins over other spellings.
std::optional<std::string> FindPictureFolder(const std::vector<std::string>& names);

// Whether an entry name matches "*.bmp", ignoring case.
bool IsPictureFileName(const std::string& name);

// An order of texts: true when a comes before b.
using TTextOrder = std::function<bool(const std::string& a, const std::string& b)>;

// Full paths of the folder's pictures, given its entry names, sorted by the order given.
std::vector<std::string> ListPictures(const std::string& folder,
                                      const std::vector<std::string>& names,
                                      const TTextOrder& before);

// The full-screen layout keeps the design's proportions: every value, vertical ones too, is
// scaled by the ratio of the client widths.
struct TBounds {
    int32_t Left;
    int32_t Top;
    int32_t Width;
    int32_t Height;
};

TBounds ScaleBounds(const TBounds& design, int32_t clientWidth, int32_t designClientWidth);

// The thumbnail grid, in pixels of the grid's paint box.
constexpr int32_t CellWidth = 100;
constexpr int32_t CellHeight = 80;
constexpr int32_t ThumbnailBoxLeft = 4;
constexpr int32_t ThumbnailBoxTop = 4;
constexpr int32_t ThumbnailBoxWidth = 92;
constexpr int32_t ThumbnailBoxHeight = 72;
constexpr int32_t ThumbnailCapacity = 100;

// The pictures that get a cell: the first ones in list order, up to the capacity.
int32_t CellCountFor(size_t pictureCount);

struct TGridShape {
    int32_t Columns;
    int32_t Rows;
    int32_t Width;
    int32_t Height;
};

// As many whole cells across as the client width holds, at least one.
TGridShape ShapeGrid(int32_t cellCount, int32_t clientWidth);

// The left edge that centres the grid; negative when the grid is the wider.
int32_t GridLeft(int32_t clientWidth, int32_t gridWidth);

struct TCellRect {
    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
};

TCellRect CellRect(int32_t index, int32_t columns);

// Whether the cell reaches into the area being painted; touching edges do not count.
bool CellMeetsClip(const TCellRect& cell, const TCellRect& clip);

// The index of the cell under a point of the grid; it may lie beyond the last picture.
int32_t CellIndexAt(int32_t x, int32_t y, int32_t columns);

struct TThumbnailSize {
    int32_t Width;
    int32_t Height;
};

// The picture's size scaled to fit the thumbnail box with its proportions; small pictures grow.
TThumbnailSize FitThumbnail(int32_t sourceWidth, int32_t sourceHeight);

struct TCellPoint {
    int32_t X;
    int32_t Y;
};

// Where a thumbnail of that size is drawn, centred in its cell's box.
TCellPoint ThumbnailOrigin(const TCellRect& cell, const TThumbnailSize& size);

// The scroll position that brings the row of a new thumbnail into view, or none when the row
// already shows in full.
std::optional<int32_t> ScrollToShowCell(int32_t index, int32_t columns, int32_t clientHeight,
                                        int32_t position, int32_t gridHeight);
