// Grouping found fonts by full name for the duplicate finder.
#include <gtest/gtest.h>

#include "base/text_format.h"
#include "tools/duplicate_groups.h"

namespace typorama::tools {
namespace {

const TextCompare kCompare = [](std::u16string_view a, std::u16string_view b) { return CompareFoldedAscii(a, b); };

TEST(DuplicateGroupsTest, GroupsByNameIgnoringCaseAndListsEachPathOnce) {
    std::vector<std::u16string> files = {u"c:\\b\\Z.ttf", u"C:\\a\\x.ttf", u"c:\\A\\y.ttf"};
    SortFoundFiles(files, kCompare);
    EXPECT_EQ(files, (std::vector<std::u16string>{u"C:\\a\\x.ttf", u"c:\\A\\y.ttf", u"c:\\b\\Z.ttf"}));

    auto groups = GroupDuplicates(
        {
            {u"C:\\a\\x.ttf", u"Sans Bold"},
            {u"c:\\A\\X.TTF", u"Sans Bold"},  // the same file through an overlapping folder entry
            {u"c:\\b\\lonely.ttf", u"Serif"},
            {u"c:\\b\\only-once.ttf", u"Mono"},
            {u"C:\\B\\ONLY-ONCE.ttf", u"Mono"},
            {u"c:\\c\\sans.ttf", u"SANS BOLD"},  // the name differs only in case
            {u"c:\\c\\nameless.ttf", u""},
            {u"c:\\c\\nameless2.ttf", std::u16string(u"\0hidden", 7)},
            {u"c:\\c\\hidden.ttf", std::u16string(u"Aa\0x", 4)},
            {u"c:\\d\\hidden.ttf", u"aA"},
        },
        kCompare);
    ASSERT_EQ(groups.size(), 2u) << "a file reached twice is no duplicate; empty names take no part";
    EXPECT_EQ(groups[0].fullName, u"Aa") << "keys in order, cut at the first NUL";
    EXPECT_EQ(groups[1].fullName, u"Sans Bold") << "named after the first file read";
    EXPECT_EQ(groups[1].files, (std::vector<std::u16string>{u"C:\\a\\x.ttf", u"c:\\c\\sans.ttf"}));
}

TEST(DuplicateGroupsTest, TextsOfTheTree) {
    DuplicateGroup group{u"Name (Old) Regular", {u"a", u"b", u"c"}};
    EXPECT_EQ(GroupNodeText(group), u"Name (Old) Regular (3)");
    EXPECT_EQ(FullNameFromGroupText(GroupNodeText(group)), u"Name (Old) Regular");
    EXPECT_EQ(CrcText(0x0A2B3C4D), u"0A2B3C4D");
    EXPECT_EQ(CrcText(std::nullopt), u"");
}

}  // namespace
}  // namespace typorama::tools
