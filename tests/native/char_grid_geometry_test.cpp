#include "charmap/char_grid_geometry.h"

#include <gtest/gtest.h>

namespace typorama::charmap {
namespace {

TEST(CharGridGeometry, HitTestsCellsUpToButNotOnTheClosingGridLines) {
    CharGridGeometry grid;
    EXPECT_FALSE(grid.SetCellWidth(20)) << "the default: no change, so no resize";
    EXPECT_TRUE(grid.SetCellWidth(30));
    EXPECT_FALSE(grid.SetCellHeight(0));
    EXPECT_EQ(grid.Size(), (GridSize{481, 281}));

    EXPECT_EQ(grid.CellAt(0, 0), (GridCell{1, 1}));
    EXPECT_EQ(grid.CellAt(29, 19), (GridCell{1, 1}));
    EXPECT_EQ(grid.CellAt(30, 20), (GridCell{2, 2})) << "a grid line belongs to the cell right of / below it";
    EXPECT_EQ(grid.CellAt(479, 279), (GridCell{16, 14}));
    EXPECT_FALSE(grid.CellAt(480, 0)) << "the outermost column of pixels";
    EXPECT_FALSE(grid.CellAt(0, 280));
    EXPECT_FALSE(grid.CellAt(-1, 5)) << "left of the grid, under mouse capture";
    EXPECT_FALSE(grid.CellAt(5, -19));
    EXPECT_EQ(grid.CellFromPoint(480, 10, {7, 3}), (GridCell{7, 3}));

    EXPECT_EQ(grid.DrawRect({1, 1}), (CellRect{1, 1, 30, 20}));
    EXPECT_EQ(grid.DrawRect({16, 14}), (CellRect{451, 261, 480, 280}));
    EXPECT_EQ(CharGridGeometry::CodeOf({1, 1}), 32);
    EXPECT_EQ(CharGridGeometry::CodeOf({16, 1}), 47);
    EXPECT_EQ(CharGridGeometry::CodeOf({16, 14}), 255);
}

TEST(CharGridGeometry, ArrowKeysStopAtTheEdgesWithoutWrapping) {
    EXPECT_EQ(CharGridGeometry::Moved({16, 3}, GridMove::Right), (GridCell{16, 3})) << "no wrap to the next row";
    EXPECT_EQ(CharGridGeometry::Moved({1, 3}, GridMove::Left), (GridCell{1, 3}));
    EXPECT_EQ(CharGridGeometry::Moved({5, 14}, GridMove::Down), (GridCell{5, 14}));
    EXPECT_EQ(CharGridGeometry::Moved({5, 1}, GridMove::Up), (GridCell{5, 1}));
    EXPECT_EQ(CharGridGeometry::Moved({5, 7}, GridMove::Right), (GridCell{6, 7}));
    EXPECT_EQ(CharGridGeometry::Moved({5, 7}, GridMove::Down), (GridCell{5, 8}));
    EXPECT_EQ(CharGridGeometry::Clamp(0, -3), (GridCell{1, 1}));
    EXPECT_EQ(CharGridGeometry::Clamp(99, 15), (GridCell{16, 14}));
}

TEST(CharGridGeometry, SnapsToWholeCellsOfAtLeastFifteenPixels) {
    EXPECT_EQ(CharGridGeometry::Snap(500, 400), (GridSize{16 * 31 + 1, 28 * 14 + 1}));
    EXPECT_EQ(CharGridGeometry::Snap(100, 50), (GridSize{241, 211}));
    EXPECT_EQ(CharGridGeometry::Snap(-10, 0), (GridSize{241, 211}));
}

TEST(CharGridGeometry, KeypadAndLabelTexts) {
    EXPECT_EQ(AltKeyText(65), u"Alt + 65");
    EXPECT_EQ(AltKeyText(126), u"Alt + 126");
    EXPECT_EQ(AltKeyText(127), u"Alt + 0127");
    EXPECT_EQ(AltKeyText(169), u"Alt + 0169");
    EXPECT_EQ(CodeLabelText(255, CodeLabelMode::Hexadecimal), u"FF");
    EXPECT_EQ(CodeLabelText(32, CodeLabelMode::Hexadecimal), u"20");
    EXPECT_EQ(CodeLabelText(32, CodeLabelMode::Decimal), u"32");
    EXPECT_EQ(CodeLabelText(32, CodeLabelMode::None), u"");
}

}  // namespace
}  // namespace typorama::charmap
