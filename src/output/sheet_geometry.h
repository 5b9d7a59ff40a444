// Where a printed sheet's objects land on a device: millimetres to device
// pixels, margins, the paper's unprintable strips, the row of a listing, the
// placement of text and the cells of a character map. Pure code: the print
// page (print_sheet.h) asks the device for its figures and draws with them.
#pragma once

#include <array>
#include <vector>

namespace typorama::output {

// What a device reports about its page, all in device pixels: the resolution,
// the whole sheet of paper, where the printable area starts on it and how
// large that area is. A display or memory device reports no paper (0).
struct DeviceMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
};

// A screen, a memory bitmap or a metafile drawn as a surface of `width` ×
// `height` pixels at `dpi`: all of it is printable.
inline DeviceMetrics SurfaceMetrics(int dpi, int width, int height) {
    return {dpi, dpi, 0, 0, 0, 0, width, height};
}

// A rectangle in device pixels as its left, top, width and height.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct PixelLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const PixelLine&) const = default;
};

// GDI on Windows NT keeps coordinates within 27 bits; anything further is
// no place on any paper.
inline constexpr int kMaxDeviceCoordinate = (1 << 27) - 1;

// The resolution a device that reports none is taken to have, as a screen.
inline constexpr int kFallbackDpi = 96;

// mm × pixels per mm, rounded to the nearest pixel (halves away from zero)
// and kept within GDI's coordinate space; a figure that is no number is 0.
int MmToPixels(float mm, float pixelsPerMm);

// A font size in points as a character height in pixels at `dpi`, rounded
// as MulDiv rounds (halves away from zero).
int PointsToPixels(int points, int dpi);

// The numeric state of a print page: the device's figures in millimetres,
// the sheet's margins and the listing row.
struct SheetGeometry {
    int DpiX = kFallbackDpi;
    int DpiY = kFallbackDpi;
    float PixelsPerMmX = kFallbackDpi / 25.4f;
    float PixelsPerMmY = kFallbackDpi / 25.4f;
    float LeftMargin = 10.0f;
    float TopMargin = 10.0f;
    float OffsetX = 0.0f;
    float OffsetY = 0.0f;
    float UnprintableRight = 0.0f;
    float UnprintableBottom = 0.0f;
    float PaperWidth = 0.0f;
    float PaperHeight = 0.0f;
    bool RowMode = false;
    float RowHeight = 20.0f;
    int RowIndex = 0;

    // Takes the device's resolution and paper. A device without paper (a
    // screen, a memory bitmap) is all printable area: its paper is that area
    // and it has no unprintable strips. A resolution of 0 or less counts as
    // kFallbackDpi, so that nothing is divided by zero.
    void ApplyDevice(const DeviceMetrics& device);

    int MmToPixelsX(float mm) const { return MmToPixels(mm, PixelsPerMmX); }
    int MmToPixelsY(float mm) const { return MmToPixels(mm, PixelsPerMmY); }
    // The sheet's origin measured from the printable area's corner, in mm.
    float OriginX() const { return LeftMargin - OffsetX; }
    float OriginY() const { return TopMargin - OffsetY; }
    // How far the current listing row lies below the sheet's origin, in mm.
    float RowOffset() const;
    // An object's rectangle (mm, relative to the sheet's origin) on the device.
    PixelRect Place(float left, float top, float width, float height) const;
};

// The sides of a framed box, as flags.
enum BoxSide : unsigned {
    kSideLeft = 1,
    kSideTop = 2,
    kSideRight = 4,
    kSideBottom = 8,
    kAllSides = 15,
};

// The chosen sides of `box` as lines, in drawing order: left downwards,
// bottom rightwards, right upwards, top leftwards, so that every corner of a
// full frame is covered by the line that starts there.
std::vector<PixelLine> BoxSideLines(const PixelRect& box, unsigned sides);

enum class VerticalAlignment : unsigned char { Top = 0, Centre = 1, Bottom = 2 };
enum class HorizontalAlignment : unsigned char { Left = 0, Centre = 1, Right = 2 };

// The top of a block of text `textHeight` high inside `box`, aligned as asked.
// A block taller than the box starts at the box's top, so that its first
// lines show.
int AlignedTextTop(const PixelRect& box, int textHeight, VerticalAlignment align);

// The character map: the codes 32 to 255 in 16 rows of 14 columns.
inline constexpr int kCharMapColumns = 14;
inline constexpr int kCharMapRows = 16;
inline constexpr int kCharMapFirstCode = 32;
inline constexpr int kCharMapCells = kCharMapColumns * kCharMapRows;  // the last holds 255

struct CharMapLayout {
    PixelRect area;
    int rowHeight = 0;      // r
    int columnWidth = 0;    // c
    int cellSize = 0;       // s, the smaller of r and c
    int charHeight = 0;     // cell height of the characters' font
    int codeHeight = 0;     // cell height of the codes' font
    int codeOffsetX = 0;    // where a code starts in its cell
    int codeOffsetY = 0;

    // A font height of 0 would ask GDI for its default size, far larger than
    // a tiny map's cells: such a map shows no characters, or no codes.
    bool DrawsCharacters() const { return charHeight > 0; }
    bool DrawsCodes() const { return DrawsCharacters() && codeHeight > 0; }
    // Cell `index` (0 .. kCharMapCells - 1), row by row from the top left.
    PixelRect Cell(int index) const;
    static int Code(int index) { return kCharMapFirstCode + index; }
    // The grid's inner lines: 15 across from left to right, then 13 down
    // from top to bottom.
    std::vector<PixelLine> GridLines() const;
};

CharMapLayout LayOutCharMap(const PixelRect& area);

}  // namespace typorama::output
