#include "charmap/char_map_placement.h"

#include <algorithm>

#include "charmap/char_grid_geometry.h"

namespace typorama::charmap {
namespace {

// The WMSZ_ codes of the edges that move the left or the top side.
constexpr int kLeft = 1, kTop = 3, kTopLeft = 4, kTopRight = 5, kBottomLeft = 7;

int FitExtent(int extent, int start, int screenSize) {
    return extent > screenSize || extent < start + 50 ? screenSize - start : extent;
}

}  // namespace

GridFrame GridFrame::Of(int nonClientWidth, int nonClientHeight, int gridTop, int statusHeight) {
    // The grid is 16 cells + 1 line wide with one pixel of margin on each
    // side: the client is one pixel wider than the grid (see CellsForClient).
    return {nonClientWidth + 1, nonClientHeight + gridTop + statusHeight + 1};
}

CellSize CellsForClient(int clientWidth, int clientHeight, int gridTop, int statusHeight) {
    const int width = (clientWidth - 2) / CharGridGeometry::kColumns;
    const int height = (clientHeight - gridTop - 1 - statusHeight - 1) / CharGridGeometry::kRows;
    return {std::max(width, 1), std::max(height, 1)};
}

WindowSize SnappedWindowSize(int width, int height, GridFrame frame) {
    const GridSize grid = CharGridGeometry::Snap(width - frame.extraWidth, height - frame.extraHeight);
    return {grid.width + frame.extraWidth, grid.height + frame.extraHeight};
}

WindowRect SnapSizingRect(WindowRect proposed, int edge, GridFrame frame) {
    const WindowSize size = SnappedWindowSize(proposed.Width(), proposed.Height(), frame);
    const bool left = edge == kLeft || edge == kTopLeft || edge == kBottomLeft;
    const bool top = edge == kTop || edge == kTopLeft || edge == kTopRight;
    if (left)
        proposed.left = proposed.right - size.width;
    else
        proposed.right = proposed.left + size.width;
    if (top)
        proposed.top = proposed.bottom - size.height;
    else
        proposed.bottom = proposed.top + size.height;
    return proposed;
}

int KeepOnScreen(int coordinate, int screenSize) {
    return coordinate < 0 || coordinate > screenSize ? 0 : coordinate;
}

std::optional<Placement> CorrectedMaxPlacement(std::optional<int> left, std::optional<int> top,
                                                std::optional<int> width, std::optional<int> height,
                                                int screenWidth, int screenHeight) {
    if (!left || !top || !width || !height) return std::nullopt;
    Placement placement;
    placement.left = KeepOnScreen(*left, screenWidth);
    placement.top = KeepOnScreen(*top, screenHeight);
    placement.width = FitExtent(*width, placement.left, screenWidth);
    placement.height = FitExtent(*height, placement.top, screenHeight);
    return placement;
}

}  // namespace typorama::charmap
