// Size texts, name order and message patterns: the text every window shows.
#include "base/text_format.h"

#include <gtest/gtest.h>

#include "cli/json_text.h"

namespace typorama {
namespace {

TEST(FormatByteSize, PicksTheUnitAtEachBoundary) {
    EXPECT_EQ(FormatByteSize(-1), u"") << "not asked for yet";
    EXPECT_EQ(FormatByteSize(0), u"0 bytes");
    EXPECT_EQ(FormatByteSize(1023), u"1023 bytes");
    EXPECT_EQ(FormatByteSize(1024), u"1.0KB");
    EXPECT_EQ(FormatByteSize(1536), u"1.5KB");
    EXPECT_EQ(FormatByteSize(1048575), u"1024.0KB") << "rounded, still below the MB boundary";
    EXPECT_EQ(FormatByteSize(1048576), u"1.00MB");
    EXPECT_EQ(FormatByteSize(19'480'000), u"18.58MB");
    EXPECT_EQ(FormatByteSize(1073741824), u"1.00GB");
    EXPECT_EQ(FormatByteSize(5'000'000'000), u"4.66GB") << "sizes beyond 32 bits";
}

TEST(CompareFoldedAscii, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(CompareFoldedAscii(u"arial", u"ARIAL"), 0);
    EXPECT_LT(CompareFoldedAscii(u"Arial", u"arial black"), 0) << "a prefix sorts first";
    EXPECT_GT(CompareFoldedAscii(u"Zapf", u"_Zapf"), 0) << "'Z' compares as 'z' (0x7A), after '_' (0x5F)";
    EXPECT_GT(CompareFoldedAscii(u"\u00C9cole", u"Zebra"), 0) << "non-ASCII by code unit, not folded";
    EXPECT_NE(CompareFoldedAscii(u"\u00E9", u"\u00C9"), 0) << "no case folding beyond A-Z";
}

TEST(FormatText, FillsEveryPlaceholderKind) {
    EXPECT_EQ(FormatText(u"\u540C\u6837 \"%s\"", {std::u16string_view(u"C:\\f.ttf")}), u"\u540C\u6837 \"C:\\f.ttf\"");
    EXPECT_EQ(FormatText(u"%d/%d", {std::int64_t{3}, std::int64_t{120}}), u"3/120");
    EXPECT_EQ(FormatText(u"%.2d:%.2d:%.2d", {std::int64_t{1}, std::int64_t{2}, std::int64_t{123}}), u"01:02:123");
    EXPECT_EQ(FormatText(u"%x %X", {std::int64_t{0xab}, std::int64_t{0xab}}), u"ab AB");
    EXPECT_EQ(FormatText(u"%.1f", {1.25}), u"1.2");
    EXPECT_EQ(FormatText(u"%.0n \u5B57\u8282", {std::int64_t{1234567}}), u"1,234,567 \u5B57\u8282");
    EXPECT_EQ(FormatText(u"%.0n", {std::int64_t{-999}}), u"-999");
    EXPECT_EQ(FormatText(u"100%% %s", {std::u16string_view(u"x")}), u"100% x");
    EXPECT_EQ(FormatText(u"%s and %s", {std::u16string_view(u"one")}), u"one and %s") << "missing argument";
    EXPECT_EQ(FormatText(u"trailing %", {}), u"trailing %");
}

TEST(JsonText, EscapesControlsQuotesAndLoneSurrogates) {
    std::string out;
    cli::AppendJsonString(out, std::u16string(u"a\"b\\c\n\0\u00E9\U0001F600", 10));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\u000a\\u0000\xC3\xA9\xF0\x9F\x98\x80\"");
    out.clear();
    cli::AppendJsonString(out, std::u16string{char16_t(0xDC00), u'x', char16_t(0xD83D)});
    EXPECT_EQ(out, "\"\\udc00x\\ud83d\"");
    EXPECT_EQ(cli::JsonLine().Add("n", 5).Add("ok", true).Add("s", u"t").Finish(), "{\"n\": 5, \"ok\": true, \"s\": \"t\"}\n");
}

}  // namespace
}  // namespace typorama
