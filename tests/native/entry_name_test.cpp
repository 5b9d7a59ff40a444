// The rule every font name passes before it names an installed-font entry.
#include "catalog/entry_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace typorama::catalog {
namespace {

using std::u16string_view;

EntryNameProblem ProblemOf(u16string_view name) { return CheckEntryName(name).problem; }

TEST(CheckEntryName, CutsAtTheFirstNulAndRefusesWhatCannotNameAnEntry) {
    EntryName cut = CheckEntryName(u16string_view(u"Typorama\0 Bold (TrueType)", 25));
    EXPECT_TRUE(cut.usable());
    EXPECT_EQ(cut.name, u"Typorama") << "what the registry would have cut the value name to";
    EXPECT_EQ(CheckEntryName(u16string_view(u"Trail\0", 6)).name, u"Trail") << "a trailing NUL is dropped";
    EXPECT_EQ(CheckEntryName(u"\u5B8B\u4F53 \U0001F600").name, u"\u5B8B\u4F53 \U0001F600") << "kept as it is";

    EXPECT_EQ(ProblemOf(u""), EntryNameProblem::Empty);
    EXPECT_EQ(ProblemOf(u16string_view(u"\0Hidden", 7)), EntryNameProblem::Empty);
    EXPECT_EQ(ProblemOf(u" \u3000\u00A0"), EntryNameProblem::Empty) << "blanks only";
    EXPECT_EQ(ProblemOf(u"Line\r\nBreak"), EntryNameProblem::ControlCharacter);
    EXPECT_EQ(ProblemOf(u"Tab\t"), EntryNameProblem::ControlCharacter);
    EXPECT_EQ(ProblemOf(u"Del\x7F"), EntryNameProblem::ControlCharacter);
    EXPECT_EQ(ProblemOf(u"Lone \xD800 high"), EntryNameProblem::UnpairedSurrogate);
    EXPECT_EQ(ProblemOf(u"Lone low \xDC00"), EntryNameProblem::UnpairedSurrogate);
    EXPECT_EQ(ProblemOf(u"End high \xD83D"), EntryNameProblem::UnpairedSurrogate);

    // The bare form of these is the entry of another font, whatever the case.
    EXPECT_EQ(ProblemOf(u16string_view(u"Other (TrueType)\0x", 18)), EntryNameProblem::EndsInSuffix);
    EXPECT_EQ(ProblemOf(u"Other (truetype)"), EntryNameProblem::EndsInSuffix);
    EXPECT_EQ(ProblemOf(u"Other (TRUE TYPE)"), EntryNameProblem::EndsInSuffix);
    EXPECT_EQ(ProblemOf(u"Other (opentype)"), EntryNameProblem::EndsInSuffix);
    EXPECT_TRUE(CheckEntryName(u"Other (TrueType) Bold").usable());
    EXPECT_EQ(ProblemOf(u" (TrueType)"), EntryNameProblem::EndsInSuffix);

    std::u16string longest(kMaxEntryNameChars, u'a');
    EXPECT_TRUE(CheckEntryName(longest).usable());
    EXPECT_EQ(longest.size() + kEntrySuffix.size(), kMaxEntryValueNameChars);
    EXPECT_EQ(ProblemOf(longest + u"a"), EntryNameProblem::TooLong);
    EXPECT_TRUE(CheckEntryName(longest + std::u16string(1, u'\0') + u"tail").usable()) << "length counts after the cut";
}

}  // namespace
}  // namespace typorama::catalog

namespace typorama::catalog {
namespace {

TEST(CollectionEntryName, JoinsTheFacesAsWindowsNamesACollection) {
    const std::u16string two[] = {u"SimSun", u"NSimSun"};
    EXPECT_EQ(CollectionEntryName(two), u"SimSun & NSimSun");
    const std::u16string cut[] = {std::u16string(u"A\0 (TrueType)", 13), u"B", u"C"};
    EXPECT_EQ(CollectionEntryName(cut), u"A & B & C") << "each name cut at its NUL";
    const std::u16string nameless[] = {u"A", std::u16string(u"\0B", 2)};
    EXPECT_EQ(CheckEntryName(CollectionEntryName(nameless)).problem, EntryNameProblem::Empty);
    // Faces past the room of a value name are left out; a first name too long is refused.
    const std::u16string many[] = {std::u16string(200, u'x'), std::u16string(60, u'y'), u"z"};
    EXPECT_EQ(CollectionEntryName(many), std::u16string(200, u'x')) << "the faces after the first that does not fit are left out";
    const std::vector<std::u16string> noto(10, u"Noto Sans Mono CJK HK Bold");
    const std::u16string tenFaces = CollectionEntryName(noto);
    EXPECT_EQ(CheckEntryName(tenFaces).problem, EntryNameProblem::None);
    EXPECT_EQ(tenFaces.size(), 8u * 26 + 7 * 3) << "eight faces fit, the ninth does not";
    const std::u16string huge[] = {std::u16string(300, u'x'), u"y"};
    EXPECT_EQ(CheckEntryName(CollectionEntryName(huge)).problem, EntryNameProblem::TooLong);
    const std::u16string suffixed[] = {u"A", u"B (TrueType)"};
    EXPECT_EQ(CheckEntryName(CollectionEntryName(suffixed)).problem, EntryNameProblem::EndsInSuffix);
}

TEST(CollectionEntryName, FacesAreFoundInTheValueNamesOfCollectionsOnly) {
    EXPECT_EQ(CollectionEntryFaces(u"SimSun & NSimSun (TrueType)"), (std::vector<std::u16string>{u"SimSun", u"NSimSun"}));
    EXPECT_EQ(CollectionEntryFaces(u"A & B & C (truetype)").size(), 3u) << "letter case of the suffix ignored";
    EXPECT_EQ(CollectionEntryFaces(u"Noto Sans CJK JP & Noto Sans CJK KR (OpenType)").size(), 2u);
    EXPECT_TRUE(CollectionEntryFaces(u"Arial (TrueType)").empty()) << "one font";
    EXPECT_TRUE(CollectionEntryFaces(u"Black & White").empty()) << "no suffix: a font whose name has an ampersand";
    EXPECT_TRUE(CollectionEntryFaces(u"Black&White (TrueType)").empty());
}

}  // namespace
}  // namespace typorama::catalog
