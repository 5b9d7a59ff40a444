// The character map's rich text and its window placement rules.
#include <gtest/gtest.h>

#include "charmap/char_map_placement.h"
#include "charmap/rich_text.h"

namespace typorama::charmap {
namespace {

TEST(CharRichText, IsTheOneFontDocumentByteForByte) {
    EXPECT_EQ(CharRichText({0, "Arial", false, false}, 'A'),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0\\fontname Arial}}\\ulnone\\f0 A}");
    // Bold and italic open before the character and close after it; a
    // character above 127 is written as a hexadecimal escape.
    EXPECT_EQ(CharRichText({161, "DejaVu Sans", true, true}, 0xA9),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset161\\fontname DejaVu Sans}}\\ulnone\\b\\i\\f0 "
              "\\'a9\\b0\\i0}");
    EXPECT_EQ(CharRichText({0, "X", true, false}, 'x'),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0\\fontname X}}\\ulnone\\b\\f0 x\\b0}");
}

TEST(CharRichText, EscapesWhatWouldBreakTheDocument) {
    EXPECT_EQ(CharRichText({0, "A", false, false}, '{'),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0\\fontname A}}\\ulnone\\f0 \\{}");
    EXPECT_EQ(CharRichText({0, "A", false, false}, '}'),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0\\fontname A}}\\ulnone\\f0 \\}}");
    EXPECT_EQ(CharRichText({0, "A", false, false}, '\\'),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0\\fontname A}}\\ulnone\\f0 \\\\}");
    // A face name is whatever the font file says: GB2312 bytes of a Chinese
    // name, and braces that would close the font table early.
    EXPECT_EQ(CharRichText({134, "\xCB\xCE}{\\x", false, false}, 0xFF),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset134\\fontname \\'cb\\'ce\\}\\{\\\\x}}\\ulnone\\f0 \\'ff}");
    EXPECT_EQ(RtfEscaped("a b;~\x7F"), "a b;~\x7F");
}

TEST(CharMapPlacement, WindowSizesKeepTheGridToWholeCells) {
    // Frame 16 x 39, toolbar up to 30, status bar 20.
    const GridFrame frame = GridFrame::Of(16, 39, 31, 20);
    EXPECT_EQ(frame.extraWidth, 17);
    EXPECT_EQ(frame.extraHeight, 39 + 31 + 20 + 1);
    // 510 x 400: the grid gets (510 - 17) div 16 = 30 pixels a cell across,
    // (400 - 91) div 14 = 22 down.
    const WindowSize size = SnappedWindowSize(510, 400, frame);
    EXPECT_EQ(size, (WindowSize{30 * 16 + 1 + 17, 22 * 14 + 1 + 91}));
    EXPECT_EQ(SnappedWindowSize(size.width, size.height, frame), size) << "a snapped size stays";
    // The client area of that window gives back the same cells.
    EXPECT_EQ(CellsForClient(size.width - 16, size.height - 39, 31, 20), (CellSize{30, 22}));
    // Never below 15 x 15 pixels a cell.
    EXPECT_EQ(SnappedWindowSize(50, 50, frame), (WindowSize{15 * 16 + 1 + 17, 15 * 14 + 1 + 91}));
    EXPECT_EQ(CellsForClient(0, 0, 31, 20), (CellSize{1, 1}));
}

TEST(CharMapPlacement, ADraggedBorderSnapsWithTheOppositeEdgeFixed) {
    const GridFrame frame{1, 1};
    const WindowRect proposed{100, 200, 100 + 16 * 20 + 1 + 1 + 7, 200 + 14 * 20 + 1 + 1 + 5};
    const int w = 16 * 20 + 2, h = 14 * 20 + 2;
    EXPECT_EQ(SnapSizingRect(proposed, 2, frame), (WindowRect{100, 200, 100 + w, 200 + h})) << "right";
    EXPECT_EQ(SnapSizingRect(proposed, 1, frame), (WindowRect{proposed.right - w, 200, proposed.right, 200 + h}))
        << "left";
    EXPECT_EQ(SnapSizingRect(proposed, 4, frame),
              (WindowRect{proposed.right - w, proposed.bottom - h, proposed.right, proposed.bottom}))
        << "top left";
    EXPECT_EQ(SnapSizingRect(proposed, 5, frame), (WindowRect{100, proposed.bottom - h, 100 + w, proposed.bottom}))
        << "top right";
    EXPECT_EQ(SnapSizingRect(proposed, 7, frame), (WindowRect{proposed.right - w, 200, proposed.right, 200 + h}))
        << "bottom left";
    EXPECT_EQ(SnapSizingRect(proposed, 3, frame), (WindowRect{100, proposed.bottom - h, 100 + w, proposed.bottom}))
        << "top";
}

TEST(CharMapPlacement, StoredPlacementsComeBackOntoTheScreen) {
    EXPECT_EQ(KeepOnScreen(-1, 1024), 0);
    EXPECT_EQ(KeepOnScreen(1025, 1024), 0);
    EXPECT_EQ(KeepOnScreen(1024, 1024), 1024);
    EXPECT_EQ(KeepOnScreen(50, 1024), 50);
    EXPECT_EQ(CorrectedMaxPlacement(10, 20, 3000, 500, 1024, 768), (Placement{10, 20, 1014, 500}))
        << "wider than the screen";
    EXPECT_EQ(CorrectedMaxPlacement(300, 20, 340, 60, 1024, 768), (Placement{300, 20, 724, 748}))
        << "narrower than its own start plus 50";
    EXPECT_EQ(CorrectedMaxPlacement(-5, 900, 400, 300, 1024, 768), (Placement{0, 0, 400, 300}));
    EXPECT_FALSE(CorrectedMaxPlacement(10, 20, std::nullopt, 300, 1024, 768));
}

}  // namespace
}  // namespace typorama::charmap
