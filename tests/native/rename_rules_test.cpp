#include "tools/rename_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/text_format.h"

namespace typorama::tools {
namespace {

RenameLog MakeLog() { return RenameLog(CompareFoldedAscii); }

// Latin-1 as a stand-in code page: fits below U+0100, nothing else.
const AnsiCodePage kLatin1{
    [](std::u16string_view text) -> std::optional<std::string> {
        std::string bytes;
        for (char16_t c : text) {
            if (c > 0xFF) return std::nullopt;
            bytes += static_cast<char>(c);
        }
        return bytes;
    },
    [](std::string_view bytes) {
        std::u16string text;
        for (char b : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(b));
        return text;
    }};

TEST(RenameRules, NewNameFromHostileFullNames) {
    EXPECT_EQ(NameFromFullName(u"Ratio 16:9 Bold").name, u"Ratio 169 Bold.ttf");
    EXPECT_EQ(NameFromFullName(u"Date 1/2/99").name, u"Date 1299.ttf");
    EXPECT_EQ(NameFromFullName(u"A\"*<>?\\|b").name, u"Ab.ttf");
    EXPECT_EQ(NameFromFullName(u"Foo.Bar Light").name, u"Foo.Bar Light.ttf");  // dots and blanks stay
    EXPECT_EQ(NameFromFullName(u"宋体 常规").name, u"宋体 常规.ttf");
    EXPECT_EQ(NameFromFullName(std::u16string(u"Good\0..\\evil", 12)).name, u"Good.ttf");
    EXPECT_EQ(NameFromFullName(u"Tab\there").name, u"Tabhere.ttf");
    EXPECT_EQ(NameFromFullName(u"").problem, FileNameProblem::Empty);
    EXPECT_EQ(NameFromFullName(u"/:*").problem, FileNameProblem::Empty);
    EXPECT_EQ(NameFromFullName(u"con").problem, FileNameProblem::ReservedName);
    EXPECT_EQ(NameFromFullName(u"LPT3").problem, FileNameProblem::ReservedName);
    EXPECT_EQ(NameFromFullName(u"Name.").problem, FileNameProblem::TrailingDotOrSpace);
    EXPECT_EQ(NameFromFullName(u"Name ").problem, FileNameProblem::TrailingDotOrSpace);
    EXPECT_TRUE(NameFromFullName(std::u16string(251, u'x')).usable());
    EXPECT_EQ(NameFromFullName(std::u16string(252, u'x')).problem, FileNameProblem::TooLong);
}

TEST(RenameRules, TypedNamesAndProposals) {
    EXPECT_EQ(NameFromTypedName(u"  My Font 2  ").name, u"My Font 2.ttf");
    EXPECT_EQ(NameFromTypedName(u"My.Font.otf").name, u"My.Font.ttf");  // after the last dot goes
    EXPECT_EQ(NameFromTypedName(u"v1.5 Bold").name, u"v1.ttf");
    EXPECT_FALSE(NameFromTypedName(u"   ").usable());
    EXPECT_FALSE(NameFromTypedName(u"a|b").usable());
    EXPECT_FALSE(NameFromTypedName(u"a:b").usable());  // a stream name on NTFS, refused by MoveFile
    EXPECT_FALSE(NameFromTypedName(u"nul").usable());

    std::set<std::u16string> existing;
    auto exists = [&existing](const std::u16string& name) { return existing.count(name) > 0; };
    EXPECT_EQ(ProposedAlternative(u"Ratio 16:9", exists), u"Ratio 16:9 2");  // as it is, not cleaned
    existing = {u"Sans 2.ttf", u"Sans 3.ttf"};
    EXPECT_EQ(ProposedAlternative(u"Sans", exists), u"Sans 4");
}

TEST(RenameRules, LogIsSortedWithoutCaseAndKeepsEachLineOnce) {
    RenameLog log = MakeLog();
    log.AddText(u"Zeta.ttf|z1.ttf\r\nalpha.ttf|a1.ttf\r\n\r\nBeta.ttf|b1.ttf\n");
    EXPECT_TRUE(log.Add(u"Gamma.ttf", u"g1.ttf"));
    EXPECT_FALSE(log.Add(u"ALPHA.TTF", u"A1.TTF"));  // a second run adds nothing
    log.AddText(u"beta.ttf|B1.ttf\r\n");
    EXPECT_EQ(log.Text(), u"alpha.ttf|a1.ttf\r\nBeta.ttf|b1.ttf\r\nGamma.ttf|g1.ttf\r\nZeta.ttf|z1.ttf\r\n");

    EXPECT_EQ(log.OldNameOf(u"GAMMA.ttf"), u"g1.ttf");
    EXPECT_EQ(log.OldNameOf(u"Gamma"), std::nullopt);
    EXPECT_EQ(log.OldNameOf(u"unknown.ttf"), std::nullopt);
    // The first line in sorted order wins when a name was logged twice.
    RenameLog twice = MakeLog();
    twice.AddText(u"Same.ttf|second.ttf\r\nSame.ttf|first.ttf\r\nNoBar.ttf\r\n");
    EXPECT_EQ(twice.OldNameOf(u"same.ttf"), u"first.ttf");
    EXPECT_EQ(twice.OldNameOf(u"NoBar.ttf"), std::nullopt);
}

TEST(RenameRules, LogBytesAreAnsiWhileEveryNameFitsAndUnicodeOtherwise) {
    const std::u16string latin = u"Caf\u00e9.ttf|cafe.ttf\r\n";
    EXPECT_EQ(EncodeRenameLog(latin, kLatin1), "Caf\xe9.ttf|cafe.ttf\r\n");
    const std::u16string cjk = u"宋体.ttf|simsun.ttf\r\n";
    const std::string unicode = EncodeRenameLog(cjk, kLatin1);
    EXPECT_EQ(unicode.substr(0, 2), "\xFF\xFE");
    for (const std::u16string& text : {latin, cjk}) {
        EXPECT_EQ(DecodeRenameLog(EncodeRenameLog(text, kLatin1), kLatin1), text);
    }
    EXPECT_EQ(DecodeRenameLog("\xEF\xBB\xBF\xE5\xAE\x8B.ttf|a.ttf\r\n", kLatin1), u"宋.ttf|a.ttf\r\n");
    EXPECT_EQ(DecodeRenameLog("\xFF\xFE" "A", kLatin1), u"");  // an odd last byte is dropped
    EXPECT_EQ(DecodeRenameLog("\xEF\xBB\xBF\xC0\x80x", kLatin1), u"\uFFFD\uFFFDx");  // overlong NUL refused
}

}  // namespace
}  // namespace typorama::tools
