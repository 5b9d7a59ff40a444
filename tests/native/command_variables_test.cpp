#include "settings/command_variables.h"

#include <gtest/gtest.h>

namespace typorama::settings {
namespace {

// Answers from fixed values and records what it was asked.
class ScriptedSource : public CommandVariableSource {
public:
    bool hasFont = true;
    std::u16string path = u"C:\\Fonts\\My Font.ttf";
    std::u16string shortPath = u"C:\\FONTS\\MYFONT~1.TTF";
    std::u16string copyright = u"(c) Foundry";
    std::u16string faceName = u"My Font Bold";
    std::u16string script = u"Western";
    std::optional<std::u16string> browsedFile = u"D:\\out.txt";
    std::optional<std::u16string> browsedFolder = u"D:\\picked";
    std::u16string listedIn;  // the folder the list shows; empty: none
    std::u16string asked;     // one letter per question, in order

    std::optional<std::u16string> BrowseFile() override { return Ask(u'B'), browsedFile; }
    bool HasFont() override { return hasFont; }
    std::u16string FontFilePath() override { return path; }
    std::u16string FontShortPath() override { return Ask(u'D'), shortPath; }
    std::u16string FontCopyright() override { return copyright; }
    std::u16string FontFaceName() override { return faceName; }
    std::u16string FontScript() override { return Ask(u'S'), script; }
    std::u16string MakeListFile() override { return Ask(u'L'), u"C:\\Temp\\hal1.tmp"; }
    std::u16string SystemFontsFolder() override { return u"C:\\Windows\\Fonts\\"; }
    std::optional<std::u16string> BrowseFolder() override { return Ask(u'F'), browsedFolder; }
    std::u16string BrowsedFolder() override { return listedIn; }

private:
    void Ask(char16_t what) { asked.push_back(what); }
};

std::u16string Expand(std::u16string_view line, ScriptedSource& source, CommandVariableSet set = kRunProgramSet) {
    return ExpandCommandVariables(line, source, set).text;
}

TEST(CommandVariables, LongerNamesAreNeverHalfReplaced) {
    ScriptedSource source;
    EXPECT_EQ(Expand(u"$TY_FILEPATH_DOS $TY_FILEPATH", source), u"C:\\FONTS\\MYFONT~1.TTF C:\\Fonts\\My Font.ttf");
    EXPECT_EQ(Expand(u"x $TY_FILEPATH_BROWSE $TY_FILENAME", source), u"x D:\\out.txt My Font.ttf");
    EXPECT_EQ(Expand(u"$TY_FOLDER_SYSFONTS|$TY_FOLDER_BROWSE|$TY_FOLDER", source),
              u"C:\\Windows\\Fonts\\|D:\\picked\\|C:\\Windows\\Fonts\\");
    source.listedIn = u"E:\\Listed";
    EXPECT_EQ(Expand(u"$TY_FOLDER$TY_FOLDER", source), u"E:\\Listed\\E:\\Listed\\");
    // Outside the set the shorter name is the one that matches, as a prefix.
    EXPECT_EQ(Expand(u"$TY_FILEPATH_BROWSE", source, kImageTextSet), u"C:\\Fonts\\My Font.ttf_BROWSE");
}

TEST(CommandVariables, NamesAreCaseSensitiveAndSetsDecide) {
    ScriptedSource source;
    EXPECT_EQ(Expand(u"$ty_filepath $Ty_FaceName $TY_", source), u"$ty_filepath $Ty_FaceName $TY_");
    EXPECT_EQ(Expand(u"$TY_COPYRIGHT $TY_FACENAME", source), u"$TY_COPYRIGHT My Font Bold")
        << "the copyright is not in the Run menu's set";
    EXPECT_EQ(Expand(u"$TY_COPYRIGHT", source, kViewerCommandSet), u"(c) Foundry");
    EXPECT_EQ(Expand(u"$TY_LIST_SELECTED", source, kViewerCommandSet), u"$TY_LIST_SELECTED");
    EXPECT_EQ(Expand(u"$TY_FOLDER_BROWSE $TY_LIST_SELECTED", source, kImageTextSet),
              u"$TY_FOLDER_BROWSE $TY_LIST_SELECTED");
    EXPECT_EQ(source.asked, u"") << "nothing outside the set is asked for";

    std::vector<std::u16string> names;
    for (CommandVariable v : kRunProgramSet.Members()) names.emplace_back(CommandVariableName(v));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"$TY_FILENAME", u"$TY_FILEPATH", u"$TY_FILEPATH_DOS",
                                                  u"$TY_FILEPATH_BROWSE", u"$TY_FOLDER", u"$TY_FOLDER_SYSFONTS",
                                                  u"$TY_FOLDER_BROWSE", u"$TY_LIST_SELECTED", u"$TY_SCRIPT",
                                                  u"$TY_FACENAME"}));
}

