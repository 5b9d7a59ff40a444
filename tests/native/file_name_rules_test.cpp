#include "base/file_name_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace typorama {
namespace {

TEST(FileNameRules, RefusesWhatAnyWindowsFileSystemRefuses) {
    struct Case {
        std::u16string name;
        FileNameProblem problem;
    };
    const Case cases[] = {
        {u"arial2.ttf", FileNameProblem::None},
        {u"字体 2.otf", FileNameProblem::None},
        {u".hidden", FileNameProblem::None},
        {u"", FileNameProblem::Empty},
        {u" . ", FileNameProblem::Empty},
        {std::u16string(u"\0evil.ttf", 9), FileNameProblem::Empty},  // nothing before the NUL
        {u"a\"b.ttf", FileNameProblem::ForbiddenCharacter},
        {u"a*b.ttf", FileNameProblem::ForbiddenCharacter},
        {u"a/b.ttf", FileNameProblem::ForbiddenCharacter},
        {u"..\\b.ttf", FileNameProblem::ForbiddenCharacter},
        {u"c:b.ttf", FileNameProblem::ForbiddenCharacter},  // a stream or a drive, never a plain name
        {u"a<b>.ttf", FileNameProblem::ForbiddenCharacter},
        {u"a?.ttf", FileNameProblem::ForbiddenCharacter},
        {u"a|b.ttf", FileNameProblem::ForbiddenCharacter},
        {u"a\tb.ttf", FileNameProblem::ForbiddenCharacter},
        {u"nul.ttf", FileNameProblem::ReservedName},
        {u"CON", FileNameProblem::ReservedName},
        {u"Com7.otf", FileNameProblem::ReservedName},
        {u"lpt1 .ttf", FileNameProblem::ReservedName},
        {u"COM0.ttf", FileNameProblem::None},
        {u"CONSOLE.ttf", FileNameProblem::None},
        {u"arial.ttf.", FileNameProblem::TrailingDotOrSpace},
        {u"arial.ttf ", FileNameProblem::TrailingDotOrSpace},
        {std::u16string(255, u'a'), FileNameProblem::None},
        {std::u16string(256, u'a'), FileNameProblem::TooLong},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckFileName(c.name).problem, c.problem) << std::string(c.name.begin(), c.name.end());
    }
    // Cut at the first NUL: what follows never reaches the file system.
    CheckedFileName cut = CheckFileName(std::u16string(u"ok.ttf\0..\\x", 11));
    EXPECT_TRUE(cut.usable());
    EXPECT_EQ(cut.name, u"ok.ttf");
}

TEST(FileNameRules, InsertsBeforeTheLastExtension) {
    EXPECT_EQ(InsertBeforeExtension(u"arial.ttf", u"2"), u"arial2.ttf");
    EXPECT_EQ(InsertBeforeExtension(u"a.b.otf", u"2"), u"a.b2.otf");
    EXPECT_EQ(InsertBeforeExtension(u"noext", u"2"), u"noext2");
    EXPECT_EQ(InsertBeforeExtension(u".ttf", u"2"), u".ttf2");
}

}  // namespace
}  // namespace typorama
