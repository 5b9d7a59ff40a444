#include "charmap/glyph_outline.h"

#include <algorithm>
#include <cmath>

#include "base/byte_reader.h"

namespace typorama::charmap {
namespace {

// The system's structures, as they lie in the buffer.
constexpr std::size_t kPolygonHeaderSize = 16;  // TTPOLYGONHEADER: cb, dwType, pfxStart
constexpr std::size_t kCurveHeaderSize = 4;     // TTPOLYCURVE: wType, cpfx, then the points
constexpr std::size_t kPointSize = 8;           // POINTFX: two FIXED 16.16 values

struct PointF {
    double x = 0;
    double y = 0;
    bool operator==(const PointF&) const = default;
};

// FIXED is a signed 16-bit integer part over an unsigned 16-bit fraction:
// the 32-bit little-endian value is the number times 65536.
PointF ReadPoint(LittleEndianReader& r) {
    const double x = r.S32() / 65536.0;
    const double y = r.S32() / 65536.0;
    return {x, y};
}

// Half-way cases go to the even neighbour, so that a glyph's points that lie
// exactly between two pixels do not all drift the same way.
std::int32_t RoundHalfEven(double v) {
    const double lower = std::floor(v);
    const double fraction = v - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1;
    // Outline coordinates come from 16-bit integer parts; the clamp only
    // keeps the conversion defined.
    return static_cast<std::int32_t>(std::clamp(rounded, -2147483648.0, 2147483647.0));
}

class ContourBuilder {
public:
    ContourBuilder(StrokeCollection& out, int index, PointF start) : out_(out), index_(index), start_(start), current_(start) {}

    PointF Current() const { return current_; }

    // Segments of equal real-valued end points are dropped; two distinct
    // points that round alike still make a (zero-length) segment, as the
    // polygon then keeps the vertex the outline has.
    void LineTo(PointF to) {
        if (to != current_) {
            out_.Add({index_, RoundHalfEven(current_.x), RoundHalfEven(current_.y), RoundHalfEven(to.x),
                      RoundHalfEven(to.y)});
            added_ = true;
        }
        current_ = to;
    }