TEST(CommandVariables, InsertedTextIsNeverScannedAgain) {
    ScriptedSource source;
    source.faceName = u"$TY_FOLDER $TY_FILEPATH";
    source.path = u"C:\\$TY_FACENAME.ttf";
    EXPECT_EQ(Expand(u"$TY_FACENAME / $TY_FILEPATH", source), u"$TY_FOLDER $TY_FILEPATH / C:\\$TY_FACENAME.ttf");
}

TEST(CommandVariables, PromptsAndFilesAreAskedOnceInAFixedOrder) {
    ScriptedSource source;
    const auto expanded = ExpandCommandVariables(
        u"$TY_FOLDER_BROWSE $TY_LIST_SELECTED $TY_SCRIPT $TY_FILEPATH_DOS $TY_FILEPATH_BROWSE $TY_FOLDER_BROWSE",
        source, kRunProgramSet);
    EXPECT_EQ(source.asked, u"BDSLF");
    EXPECT_FALSE(expanded.browseCancelled);
    EXPECT_EQ(expanded.text,
              u"D:\\picked\\ C:\\Temp\\hal1.tmp Western C:\\FONTS\\MYFONT~1.TTF D:\\out.txt D:\\picked\\");
}

TEST(CommandVariables, CancelledPromptsAndMissingFontLeaveTheVariables) {
    ScriptedSource source;
    source.browsedFolder.reset();
    auto expanded = ExpandCommandVariables(u"tool $TY_FOLDER_BROWSE $TY_FACENAME", source, kRunProgramSet);
    EXPECT_TRUE(expanded.browseCancelled);
    EXPECT_EQ(expanded.text, u"tool $TY_FOLDER_BROWSE My Font Bold");

    source.browsedFolder = u"D:\\";
    EXPECT_EQ(Expand(u"$TY_FOLDER_BROWSE", source), u"D:\\") << "no second backslash";
    source.browsedFile.reset();
    expanded = ExpandCommandVariables(u"$TY_FILEPATH_BROWSE", source, kRunProgramSet);
    EXPECT_TRUE(expanded.browseCancelled);
    EXPECT_EQ(expanded.text, u"$TY_FILEPATH_BROWSE");

    source.hasFont = false;
    source.asked.clear();
    EXPECT_EQ(Expand(u"$TY_FILENAME $TY_FILEPATH_DOS $TY_SCRIPT $TY_FOLDER_SYSFONTS", source),
              u"$TY_FILENAME $TY_FILEPATH_DOS $TY_SCRIPT C:\\Windows\\Fonts\\");
    EXPECT_EQ(source.asked, u"") << "no font: its facts are not asked for";
}

TEST(CommandVariables, FontTextsCannotAddArguments) {
    ScriptedSource source;
    source.faceName = u"Evil\" --output \"C:\\x";
    EXPECT_EQ(Expand(u"tool.exe \"$TY_FACENAME\"", source), u"tool.exe \"Evil --output C:\\x\"");
    source.faceName = std::u16string(u"Cut\0here", 8);
    source.script = u"Line\r\nbreak\t";
    EXPECT_EQ(Expand(u"$TY_FACENAME|$TY_SCRIPT", source), u"Cut|Line  break ");

    const std::u16string longText(kMaxFontValueLength - 1, u'a');
    EXPECT_EQ(CommandLineSafe(longText + u"\"\xD83D\xDE00"), longText) << "no half of a surrogate pair";
    EXPECT_EQ(CommandLineSafe(longText + u"bc").size(), kMaxFontValueLength);
}

TEST(CommandVariables, PathHelpers) {
    EXPECT_EQ(FileNamePart(u"C:\\a\\b.ttf"), u"b.ttf");
    EXPECT_EQ(FileNamePart(u"C:b.ttf"), u"b.ttf");
    EXPECT_EQ(FileNamePart(u""), u"");
    EXPECT_EQ(WithTrailingBackslash(u""), u"");
    EXPECT_EQ(ListFileText({u"C:\\a.ttf", u"D:\\中文.otf"}), u"C:\\a.ttf\r\nD:\\中文.otf\r\n");
    EXPECT_EQ(ListFileText({}), u"");
    EXPECT_EQ(TrimmedText(u" \t title \r\n"), u"title");
    EXPECT_EQ(ProgramPartOf(u"\"C:\\My Tools\\view.exe\" $TY_FILEPATH"), u"\"C:\\My Tools\\view.exe");
    EXPECT_EQ(ProgramPartOf(u"C:\\Tools\\VIEW.EXE x.exe"), u"C:\\Tools\\VIEW.EXE x.exe") << "case-sensitive";
    EXPECT_EQ(ProgramPartOf(u"  fontforge $TY_FILEPATH "), u"fontforge $TY_FILEPATH");
}

}  // namespace
}  // namespace typorama::settings
