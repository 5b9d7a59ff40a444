#include "base/list_view_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace typorama {
namespace {

TEST(FontSizeRules, RowHeightAndTheStepCommands) {
    EXPECT_EQ(RowHeight(20, true), 30) << "the name line adds 10 pixels";
    EXPECT_EQ(RowHeight(20, false), 20);
    EXPECT_EQ(RowHeight(36, true, 192), 92) << "sample and name line scale with the resolution";
    EXPECT_EQ(RowHeight(36, true, 120), 58) << "45 + 12.5 rounded as MulDiv rounds";
    EXPECT_EQ(RowHeight(1000, true), 1010) << "rows are not held to a list box's 255 pixels";
    EXPECT_EQ(RowHeight(INT_MAX, true, 480), kMaxRowHeight) << "no overflow into a small row";
    EXPECT_EQ(DecreasedFontSize(25), 20);
    EXPECT_EQ(DecreasedFontSize(20), 20) << "the decrease stops at 20";
    EXPECT_EQ(DecreasedFontSize(36), 26);
    EXPECT_EQ(IncreasedFontSize(1000), 1010) << "the increase has no upper limit";
}

TEST(FontSizeRules, ParseTrimsAndClampsAndFallsBackTo36) {
    EXPECT_EQ(ParseFontSize(u" 48 "), 48);
    EXPECT_EQ(ParseFontSize(u"abc"), 36);
    EXPECT_EQ(ParseFontSize(u""), 36);
    EXPECT_EQ(ParseFontSize(u"   "), 36);
    EXPECT_EQ(ParseFontSize(u"4 8"), 36) << "inner spaces make it no number";
    EXPECT_EQ(ParseFontSize(u"12px"), 36);
    EXPECT_EQ(ParseFontSize(u"10"), 20) << "clamped to the smallest size";
    EXPECT_EQ(ParseFontSize(u"-5"), 20);
    EXPECT_EQ(ParseFontSize(u"5000"), 1000) << "clamped to the largest size";
    EXPECT_EQ(ParseFontSize(u"99999999999"), 36) << "a number beyond int is no number";
    EXPECT_EQ(ParseFontSize(u"+72"), 72);
    EXPECT_EQ(ParseFontSize(u"\t100\r\n"), 100);
}

TEST(FontSizeRules, TheSizeListIsCleanedAndNonNumbersAreNeverChecked) {
    EXPECT_EQ(CleanFontSizes(u"  22  28   x36 48 "), u"22 28 x36 48");
    EXPECT_EQ(CleanFontSizes(u""), u"22 28 36 48 72 100");
    EXPECT_EQ(CleanFontSizes(u"    "), u"22 28 36 48 72 100");
    EXPECT_EQ(CleanFontSizes(u"22 28 36 48 72 100"), u"22 28 36 48 72 100") << "a clean list stays";
    const auto entries = SplitFontSizes(CleanFontSizes(u" 22  big 36 "));
    ASSERT_EQ(entries, (std::vector<std::u16string>{u"22", u"big", u"36"}));
    EXPECT_EQ(FontSizeEntryValue(entries[0]), 22);
    EXPECT_EQ(FontSizeEntryValue(entries[1]), -1);
    EXPECT_EQ(FontSizeEntryValue(u""), -1);
    EXPECT_EQ(FontSizeEntryValue(u"-"), -1);
}

TEST(SelectionColor, ANearlyInvisibleSelectionIsDarkenedJustEnough) {
    constexpr std::uint32_t white = 0xFFFFFF, black = 0;
    EXPECT_NEAR(ContrastRatio(black, white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(white, white), 1.0, 1e-9);

    // Windows 10's button face (240, 240, 240) on a white window: 1.13:1.
    const std::uint32_t face = 0xF0F0F0;
    const std::uint32_t drawn = VisibleSelectionColor(face, white);
    EXPECT_GE(ContrastRatio(drawn, white), kMinSelectionContrast);
    EXPECT_LT(ContrastRatio(drawn, white), kMinSelectionContrast + 0.05) << "no darker than needed";
    EXPECT_EQ(drawn & 0xFF, drawn >> 16 & 0xFF) << "a grey stays grey";

    // Colours that stand out already are the user's and stay.
    EXPECT_EQ(VisibleSelectionColor(0xD77800, white), 0xD77800u);
    EXPECT_EQ(VisibleSelectionColor(0x404040, black), 0x404040u);
    // A dark background: lightened instead.
    const std::uint32_t onBlack = VisibleSelectionColor(0x050505, black);
    EXPECT_GE(ContrastRatio(onBlack, black), kMinSelectionContrast);
    EXPECT_GT(onBlack & 0xFF, 0x05u);
}

TEST(OwnSample, TakesTheFontsMainScriptAndSkipsWhatCannotBeShown) {
    // Latin digits and a space beside a whole Khmer block: the Khmer letters.
    const std::vector<CodeRange> khmer = {{0x20, 0x20}, {0x30, 0x39}, {0x1780, 0x17DD}};
    EXPECT_EQ(OwnSampleText(khmer, 3), u"\u1780\u1781\u1782");
    // A full block of box drawing does not outweigh the letters.
    EXPECT_EQ(OwnSampleText({{0x41, 0x43}, {0x2500, 0x25FF}}, 3), u"ABC");
    // A symbol font in the private use area, after its controls and a space.
    const std::vector<CodeRange> symbols = {{0x00, 0x20}, {0xF020, 0xF0FF}};
    EXPECT_EQ(OwnSampleText(symbols, 2), u"\uF021\uF022");
    // Beyond the first plane, as pairs; ties go to the first block.
    EXPECT_EQ(OwnSampleText({{0x41, 0x42}, {0x1D400, 0x1D401}}, 4), u"AB");
    EXPECT_EQ(OwnSampleText({{0x1D400, 0x1D402}}, 2), u"\U0001D400\U0001D401");
    // Nothing showable, a backwards range, no room.
    EXPECT_EQ(OwnSampleText({{0x00, 0x20}, {0x2000, 0x200F}, {0xFEFF, 0xFEFF}}, 5), u"");
    EXPECT_EQ(OwnSampleText({{0x50, 0x40}}, 5), u"");
    EXPECT_EQ(OwnSampleText(khmer, 0), u"");

    EXPECT_FALSE(MostlyMissing(5, 5));
    EXPECT_TRUE(MostlyMissing(4, 5));
    EXPECT_FALSE(MostlyMissing(0, 0));
}

TEST(StatusSlots, SlotsLineUpFromTheRightAndSkipEmptyTexts) {
    StatusSlotInput in;
    in.barClientWidth = 500;
    in.panelLeft = 0;
    in.panelTop = 2;
    in.panelHeight = 18;
    in.margin = 20;
    in.textWidths = {100, 12, 30, 24};
    const StatusSlots all = ComputeStatusSlots(in);
    // Slot 3: 24 + 22 = 46 wide, offset 48: left = 500 - 20 - 48 = 432.
    EXPECT_EQ(all.slots[3].left, 432);
    EXPECT_EQ(all.slots[3].right, 478);
    // Slot 2: 30 + 22 = 52, offset 102: left 378.
    EXPECT_EQ(all.slots[2].left, 378);
    EXPECT_EQ(all.slots[2].right, 430);
    // Slot 1: 12 + 10 = 22, offset 126: left 354.
    EXPECT_EQ(all.slots[1].left, 354);
    EXPECT_EQ(all.slots[1].right, 376);
    EXPECT_EQ(all.slots[1].top, 2);
    EXPECT_EQ(all.slots[1].bottom, 20);
    // The message: 500 - 20 - 126 - 2 = 352 wide, narrowed by 1 on each side.
    EXPECT_EQ(all.slots[0].left, 1);
    EXPECT_EQ(all.slots[0].right, 351);

    EXPECT_EQ(StatusSlotAt(all, 440, 10), 3);
    EXPECT_EQ(StatusSlotAt(all, 378, 10), 2);
    EXPECT_EQ(StatusSlotAt(all, 430, 10), -1) << "the 2-pixel gap belongs to no slot";
    EXPECT_EQ(StatusSlotAt(all, 360, 10), 1);
    EXPECT_EQ(StatusSlotAt(all, 100, 10), -1) << "the message is no slot to click";
    EXPECT_EQ(StatusSlotAt(all, 440, 25), -1) << "below the panel";

    in.empty[2] = true;
    const StatusSlots noFilter = ComputeStatusSlots(in);
    EXPECT_FALSE(noFilter.shown[2]);
    EXPECT_EQ(noFilter.slots[1].left, 500 - 20 - 48 - 24) << "slot 1 moves right into the filter's place";
    EXPECT_EQ(StatusSlotAt(noFilter, 400, 10), -1);

    in.panelLeft = 3;
    const StatusSlots shifted = ComputeStatusSlots(in);
    EXPECT_EQ(shifted.slots[3].left, 435) << "the panel's left edge shifts every slot";
    EXPECT_EQ(shifted.slots[0].left, 4);
}

}  // namespace
}  // namespace typorama
