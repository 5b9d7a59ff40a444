// libFuzzer target: the native glyph outline reader and the polygons made from
// it. The buffer comes from the system, but the system copies it from a font
// anyone can make, so its counts are checked like any font byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "charmap/glyph_outline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace typorama::charmap;
    for (int precision : {1, 10}) {
        auto strokes = FlattenNativeOutline({data, size}, precision);
        if (!strokes) continue;
        // Every point read is 8 bytes and makes at most `precision` segments,
        // plus one closing segment per contour of at least 16 bytes.
        if (static_cast<std::size_t>(strokes->Count()) > size / 8 * precision + size / 16) std::abort();
        int total = 0;
        for (int c = 0; c < strokes->ContourCount(); ++c) {
            const int count = strokes->SegmentCount(c);
            if (count < 1 || strokes->At(strokes->FirstSegment(c))->contour != c) std::abort();
            total += count;
        }
        if (total != strokes->Count()) std::abort();
        const VectorPolygons polygons = BuildVectorPolygons(*strokes);
        if (polygons.vertices.size() != static_cast<std::size_t>(total)) std::abort();
        for (const VertexPoint& v : polygons.vertices)
            if (v.x < 0 || v.y < 0 || v.x > polygons.width || v.y > polygons.height) std::abort();
        if (PolygonsToSvg(polygons).empty()) std::abort();
    }
    return 0;
}
