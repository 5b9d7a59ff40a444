#include "output/sheet_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace typorama::output {
namespace {

DeviceMetrics A4At600Dpi() {
    // 210 × 297 mm at 600 dpi with 5 mm (118 pixels) unprintable at every edge.
    return {600, 600, 4960, 7016, 118, 118, 4724, 6780};
}

TEST(SheetGeometry, DeviceFiguresBecomeMillimetres) {
    SheetGeometry page;
    page.ApplyDevice(A4At600Dpi());
    EXPECT_FLOAT_EQ(page.PixelsPerMmX, 600 / 25.4f);
    EXPECT_NEAR(page.PaperWidth, 209.973, 0.001);
    EXPECT_NEAR(page.OffsetX, 4.995, 0.001);
    EXPECT_NEAR(page.UnprintableRight, 4.995, 0.001);
    EXPECT_NEAR(page.UnprintableBottom, 4.995, 0.001);

    // A screen or memory bitmap has no paper: all of it is printable.
    page.ApplyDevice({96, 96, 0, 0, 0, 0, 800, 600});
    EXPECT_NEAR(page.PaperWidth, 211.667, 0.001);
    EXPECT_EQ(page.OffsetX, 0.0f);
    EXPECT_EQ(page.UnprintableRight, 0.0f) << "not minus the whole surface";

    // A driver that reports no resolution, or a printable area past the paper.
    page.ApplyDevice({0, -5, 1000, 1000, 10, 10, 1200, 900});
    EXPECT_EQ(page.DpiY, kFallbackDpi);
    EXPECT_EQ(page.UnprintableRight, 0.0f);
    EXPECT_GT(page.UnprintableBottom, 0.0f);
}

TEST(SheetGeometry, MillimetresRoundToTheNearestPixelWithinGdisRange) {
    const float tenPerMm = static_cast<float>(254 / 25.4);
    ASSERT_EQ(tenPerMm, 10.0f);
    EXPECT_EQ(MmToPixels(0.24f, tenPerMm), 2);
    EXPECT_EQ(MmToPixels(0.25f, tenPerMm), 3) << "halves go away from zero";
    EXPECT_EQ(MmToPixels(-0.25f, tenPerMm), -3);
    const float at600 = static_cast<float>(600 / 25.4);
    EXPECT_EQ(MmToPixels(174, at600), 4110);
    EXPECT_EQ(MmToPixels(237, at600), 5598);
    EXPECT_EQ(MmToPixels(1e30f, at600), kMaxDeviceCoordinate);
    EXPECT_EQ(MmToPixels(-std::numeric_limits<float>::infinity(), at600), -kMaxDeviceCoordinate);
    EXPECT_EQ(MmToPixels(std::numeric_limits<float>::quiet_NaN(), at600), 0);

    EXPECT_EQ(PointsToPixels(14, 600), 117);
    EXPECT_EQ(PointsToPixels(9, 100), 13) << "12.5 rounds up, as MulDiv does";
    EXPECT_EQ(PointsToPixels(1, 36), 1);
}

TEST(SheetGeometry, ObjectsSitBelowTheMarginsAndTheCurrentRow) {
    SheetGeometry page;
    page.ApplyDevice({600, 600, 0, 0, 0, 0, 4960, 7016});
    page.LeftMargin = 0;
    page.TopMargin = 0;
    const PixelRect map = page.Place(1, 20, 174, 237);
    EXPECT_EQ(map.x, 24);
    EXPECT_EQ(map.y, 472);
    EXPECT_EQ(map.w, 4110);
    EXPECT_EQ(map.h, 5598);

    page.RowHeight = 17.5f;
    page.RowIndex = 3;
    EXPECT_EQ(page.Place(0, 3.5f, 1, 1).y, 83) << "row mode is off: the row is ignored";
    page.RowMode = true;
    EXPECT_EQ(page.RowOffset(), 52.5f);
    EXPECT_EQ(page.Place(0, 3.5f, 1, 1).y, page.MmToPixelsY(56)) << "3 rows of 17.5 mm and 3.5 mm";

    // The margins count from the paper's edge, the device from its printable area.
    page.ApplyDevice(A4At600Dpi());
    page.RowMode = false;
    page.LeftMargin = 10;
    page.TopMargin = 10;
    EXPECT_NEAR(page.OriginX(), 5.005, 0.001);
    EXPECT_EQ(page.Place(1, 0, 0, 0).x, 142);  // 6.005 mm
    EXPECT_EQ(page.Place(0, 0, 0, 0).y, 118);
}

TEST(SheetGeometry, BoxSidesGoRoundAndWrappedTextStandsInsideItsBox) {
    const PixelRect box{10, 20, 100, 50};
    const std::vector<PixelLine> all = BoxSideLines(box, kAllSides);
    const std::vector<PixelLine> expected{{10, 20, 10, 70}, {10, 70, 110, 70}, {110, 70, 110, 20}, {110, 20, 10, 20}};
    EXPECT_EQ(all, expected) << "left, bottom, right, top";
    EXPECT_EQ(BoxSideLines(box, kSideTop | kSideLeft), (std::vector<PixelLine>{expected[0], expected[3]}));
    EXPECT_TRUE(BoxSideLines(box, 0).empty());

    EXPECT_EQ(AlignedTextTop(box, 20, VerticalAlignment::Top), 20);
    EXPECT_EQ(AlignedTextTop(box, 20, VerticalAlignment::Centre), 35);
    EXPECT_EQ(AlignedTextTop(box, 20, VerticalAlignment::Bottom), 50);
    EXPECT_EQ(AlignedTextTop(box, 60, VerticalAlignment::Bottom), 20) << "too tall: its first lines show";
}

TEST(CharMapLayout, FiguresOfAFullSheetMapAt600Dpi) {
    const CharMapLayout map = LayOutCharMap({24, 472, 4110, 5598});
    EXPECT_EQ(map.columnWidth, 294);
    EXPECT_EQ(map.rowHeight, 350);
    EXPECT_EQ(map.cellSize, 294);
    EXPECT_EQ(map.charHeight, 221);
    EXPECT_EQ(map.codeHeight, 55);
    EXPECT_EQ(map.codeOffsetX, 19);
    EXPECT_EQ(map.codeOffsetY, 14);
    EXPECT_TRUE(map.DrawsCodes());

    const PixelRect last = map.Cell(kCharMapCells - 1);
    EXPECT_EQ(last.x, 24 + 13 * 294);
    EXPECT_EQ(last.y, 472 + 15 * 350);
    EXPECT_EQ(last.h, 350);
    EXPECT_EQ(CharMapLayout::Code(kCharMapCells - 1), 255);
    EXPECT_EQ(CharMapLayout::Code(14), 46) << "row by row";

    const std::vector<PixelLine> grid = map.GridLines();
    ASSERT_EQ(grid.size(), 28u);
    EXPECT_EQ(grid[0], (PixelLine{24, 822, 24 + 4110, 822}));
    EXPECT_EQ(grid[15], (PixelLine{318, 472, 318, 472 + 5598}));
}

TEST(CharMapLayout, TinyMapsNeverAskForTheDefaultFontSize) {
    const CharMapLayout small = LayOutCharMap({0, 0, 14, 16});
    EXPECT_EQ(small.cellSize, 1);
    EXPECT_TRUE(small.DrawsCharacters());
    EXPECT_FALSE(small.DrawsCodes()) << "a code font of height 0 would be the default size";
    EXPECT_FALSE(LayOutCharMap({0, 0, 0, 0}).DrawsCharacters());
    EXPECT_FALSE(LayOutCharMap({0, 0, -140, 160}).DrawsCharacters());
    EXPECT_TRUE(LayOutCharMap({0, 0, 140, 160}).DrawsCodes());  // s 10, characters 8, codes 2
}

}  // namespace
}  // namespace typorama::output
