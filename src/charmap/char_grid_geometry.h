// The geometry of the character grid: cells, the cell under a point, the
// drawing rectangle of a cell, arrow-key moves and the grid size that fits a
// window. Nothing here knows which characters the cells hold beyond the
// first code and the number of cells, so that the same grid can page through
// other ranges. Pure code.
#pragma once

#include <optional>
#include <string>

namespace typorama::charmap {

// Columns and rows count from 1.
struct GridCell {
    int column = 1;
    int row = 1;
    bool operator==(const GridCell&) const = default;
};

struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;
    bool operator==(const CellRect&) const = default;
};

struct GridSize {
    int width = 0;
    int height = 0;
    bool operator==(const GridSize&) const = default;
};

enum class GridMove { Left, Up, Right, Down };

enum class CodeLabelMode { None = 0, Character = 1, Decimal = 2, Hexadecimal = 3 };

class CharGridGeometry {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 14;
    static constexpr int kFirstCode = 32;  // the space: codes 32 to 255
    static constexpr int kMinCellSize = 15;
    static constexpr int kDefaultCellSize = 20;
    // Labels need room beside the character: cells up to this width have none.
    static constexpr int kMaxCellWidthWithoutLabels = 35;

    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    // Sizes below 1 are not accepted (the grid would have no cells to hit).
    bool SetCellWidth(int width);
    bool SetCellHeight(int height);

    // The whole grid, with the closing grid line on the right and at the bottom.
    GridSize Size() const { return {cellWidth_ * kColumns + 1, cellHeight_ * kRows + 1}; }

    // The cell holding the point; nothing on the last grid line or outside.
    std::optional<GridCell> CellAt(int x, int y) const;
    // The cell holding the point, or `current` when the point is in no cell.
    GridCell CellFromPoint(int x, int y, GridCell current) const { return CellAt(x, y).value_or(current); }
    // Inside the cell's grid lines.
    CellRect DrawRect(GridCell cell) const;

    static GridCell Clamp(int column, int row);
    // One step in a direction; at an edge the cell stays (no wrapping).
    static GridCell Moved(GridCell cell, GridMove move);
    // The largest grid of whole cells of at least kMinCellSize that the
    // available space suggests.
    static GridSize Snap(int availableWidth, int availableHeight);

    static int CellCount() { return kColumns * kRows; }
    // The code of a cell for a grid whose first cell holds `firstCode`.
    static int CodeOf(GridCell cell, int firstCode = kFirstCode) {
        return firstCode + (cell.row - 1) * kColumns + cell.column - 1;
    }

private:
    int cellWidth_ = kDefaultCellSize;
    int cellHeight_ = kDefaultCellSize;
};

// How to type a code on the numeric keypad: "Alt + 65", and with a leading 0
// (the ANSI code page, not the OEM one) outside the printable ASCII range:
// "Alt + 0169".
std::u16string AltKeyText(int code);
// The small label of a cell for the decimal and hexadecimal modes ("32",
// "FF"); empty for the others (the character label is the font's business).
std::u16string CodeLabelText(int code, CodeLabelMode mode);

}  // namespace typorama::charmap