    void Close() { LineTo(start_); }
    bool Added() const { return added_; }

private:
    StrokeCollection& out_;
    std::int32_t index_;
    PointF start_;
    PointF current_;
    bool added_ = false;
};

// The parameter of step k of n: exactly 1 for the last, so that a curve ends
// on its end point whatever the rounding of k / n.
double StepParameter(int k, int steps) { return k == steps ? 1.0 : static_cast<double>(k) / steps; }

void FlattenQuadratic(ContourBuilder& contour, PointF b, PointF c, int steps) {
    const PointF a = contour.Current();
    for (int k = 1; k <= steps; ++k) {
        const double t = StepParameter(k, steps);
        contour.LineTo({a.x + t * (2 * b.x - 2 * a.x) + t * t * (a.x - 2 * b.x + c.x),
                        a.y + t * (2 * b.y - 2 * a.y) + t * t * (a.y - 2 * b.y + c.y)});
    }
}

void FlattenCubic(ContourBuilder& contour, PointF b, PointF c, PointF d, int steps) {
    const PointF a = contour.Current();
    for (int k = 1; k <= steps; ++k) {
        const double t = StepParameter(k, steps);
        const double u = 1 - t;
        const double wa = u * u * u, wb = 3 * u * u * t, wc = 3 * u * t * t, wd = t * t * t;
        contour.LineTo({wa * a.x + wb * b.x + wc * c.x + wd * d.x, wa * a.y + wb * b.y + wc * c.y + wd * d.y});
    }
}

// One curve record's points, already checked to lie in the contour.
void AddRecord(ContourBuilder& contour, std::uint16_t type, const std::vector<PointF>& points, int precision) {
    const std::size_t n = points.size();
    switch (type) {
        case kPrimLine:
            for (const PointF& p : points) contour.LineTo(p);
            break;
        case kPrimQSpline:
            // Between two control points lies an implied on-curve point, their
            // midpoint; the last point is the record's end point.
            for (std::size_t i = 0; i + 1 < n; ++i) {
                const PointF& b = points[i];
                const PointF c = i + 2 < n ? PointF{(points[i].x + points[i + 1].x) / 2, (points[i].y + points[i + 1].y) / 2}
                                           : points[i + 1];
                FlattenQuadratic(contour, b, c, precision);
            }
            break;
        case kPrimCSpline: {
            // Fonts with PostScript outlines: two control points and an end
            // point per piece. A count that is no multiple of three leaves
            // points the system never sends; they are joined by straight
            // lines so that the contour still closes where the data says.
            std::size_t i = 0;
            for (; i + 3 <= n; i += 3) FlattenCubic(contour, points[i], points[i + 1], points[i + 2], precision);
            for (; i < n; ++i) contour.LineTo(points[i]);
            break;
        }
        default:
            // A record type this program does not know: its points are left
            // out and the outline goes on from the last point used.
            break;
    }
}

}  // namespace

bool StrokeCollection::Add(const StrokeSegment& segment) {
    const int contours = ContourCount();
    if (segment.contour == contours) {
        contourStarts_.push_back(Count());
    } else if (contours == 0 || segment.contour != contours - 1) {
        return false;
    }
    segments_.push_back(segment);
    return true;
}

void StrokeCollection::Clear() {
    segments_.clear();
    contourStarts_.clear();
}

int StrokeCollection::FirstSegment(int contour) const {
    if (contour < 0 || contour >= ContourCount()) return -1;
    return contourStarts_[static_cast<std::size_t>(contour)];
}

int StrokeCollection::SegmentCount(int contour) const {
    const int first = FirstSegment(contour);
    if (first < 0) return -1;
    const int next = contour + 1 < ContourCount() ? FirstSegment(contour + 1) : Count();
    return next - first;
}

std::optional<StrokeSegment> StrokeCollection::At(int index) const {
    if (index < 0 || index >= Count()) return std::nullopt;
    return segments_[static_cast<std::size_t>(index)];
}

StrokeBounds StrokeCollection::Bounds() const {
    StrokeBounds b;
    for (const StrokeSegment& s : segments_) {
        b.left = std::min({b.left, s.x1, s.x2});
        b.right = std::max({b.right, s.x1, s.x2});
        b.top = std::min({b.top, s.y1, s.y2});
        b.bottom = std::max({b.bottom, s.y1, s.y2});
    }
    return b;
}

std::optional<StrokeCollection> FlattenNativeOutline(std::span<const std::uint8_t> buffer, int precision) {
    if (precision < kMinPrecision || precision > kMaxPrecision) return std::nullopt;
    if (buffer.size() < kPolygonHeaderSize) return std::nullopt;
    StrokeCollection strokes;
    LittleEndianReader r(buffer);
    std::vector<PointF> points;
    while (r.Remaining() > 0) {
        // A header must fit, and its size must cover itself and stay inside
        // the buffer: a lying size would walk off the end or loop forever.
        if (r.Remaining() < kPolygonHeaderSize) return std::nullopt;
        const std::uint32_t size = r.U32();
        const std::uint32_t type = r.U32();
        const PointF start = ReadPoint(r);
        if (type != kPolygonType || size < kPolygonHeaderSize || size - kPolygonHeaderSize > r.Remaining())
            return std::nullopt;
        LittleEndianReader records(r.Bytes(size - kPolygonHeaderSize));
        ContourBuilder contour(strokes, strokes.ContourCount(), start);
        while (records.Remaining() > 0) {
            if (records.Remaining() < kCurveHeaderSize) return std::nullopt;
            const std::uint16_t curveType = records.U16();
            const std::uint16_t count = records.U16();
            if (count > records.Remaining() / kPointSize) return std::nullopt;
            points.clear();
            for (std::uint16_t i = 0; i < count; ++i) points.push_back(ReadPoint(records));
            AddRecord(contour, curveType, points, precision);
        }
        contour.Close();
        if (records.Failed() || r.Failed()) return std::nullopt;
    }
    return strokes;
}

VectorPolygons BuildVectorPolygons(const StrokeCollection& strokes) {
    VectorPolygons out;
    const StrokeBounds b = strokes.Bounds();
    // The bounds hold the origin, so left <= 0 <= right and top <= 0 <= bottom.
    out.width = b.right - b.left;
    out.height = b.bottom - b.top;
    out.vertices.reserve(strokes.Segments().size());
    for (int contour = 0; contour < strokes.ContourCount(); ++contour) {
        const int first = strokes.FirstSegment(contour);
        const int count = strokes.SegmentCount(contour);
        for (int i = first; i < first + count; ++i) {
            const StrokeSegment& s = strokes.Segments()[static_cast<std::size_t>(i)];
            out.vertices.push_back({s.x1 - b.left, out.height + b.top - s.y1});
        }
        out.counts.push_back(count);
    }
    return out;
}

std::string PolygonsToSvg(const VectorPolygons& polygons) {
    const std::string w = std::to_string(polygons.width), h = std::to_string(polygons.height);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                      "\" viewBox=\"0 0 " + w + " " + h + "\">\n<path fill=\"black\" fill-rule=\"nonzero\" d=\"";
    std::size_t at = 0;
    for (int count : polygons.counts) {
        for (int i = 0; i < count; ++i, ++at) {
            const VertexPoint& p = polygons.vertices[at];
            svg += i == 0 ? "M" : "L";
            svg += std::to_string(p.x) + " " + std::to_string(p.y);
        }
        svg += "Z";
    }
    svg += "\"/>\n</svg>\n";
    return svg;
}

}  // namespace typorama::charmap
