// A glyph's outline as the system reports it (GetGlyphOutline with
// GGO_NATIVE), flattened into straight stroke segments, and the filled
// polygons and SVG path made from those segments. Pure code: the buffer is
// read as little-endian bytes, since it comes from the system and may come
// from any font, and every count in it is checked against the bytes that
// are really there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace typorama::charmap {

// One straight piece of a closed contour. Glyph coordinates: y points up,
// the origin is the glyph's origin on the baseline.
struct StrokeSegment {
    std::int32_t contour = 0;
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    bool operator==(const StrokeSegment&) const = default;
};

struct StrokeBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;  // the smallest y (y points up)
    std::int32_t right = 0;
    std::int32_t bottom = 0;  // the largest y
};

// The segments of a glyph, contour after contour; contour indexes start at 0
// and have no gaps, so that every contour has at least one segment.
class StrokeCollection {
public:
    // Appends a segment of the last contour or of a new one (index last + 1).
    // False, and nothing added, for any other index.
    bool Add(const StrokeSegment& segment);
    void Clear();

    int Count() const { return static_cast<int>(segments_.size()); }
    int ContourCount() const { return static_cast<int>(contourStarts_.size()); }
    // -1 for a contour that does not exist.
    int FirstSegment(int contour) const;
    int SegmentCount(int contour) const;
    std::optional<StrokeSegment> At(int index) const;
    const std::vector<StrokeSegment>& Segments() const { return segments_; }
    // The smallest rectangle holding every end point and the origin.
    StrokeBounds Bounds() const;

private:
    std::vector<StrokeSegment> segments_;
    std::vector<int> contourStarts_;
};

// Segments per curve piece: the character map uses 10; values outside
// kMinPrecision..kMaxPrecision are not accepted.
inline constexpr int kMinPrecision = 1;
inline constexpr int kMaxPrecision = 100;
inline constexpr int kDefaultPrecision = 8;

// Polygon and curve record types of a native outline buffer.
inline constexpr std::uint32_t kPolygonType = 24;  // TT_POLYGON_TYPE
inline constexpr std::uint16_t kPrimLine = 1;      // TT_PRIM_LINE
inline constexpr std::uint16_t kPrimQSpline = 2;   // TT_PRIM_QSPLINE
inline constexpr std::uint16_t kPrimCSpline = 3;   // TT_PRIM_CSPLINE

// Flattens a GGO_NATIVE buffer: lines as they are, quadratic and cubic curves
// into `precision` segments per piece. Nothing for an empty buffer, a
// precision out of range, or a buffer whose headers or counts do not fit
// its size (truncated or lying); records of unknown types are skipped.
std::optional<StrokeCollection> FlattenNativeOutline(std::span<const std::uint8_t> buffer, int precision);

struct VertexPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const VertexPoint&) const = default;
};

// The strokes as filled polygons in image coordinates (y down, the glyph's
// highest point on row 0, the origin always inside): one vertex per segment
// (its start), contour after contour.
struct VectorPolygons {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<VertexPoint> vertices;
    std::vector<int> counts;  // vertices per contour
};
VectorPolygons BuildVectorPolygons(const StrokeCollection& strokes);

// A standalone SVG document filling the polygons black with the non-zero
// rule, as the vector image of the character map does.
std::string PolygonsToSvg(const VectorPolygons& polygons);

}  // namespace typorama::charmap
