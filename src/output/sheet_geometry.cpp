#include "output/sheet_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace typorama::output {
namespace {

constexpr double kMmPerInch = 25.4;

struct AxisMm {
    float paper = 0.0f;
    float offset = 0.0f;
    float unprintable = 0.0f;
};

// One direction of the page in millimetres. The quotients are formed in
// double and kept as single floats, as the page stores them.
AxisMm MeasureAxis(int physical, int offset, int printable, float pixelsPerMm) {
    const double printableMm = printable / static_cast<double>(pixelsPerMm);
    AxisMm axis;
    if (physical <= 0) {
        // A screen or a bitmap: the surface is the whole paper.
        axis.paper = static_cast<float>(std::max(printableMm, 0.0));
        return axis;
    }
    axis.paper = static_cast<float>(physical / static_cast<double>(pixelsPerMm));
    axis.offset = static_cast<float>(offset / static_cast<double>(pixelsPerMm));
    // A driver whose printable area reaches past the paper has no strip there,
    // not a negative one.
    axis.unprintable = static_cast<float>(std::max(
        static_cast<double>(axis.paper) - printableMm - static_cast<double>(axis.offset), 0.0));
    return axis;
}

}  // namespace

int MmToPixels(float mm, float pixelsPerMm) {
    // The product of two floats is exact in a double.
    const double pixels = static_cast<double>(mm) * static_cast<double>(pixelsPerMm);
    if (std::isnan(pixels)) return 0;
    const double kept = std::clamp(pixels, -static_cast<double>(kMaxDeviceCoordinate),
                                   static_cast<double>(kMaxDeviceCoordinate));
    return static_cast<int>(std::lround(kept));
}

int PointsToPixels(int points, int dpi) {
    const long long product = static_cast<long long>(points) * dpi;
    const long long half = product < 0 ? -36 : 36;
    return static_cast<int>(std::clamp<long long>((product + half) / 72, INT_MIN, INT_MAX));
}

void SheetGeometry::ApplyDevice(const DeviceMetrics& device) {
    DpiX = device.dpiX > 0 ? device.dpiX : kFallbackDpi;
    DpiY = device.dpiY > 0 ? device.dpiY : kFallbackDpi;
    PixelsPerMmX = static_cast<float>(DpiX / kMmPerInch);
    PixelsPerMmY = static_cast<float>(DpiY / kMmPerInch);
    const AxisMm x = MeasureAxis(device.physicalWidth, device.physicalOffsetX, device.printableWidth, PixelsPerMmX);
    const AxisMm y = MeasureAxis(device.physicalHeight, device.physicalOffsetY, device.printableHeight, PixelsPerMmY);
    PaperWidth = x.paper;
    OffsetX = x.offset;
    UnprintableRight = x.unprintable;
    PaperHeight = y.paper;
    OffsetY = y.offset;
    UnprintableBottom = y.unprintable;
}

float SheetGeometry::RowOffset() const {
    return RowMode ? static_cast<float>(RowIndex) * RowHeight : 0.0f;
}

PixelRect SheetGeometry::Place(float left, float top, float width, float height) const {
    // The sums in single precision, as the sheets were measured.
    const float x = OriginX() + left;
    const float y = OriginY() + RowOffset() + top;
    return {MmToPixelsX(x), MmToPixelsY(y), MmToPixelsX(width), MmToPixelsY(height)};
}

std::vector<PixelLine> BoxSideLines(const PixelRect& box, unsigned sides) {
    const int left = box.x;
    const int top = box.y;
    const int right = box.x + box.w;
    const int bottom = box.y + box.h;
    std::vector<PixelLine> lines;
    if (sides & kSideLeft) lines.push_back({left, top, left, bottom});
    if (sides & kSideBottom) lines.push_back({left, bottom, right, bottom});
    if (sides & kSideRight) lines.push_back({right, bottom, right, top});
    if (sides & kSideTop) lines.push_back({right, top, left, top});
    return lines;
}

int AlignedTextTop(const PixelRect& box, int textHeight, VerticalAlignment align) {
    if (textHeight >= box.h) return box.y;
    switch (align) {
    case VerticalAlignment::Centre:
        return box.y + (box.h - textHeight) / 2;
    case VerticalAlignment::Bottom:
        return box.y + box.h - textHeight;
    case VerticalAlignment::Top:
        break;
    }
    return box.y;
}

PixelRect CharMapLayout::Cell(int index) const {
    const int row = index / kCharMapColumns;
    const int column = index % kCharMapColumns;
    return {area.x + column * columnWidth, area.y + row * rowHeight, columnWidth, rowHeight};
}

std::vector<PixelLine> CharMapLayout::GridLines() const {
    std::vector<PixelLine> lines;
    lines.reserve(kCharMapRows - 1 + kCharMapColumns - 1);
    for (int k = 1; k < kCharMapRows; ++k) {
        const int y = area.y + k * rowHeight;
        lines.push_back({area.x, y, area.x + area.w, y});
    }
    for (int k = 1; k < kCharMapColumns; ++k) {
        const int x = area.x + k * columnWidth;
        lines.push_back({x, area.y, x, area.y + area.h});
    }
    return lines;
}

CharMapLayout LayOutCharMap(const PixelRect& area) {
    CharMapLayout layout;
    layout.area = area;
    layout.rowHeight = static_cast<int>(std::lround(area.h / static_cast<double>(kCharMapRows)));
    layout.columnWidth = static_cast<int>(std::lround(area.w / static_cast<double>(kCharMapColumns)));
    layout.cellSize = std::min(layout.rowHeight, layout.columnWidth);
    const int s = layout.cellSize;
    layout.charHeight = s - s / 4;
    layout.codeHeight = static_cast<int>(std::lround(layout.charHeight / 4.0));
    layout.codeOffsetX = s / 15;
    layout.codeOffsetY = s / 20;
    return layout;
}

}  // namespace typorama::output
