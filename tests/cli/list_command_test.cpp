// typorama-cli list: the font list as a script sees it.
#include <gtest/gtest.h>

#include "base/text_format.h"
#include "cli/cli_runner.h"
#include "support/font_builder.h"

namespace typorama::test {
namespace {

// Wine hands fonts loaded in one process to the processes started after it, so
// each test run uses family names of its own.
std::u16string Unique(const std::string& family) {
    std::string text = family + " " + std::to_string(GetCurrentProcessId());
    return std::u16string(text.begin(), text.end());
}

TEST(CliList, PrintsTheFolderListInOrderWithStatusLines) {
    ScratchFolder dir(L"cli-list");
    std::u16string beta = Unique("Typorama CliList beta"), alpha = Unique("Typorama CliList Alpha");
    std::wstring b = dir.Write(L"b.ttf", BuildFont(FontSpec::Named(beta)));
    std::wstring a = dir.Write(L"sub\\a.ttf", BuildFont(FontSpec::Named(alpha)));

    ProcessResult flat = RunCli({L"list", dir.Path()});
    EXPECT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_EQ(Lines(flat.out).size(), 1u) << "subfolders only when asked";

    ProcessResult run = RunCli({L"list", L"--subfolders", dir.Path()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    std::wstring alphaName(alpha.begin(), alpha.end());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(a.c_str(), GetFileExInfoStandard, &data));
    std::string size = Json(win::ToWide(FormatByteSize(data.nFileSizeLow)));
    EXPECT_EQ(lines[0], "{\"name\": \"" + Json(alphaName) + "\", \"file\": \"" + Json(a) + "\", \"size\": \"" + size +
                            "\", \"installed\": false, \"installedFromThisFile\": false, \"loadedByList\": true, "
                            "\"embedding\": 4, \"status\": \"" + Json(alphaName) + " - " + Json(a) + " (" + size +
                            ")\"}");
    EXPECT_NE(lines[1].find(Json(b)), std::string::npos) << "sorted by name: Alpha before beta";
}

TEST(CliList, SeveralFoldersDescendOnlyWithSubfolders) {
    ScratchFolder one(L"cli-list-one"), two(L"cli-list-two");
    one.Write(L"top.ttf", BuildFont(FontSpec::Named(Unique("Typorama CliList One Top"))));
    one.Write(L"sub\\below.ttf", BuildFont(FontSpec::Named(Unique("Typorama CliList One Below"))));
    two.Write(L"top.ttf", BuildFont(FontSpec::Named(Unique("Typorama CliList Two Top"))));
    two.Write(L"sub\\deeper\\below.ttf", BuildFont(FontSpec::Named(Unique("Typorama CliList Two Below"))));

    ProcessResult flat = RunCli({L"list", one.Path(), two.Path()});
    EXPECT_EQ(flat.exitCode, 0) << flat.err;
    EXPECT_EQ(Lines(flat.out).size(), 2u) << flat.out;
    EXPECT_EQ(flat.out.find("Below"), std::string::npos) << flat.out;
    ProcessResult deep = RunCli({L"list", L"--subfolders", one.Path(), two.Path()});
    EXPECT_EQ(deep.exitCode, 0) << deep.err;
    EXPECT_EQ(Lines(deep.out).size(), 4u) << deep.out;
}

TEST(CliList, ListsTheSystemFontsWithScriptsAndRejectsBadUsage) {
    ProcessResult run = RunCli({L"list", L"--system", L"--charset", L"0"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto lines = Lines(run.out);
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines) {
        EXPECT_NE(line.find("\"scripts\": \""), std::string::npos) << line;
        EXPECT_EQ(line.find("\"name\": \"Marlett\""), std::string::npos) << "hidden by default";
    }
    ProcessResult marlett = RunCli({L"list", L"--system", L"--show-marlett"});
    EXPECT_NE(marlett.out.find("\"name\": \"Marlett\""), std::string::npos);

    EXPECT_EQ(RunCli({L"list"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"list", L"--system", L"C:\\"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"list", L"--system", L"--charset", L"1", L"--family", L"16"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"list", L"--system", L"--charset", L"300"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"list", L"--charset", L"1", L"C:\\"}).exitCode, 2) << "filters are for the system list";
}

}  // namespace
}  // namespace typorama::test
