// The rules for comparing text without regard to case, told apart.
#include "win/text_compare.h"

#include <gtest/gtest.h>

#include <set>

namespace typorama::win {
namespace {

TEST(TextCompareTest, EachRuleFoldsWhatItShould) {
    // Names the system compares: the whole upper-case table, no linguistic weights.
    EXPECT_TRUE(EqualNoCase(L"C:\\Fonts\\Ärger.TTF", L"c:\\fonts\\ärger.ttf"));
    EXPECT_LT(CompareNoCase(L"a-b", L"ab"), 0) << "a hyphen is a character like any other";
    EXPECT_GT(CompareNoCase(L"b", L"A"), 0);
    EXPECT_TRUE(EqualNoCase(std::wstring_view(), L"")) << "an empty view without data";
    const std::set<std::wstring, LessNoCase> paths{L"C:\\x.ttf", L"c:\\X.TTF", L"C:\\y.ttf"};
    EXPECT_EQ(paths.size(), 2u);
    EXPECT_EQ(UpperNoCase(u"C:\\Fonts\\ärger.ttf"), UpperNoCase(u"c:\\FONTS\\Ärger.TTF")) << "the same key";
    EXPECT_NE(UpperNoCase(u"C:\\a-b"), UpperNoCase(u"C:\\ab"));

    // The folder lists the user keeps: A-Z only.
    EXPECT_TRUE(EqualFoldedAscii(L"C:\\Fonts", L"c:\\fONTS"));
    EXPECT_FALSE(EqualFoldedAscii(L"C:\\Ä", L"C:\\ä")) << "only A-Z fold";
    EXPECT_FALSE(EqualFoldedAscii(L"C:\\a", L"C:\\a\\"));

    // What the user sees sorted: case ignored.
    EXPECT_EQ(CompareForDisplay(L"alpha", L"ALPHA"), 0);
    EXPECT_LT(CompareForDisplay(L"alpha", L"Beta"), 0);
}

}  // namespace
}  // namespace typorama::win
