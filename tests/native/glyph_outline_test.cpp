#include "charmap/glyph_outline.h"

#include <gtest/gtest.h>

#include "support/outline_buffer.h"

namespace typorama::charmap {
namespace {

using test::OutlineBuffer;

std::vector<StrokeSegment> Flatten(std::vector<std::uint8_t> bytes, int precision = 10) {
    auto strokes = FlattenNativeOutline(bytes, precision);
    EXPECT_TRUE(strokes.has_value());
    return strokes ? strokes->Segments() : std::vector<StrokeSegment>{};
}

TEST(GlyphOutline, QuadraticPieceGivesPrecisionSegmentsEndingOnItsEndPoint) {
    // One control point and one end point: one curve, (0,0) -> (100,0) bulging to y = 50.
    auto segments = Flatten(OutlineBuffer().Contour({0, 0}).Record(2, {{50, 100}, {100, 0}}).Bytes());
    ASSERT_EQ(segments.size(), 11u) << "10 curve segments and the closing line";
    EXPECT_EQ(segments[0], (StrokeSegment{0, 0, 0, 10, 18}));
    EXPECT_EQ(segments[4], (StrokeSegment{0, 40, 48, 50, 50})) << "the apex at t = 0.5";
    EXPECT_EQ(segments[9].x2, 100);
    EXPECT_EQ(segments[9].y2, 0) << "the last step lands exactly on the end point";
    EXPECT_EQ(segments[10], (StrokeSegment{0, 100, 0, 0, 0}));

    // Three points: the implied on-curve point between the two controls
    // splits the record into two pieces of 10 segments each.
    auto two = Flatten(OutlineBuffer().Contour({0, 0}).Record(2, {{0, 100}, {100, 100}, {100, 0}}).Bytes());
    ASSERT_EQ(two.size(), 21u);
    EXPECT_EQ(two[9].x2, 50);
    EXPECT_EQ(two[9].y2, 100) << "first piece ends at the midpoint of the controls";

    auto coarse = Flatten(OutlineBuffer().Contour({0, 0}).Record(2, {{50, 100}, {100, 0}}).Bytes(), 3);
    EXPECT_EQ(coarse.size(), 4u);
}

TEST(GlyphOutline, ClosesContoursOnlyWhenTheyEndAwayFromTheirStart) {
    auto closed = Flatten(OutlineBuffer().Contour({0, 0}).Record(1, {{100, 0}, {100, 100}, {0, 0}}).Bytes());
    EXPECT_EQ(closed.size(), 3u) << "ends on its start: no closing segment";
    auto open = Flatten(OutlineBuffer()
                            .Contour({0, 0})
                            .Record(1, {{100, 0}, {100, 0}, {100, 100}})  // a repeated point adds nothing
                            .Contour({10, 10})
                            .Record(1, {{20, 10}, {20, 20}})
                            .Bytes());
    ASSERT_EQ(open.size(), 6u);
    EXPECT_EQ(open[2], (StrokeSegment{0, 100, 100, 0, 0})) << "closing segment back to the start";
    EXPECT_EQ(open[3].contour, 1);
    EXPECT_EQ(open[5], (StrokeSegment{1, 20, 20, 10, 10}));

    // A contour that draws nothing takes no index: counts stay consistent.
    auto strokes = FlattenNativeOutline(OutlineBuffer()
                                            .Contour({5, 5})
                                            .Record(1, {{5, 5}})
                                            .Contour({0, 0})
                                            .Record(1, {{1, 0}, {1, 1}})
                                            .Bytes(),
                                        10);
    ASSERT_TRUE(strokes);
    EXPECT_EQ(strokes->ContourCount(), 1);
    EXPECT_EQ(strokes->SegmentCount(0), 3);
    EXPECT_EQ(strokes->FirstSegment(1), -1);
    EXPECT_EQ(strokes->SegmentCount(-1), -1);
    EXPECT_FALSE(strokes->At(3));
}

TEST(GlyphOutline, RoundsHalfWayToEvenAndKeepsDistinctPointsThatRoundAlike) {
    auto segments = Flatten(OutlineBuffer().Contour({0.5, 1.5}).Record(1, {{2.5, -0.5}, {0.25, 1.75}}).Bytes());
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0], (StrokeSegment{0, 0, 2, 2, 0}));
    // (0.25, 1.75) rounds to (0, 2) like the start (0.5, 1.5), yet the two
    // points differ, so the closing segment is kept.
    EXPECT_EQ(segments[2], (StrokeSegment{0, 0, 2, 0, 2}));
    auto negative = Flatten(OutlineBuffer().Contour({-1.5, -2.5}).Record(1, {{3.5, 0}}).Bytes());
    EXPECT_EQ(negative[0], (StrokeSegment{0, -2, -2, 4, 0}));
}

