// The information pane's text and the rule that adds a sample string.
#include "base/current_font_rules.h"

#include <gtest/gtest.h>

namespace typorama {
namespace {

const FontInfoPatterns kPatterns{u"none", u"no file", u"F:%s (%s)|%s|%s|%s|%s|%s|%s|%s"};

TEST(FontInfoText, PicksThePatternAndFillsEveryPiece) {
    EXPECT_EQ(FontInfoText(kPatterns, nullptr), u"none");
    FontInfoPieces pieces{u"", u"1.5KB", u"Name", u"Full", u"1.0", u"可打印", u"西方", u"未安装", u"(c)"};
    EXPECT_EQ(FontInfoText(kPatterns, &pieces), u"no file");
    pieces.file = std::u16string(u"\0hidden", 7);
    EXPECT_EQ(FontInfoText(kPatterns, &pieces), u"no file") << "a path that is empty before its NUL";
    pieces.file = u"C:\\f.ttf";
    EXPECT_EQ(FontInfoText(kPatterns, &pieces), u"F:C:\\f.ttf (1.5KB)|Name|Full|1.0|可打印|西方|未安装|(c)");
}

TEST(FontInfoText, KeepsHostileNamesOnTheirLines) {
    FontInfoPieces pieces{u"a.ttf", u"1", u"%s", std::u16string(u"Full\0evil", 9), u"v", u"e", u"s", u"st",
                          u"line1\nline2\rline3\r\nline4"};
    EXPECT_EQ(FontInfoText(kPatterns, &pieces), u"F:a.ttf (1)|%s|Full|v|e|s|st|line1\r\nline2\r\nline3\r\nline4")
        << "a %s in a name stays text, a NUL ends the piece, every line break becomes CR LF";
}

TEST(SampleStringToAdd, TrimsAndComparesWithLetterCase) {
    const std::vector<std::u16string> items{u"Handgloves", u"永"};
    EXPECT_EQ(SampleStringToAdd(items, u"  handgloves\t"), std::optional<std::u16string>(u"handgloves"));
    EXPECT_EQ(SampleStringToAdd(items, u"Handgloves "), std::nullopt) << "the same text once trimmed";
    EXPECT_EQ(SampleStringToAdd(items, u"永"), std::nullopt);
    EXPECT_EQ(SampleStringToAdd(items, u" \r\n "), std::nullopt) << "nothing left after trimming";
    EXPECT_EQ(SampleStringToAdd({}, u"x y"), std::optional<std::u16string>(u"x y")) << "inner spaces stay";
}

}  // namespace
}  // namespace typorama
