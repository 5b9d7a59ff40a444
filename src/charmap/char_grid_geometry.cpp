#include "charmap/char_grid_geometry.h"

#include <algorithm>
#include <cstdio>

namespace typorama::charmap {
namespace {

// Division that rounds down, so that a point left of or above the grid (a
// drag outside the control under mouse capture) is outside, not in cell 1.
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

}  // namespace

bool CharGridGeometry::SetCellWidth(int width) {
    if (width < 1 || width == cellWidth_) return false;
    cellWidth_ = width;
    return true;
}

bool CharGridGeometry::SetCellHeight(int height) {
    if (height < 1 || height == cellHeight_) return false;
    cellHeight_ = height;
    return true;
}

std::optional<GridCell> CharGridGeometry::CellAt(int x, int y) const {
    const int column = FloorDiv(x, cellWidth_) + 1;
    const int row = FloorDiv(y, cellHeight_) + 1;
    if (column < 1 || column > kColumns || row < 1 || row > kRows) return std::nullopt;
    return GridCell{column, row};
}

CellRect CharGridGeometry::DrawRect(GridCell cell) const {
    const int left = (cell.column - 1) * cellWidth_ + 1;
    const int top = (cell.row - 1) * cellHeight_ + 1;
    return {left, top, left + cellWidth_ - 1, top + cellHeight_ - 1};
}

GridCell CharGridGeometry::Clamp(int column, int row) {
    return {std::clamp(column, 1, kColumns), std::clamp(row, 1, kRows)};
}

GridCell CharGridGeometry::Moved(GridCell cell, GridMove move) {
    switch (move) {
        case GridMove::Left: return Clamp(cell.column - 1, cell.row);
        case GridMove::Up: return Clamp(cell.column, cell.row - 1);
        case GridMove::Right: return Clamp(cell.column + 1, cell.row);
        case GridMove::Down: return Clamp(cell.column, cell.row + 1);
    }
    return cell;
}

GridSize CharGridGeometry::Snap(int availableWidth, int availableHeight) {
    const int cellWidth = std::max(FloorDiv(availableWidth, kColumns), kMinCellSize);
    const int cellHeight = std::max(FloorDiv(availableHeight, kRows), kMinCellSize);
    return {kColumns * cellWidth + 1, cellHeight * kRows + 1};
}

std::u16string AltKeyText(int code) {
    char text[32];
    std::snprintf(text, sizeof text, code < 32 || code > 126 ? "Alt + 0%d" : "Alt + %d", code);
    return Ascii(text);
}

std::u16string CodeLabelText(int code, CodeLabelMode mode) {
    char text[16] = "";
    if (mode == CodeLabelMode::Decimal) std::snprintf(text, sizeof text, "%d", code);
    if (mode == CodeLabelMode::Hexadecimal) std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(code));
    return Ascii(text);
}

}  // namespace typorama::charmap