TEST(GlyphOutline, FlattensCubicPiecesLikeQuadraticOnes) {
    // A PostScript-style quarter: (0,0) -> (0,100) -> (100,100) via controls.
    auto segments = Flatten(OutlineBuffer().Contour({0, 0}).Record(3, {{0, 55}, {45, 100}, {100, 100}}).Bytes());
    ASSERT_EQ(segments.size(), 11u) << "10 segments per cubic piece and the closing line";
    EXPECT_EQ(segments[4].x2, 29) << "B(0.5) = (29.375, 70.625): on the curve, not on the control polygon";
    EXPECT_EQ(segments[4].y2, 71);
    EXPECT_EQ(segments[9].x2, 100);
    EXPECT_EQ(segments[9].y2, 100);

    // Unknown record types are skipped: a straight line joins what is left.
    auto skipped = Flatten(OutlineBuffer().Contour({0, 0}).Record(7, {{9, 9}}).Record(1, {{10, 0}}).Bytes());
    EXPECT_EQ(skipped.size(), 2u);
}

TEST(GlyphOutline, RejectsTruncatedAndLyingBuffers) {
    auto good = OutlineBuffer().Contour({0, 0}).Record(1, {{10, 0}, {10, 10}}).Contour({1, 1}).Record(2, {{2, 2}, {3, 1}}).Bytes();
    ASSERT_TRUE(FlattenNativeOutline(good, 10));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        if (cut == 36) continue;  // exactly the first contour: a whole outline
        EXPECT_FALSE(FlattenNativeOutline(part, 10)) << "cut at " << cut;
    }

    auto lyingPoints = OutlineBuffer().Contour({0, 0}).Record(1, {{10, 0}}, 2).Bytes();
    EXPECT_FALSE(FlattenNativeOutline(lyingPoints, 10)) << "two points claimed, one present";
    auto hugeCount = OutlineBuffer().Contour({0, 0}).Record(1, {{10, 0}}, 0xFFFF).Bytes();
    EXPECT_FALSE(FlattenNativeOutline(hugeCount, 10));

    auto sizes = good;
    OutlineBuffer::Put32At(sizes, 0, 0xFFFFFFF0u);
    EXPECT_FALSE(FlattenNativeOutline(sizes, 10)) << "contour size beyond the buffer";
    OutlineBuffer::Put32At(sizes, 0, 15);
    EXPECT_FALSE(FlattenNativeOutline(sizes, 10)) << "contour size smaller than its header";
    OutlineBuffer::Put32At(sizes, 0, 38);
    EXPECT_FALSE(FlattenNativeOutline(sizes, 10)) << "size ends inside a record";

    EXPECT_FALSE(FlattenNativeOutline(OutlineBuffer().Contour({0, 0}, 25).Record(1, {{1, 0}}).Bytes(), 10))
        << "not a polygon header";
    EXPECT_FALSE(FlattenNativeOutline({}, 10));
    EXPECT_FALSE(FlattenNativeOutline(good, 0));
    EXPECT_FALSE(FlattenNativeOutline(good, 101));
}

TEST(GlyphOutline, PolygonsFlipYAndAlwaysHoldTheOrigin) {
    // A box right of the origin and above the baseline.
    auto strokes = FlattenNativeOutline(
        OutlineBuffer().Contour({100, 0}).Record(1, {{300, 0}, {300, 500}, {100, 500}}).Bytes(), 10);
    ASSERT_TRUE(strokes);
    VectorPolygons polygons = BuildVectorPolygons(*strokes);
    EXPECT_EQ(polygons.width, 300) << "the left side bearing stays as empty space";
    EXPECT_EQ(polygons.height, 500);
    EXPECT_EQ(polygons.counts, std::vector<int>{4});
    EXPECT_EQ(polygons.vertices,
              (std::vector<VertexPoint>{{100, 500}, {300, 500}, {300, 0}, {100, 0}}));
    EXPECT_EQ(PolygonsToSvg(polygons),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"300\" height=\"500\" viewBox=\"0 0 300 500\">\n"
              "<path fill=\"black\" fill-rule=\"nonzero\" d=\"M100 500L300 500L300 0L100 0Z\"/>\n</svg>\n");

    // A descender: below the baseline and left of the origin.
    auto low = FlattenNativeOutline(OutlineBuffer().Contour({-50, -200}).Record(1, {{50, -200}, {50, 100}}).Bytes(), 10);
    ASSERT_TRUE(low);
    VectorPolygons p = BuildVectorPolygons(*low);
    EXPECT_EQ(p.width, 100);
    EXPECT_EQ(p.height, 300);
    EXPECT_EQ(p.vertices.front(), (VertexPoint{0, 300}));
}

}  // namespace
}  // namespace typorama::charmap
