#include "output/sheet_layouts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace typorama::output {
namespace {

SheetTexts Texts() {
    return {u"ABC", u"Paragraph", u"Script: ", u"%d pt", u"Printed with Typorama", u"Page: "};
}

SheetGeometry Paper(float width, float height, float strip) {
    SheetGeometry paper;
    paper.PaperWidth = width;
    paper.PaperHeight = height;
    paper.OffsetX = paper.OffsetY = paper.UnprintableRight = paper.UnprintableBottom = strip;
    return paper;
}

TEST(SheetLayouts, PagesRoundUpAndPausesFallEveryNthPageButNeverAfterTheLast) {
    EXPECT_EQ(PageCount(16, Sheet(SheetKind::Listing1).FontsPerPage), 2);
    EXPECT_EQ(PageCount(9, Sheet(SheetKind::Listing2).FontsPerPage), 1);
    EXPECT_EQ(PageCount(10, Sheet(SheetKind::Listing2).FontsPerPage), 2);
    EXPECT_EQ(PageCount(0, 15), 0);
    EXPECT_EQ(PageCount(5, 1), 5);

    const auto listing = PlanPages(16, 15, 0);
    ASSERT_EQ(listing.size(), 2u);
    EXPECT_EQ(listing[1], (PlannedPage{15, 1, 2, false})) << "the second page holds one row";

    const auto samples = PlanPages(5, 1, 2);
    ASSERT_EQ(samples.size(), 5u);
    std::vector<int> pausedAfter;
    for (const PlannedPage& page : samples)
        if (page.pauseAfter) pausedAfter.push_back(page.pageNumber);
    EXPECT_EQ(pausedAfter, (std::vector<int>{2, 4}));
    EXPECT_FALSE(PlanPages(4, 1, 2).back().pauseAfter) << "no pause after the last sheet";
    EXPECT_TRUE(PlanPages(0, 15, 1).empty());
}

TEST(SheetLayouts, AutomaticMarginsCentreOnTheSheetAndKeepItInsideThePrintableArea) {
    const SheetGeometry a4 = Paper(210, 297, 4);
    Margins map = AutomaticMargins(a4, Sheet(SheetKind::CharacterMap).Width, Sheet(SheetKind::CharacterMap).Height);
    EXPECT_FLOAT_EQ(map.left, 17.0f);
    EXPECT_FLOAT_EQ(map.top, 18.0f);
    Margins listing = AutomaticMargins(a4, Sheet(SheetKind::Listing1).Width, Sheet(SheetKind::Listing1).Height);
    EXPECT_FLOAT_EQ(listing.left, 17.0f);
    EXPECT_FLOAT_EQ(listing.top, 15.5f);

    // A wide bottom strip pushes the sheet up; one wider than the room left
    // puts it half a millimetre below the top strip.
    SheetGeometry strip = a4;
    strip.UnprintableBottom = 20;
    EXPECT_FLOAT_EQ(AutomaticMargins(strip, 176, 266).top, 11.0f);
    strip.UnprintableBottom = 30;
    EXPECT_FLOAT_EQ(AutomaticMargins(strip, 176, 266).top, 4.5f);
    // Letter paper is narrower: the same rules across.
    SheetGeometry letter = Paper(215.9f, 279.4f, 6.35f);
    letter.UnprintableRight = 30;
    EXPECT_NEAR(AutomaticMargins(letter, 176, 261).left, 9.9f, 1e-4);
    letter.UnprintableRight = 35;
    EXPECT_FLOAT_EQ(AutomaticMargins(letter, 176, 261).left, 6.85f);
}

const SheetItem* FindText(const std::vector<SheetItem>& items, std::u16string_view text) {
    auto found = std::find_if(items.begin(), items.end(), [&](const SheetItem& i) { return i.text == text; });
    return found == items.end() ? nullptr : &*found;
}

TEST(SheetLayouts, ListingRowsNameTheFileWhenThereIsOneAndPagesCarryTheirNumber) {
    SheetFont font{u"Alpha Sans", u"Western", u"C:\\fonts\\alpha.ttf", u"File: C:\\fonts\\alpha.ttf (2KB)", u"(c)"};
    auto row = BuildSheet(SheetKind::Listing1, font, Texts());
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].text, u"Alpha Sans - C:\\fonts\\alpha.ttf");
    EXPECT_EQ(row[1].points, 14);
    EXPECT_FALSE(row[1].ownFont) << "samples are in the printed font";
    EXPECT_FLOAT_EQ(row[2].top, 9.5f);

    font.filePath.clear();
    auto large = BuildSheet(SheetKind::Listing2, font, Texts());
    EXPECT_EQ(large[0].text, u"Alpha Sans") << "a font without a file prints its bare name";
    EXPECT_EQ(large[2].points, 28);
    EXPECT_FLOAT_EQ(large[2].top, 14.0f);
    EXPECT_FLOAT_EQ(large[2].height, 15.0f);

    auto footer = BuildListingFooter(Texts(), 2);
    ASSERT_NE(FindText(footer, u"Page: 2"), nullptr);
    EXPECT_EQ(FindText(footer, u"Page: 2")->horz, HorizontalAlignment::Right);
    EXPECT_NE(FindText(footer, u"Printed with Typorama"), nullptr);
}

TEST(SheetLayouts, OneFontSheetsHoldTheirMapsSizesAndFacts) {
    const SheetFont font{u"宋体", u"CHINESE_GB2312", u"C:\\simsun.ttc", u"File", u"Copyright"};
    auto map = BuildSheet(SheetKind::CharacterMap, font, Texts());
    ASSERT_NE(FindText(map, u"宋体 (CHINESE_GB2312)"), nullptr);
    EXPECT_TRUE(FindText(map, u"宋体 (CHINESE_GB2312)")->bold);
    auto chars = std::find_if(map.begin(), map.end(), [](const SheetItem& i) { return i.kind == SheetItem::Kind::CharMap; });
    ASSERT_NE(chars, map.end());
    EXPECT_TRUE(chars->grid && chars->codes && chars->frame);

    auto sample = BuildSheet(SheetKind::SampleSheet, font, Texts());
    int oneLine = 0, paragraphs = 0;
    for (const SheetItem& item : sample) {
        if (item.text == u"ABC") ++oneLine;
        if (item.text == u"Paragraph") {
            ++paragraphs;
            EXPECT_TRUE(item.wordWrap);
        }
    }
    EXPECT_EQ(oneLine, 13);
    EXPECT_EQ(paragraphs, 4);
    ASSERT_NE(FindText(sample, u"72 pt"), nullptr);
    EXPECT_FLOAT_EQ(FindText(sample, u"72 pt")->top, 223.0f);
    EXPECT_NE(FindText(sample, u"Script: CHINESE_GB2312"), nullptr);
    EXPECT_FLOAT_EQ(FindText(sample, u"Printed with Typorama")->top, 258.5f);
}

}  // namespace
}  // namespace typorama::output
