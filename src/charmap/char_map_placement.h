// Where the character map window goes and how big it may be: its size keeps
// the grid to whole cells (charmap/char_grid_geometry.h), a border drag
// snaps the same way, and stored positions are brought back onto the screen.
// Pure code.
#pragma once

#include <optional>

namespace typorama::charmap {

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

// What a window of the character map spends beside the grid: the frame, the
// toolbar, the status bar and the one-pixel margins around the grid.
struct GridFrame {
    int extraWidth = 0;
    int extraHeight = 0;

    // For a window with this frame (window size minus client size), a grid
    // starting `gridTop` pixels below the client's top and a status bar of
    // `statusHeight` pixels under it.
    static GridFrame Of(int nonClientWidth, int nonClientHeight, int gridTop, int statusHeight);
};

// The cell size that fills the client area between the toolbar and the
// status bar, with a margin of one pixel; never below 1.
struct CellSize {
    int width = 1;
    int height = 1;
    bool operator==(const CellSize&) const = default;
};
CellSize CellsForClient(int clientWidth, int clientHeight, int gridTop, int statusHeight);

// The window size nearest to width x height whose grid is whole cells of at
// least the grid's minimum size.
struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};
WindowSize SnappedWindowSize(int width, int height, GridFrame frame);

// A border drag (the WMSZ_ edge codes 1 to 8: left, right, top, top left,
// top right, bottom, bottom left, bottom right): the rectangle snapped, with
// the edges opposite the dragged ones staying where they are.
WindowRect SnapSizingRect(WindowRect proposed, int edge, GridFrame frame);

// A stored left or top off the screen (below 0 or beyond its size) becomes 0.
int KeepOnScreen(int coordinate, int screenSize);

// The custom maximised placement as stored; nothing when one of the four is
// missing. Its corner is kept on the screen like the normal position, and an
// extent beyond the screen, or below its own start plus 50, becomes what is
// left of the screen from that start.
std::optional<Placement> CorrectedMaxPlacement(std::optional<int> left, std::optional<int> top,
                                                std::optional<int> width, std::optional<int> height,
                                                int screenWidth, int screenHeight);

}  // namespace typorama::charmap
