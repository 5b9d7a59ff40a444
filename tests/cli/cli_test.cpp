// typorama-cli as a script sees it: JSON lines, folder expansion, exit status.
#include <gtest/gtest.h>

#include "support/font_builder.h"
#include "cli/cli_runner.h"

namespace typorama::test {
namespace {

TEST(CliInfo, PrintsOneJsonObjectPerFileWithKeysInOrder) {
    ScratchFolder dir(L"cli-info");
    FontSpec fontSpec = FontSpec::Named(u"Typorama Cli Serif", u"Italic");
    fontSpec.fsType = 0x0008;
    std::wstring font = dir.Write(L"serif.ttf", BuildFont(fontSpec));
    std::wstring missing = dir.Path() + L"missing.ttf";

    ProcessResult run = RunCli({L"info", font, missing});
    EXPECT_EQ(run.exitCode, 1) << "one file could not be read";
    EXPECT_EQ(run.out.find('\r'), std::string::npos) << "lines end with a bare LF";
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "{\"file\": \"" + Json(font) +
                            "\", \"ok\": true, \"copyright\": \"Copyright (c) Typorama tests\", "
                            "\"family\": \"Typorama Cli Serif\", \"subfamily\": \"Italic\", "
                            "\"uniqueId\": \"Typorama: Typorama Cli Serif Italic: 1.0\", "
                            "\"fullName\": \"Typorama Cli Serif Italic\", \"version\": \"Version 1.000\", "
                            "\"postScriptName\": \"TyporamaCliSerif-Italic\", \"weight\": 400, \"italic\": true, "
                            "\"embedding\": 3}");
    EXPECT_EQ(lines[1], "{\"file\": \"" + Json(missing) +
                            "\", \"ok\": false, \"copyright\": \"\", \"family\": \"\", \"subfamily\": \"\", "
                            "\"uniqueId\": \"\", \"fullName\": \"\", \"version\": \"\", \"postScriptName\": \"\", "
                            "\"weight\": 0, \"italic\": false, \"embedding\": 0}");
}

TEST(CliInfo, PrintsOneLinePerFaceOfACollectionAndListListsFaces) {
    ScratchFolder dir(L"cli-info-ttc");
    std::wstring ttc = dir.Write(L"pair.ttc", test::BuildCollection({BuildFont(FontSpec::Named(u"Typorama Cli Song")),
                                                                      BuildFont(FontSpec::Named(u"Typorama Cli Hei"))}));
    ProcessResult run = RunCli({L"info", dir.Path()});
    EXPECT_EQ(run.exitCode, 0);
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << "the folder's collection is found, and gives each face";
    EXPECT_EQ(lines[0].rfind("{\"file\": \"" + Json(ttc) + "\", \"face\": 0, \"ok\": true, ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("\"fullName\": \"Typorama Cli Song\""), std::string::npos);
    EXPECT_EQ(lines[1].rfind("{\"file\": \"" + Json(ttc) + "\", \"face\": 1, ", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("\"fullName\": \"Typorama Cli Hei\""), std::string::npos);

    run = RunCli({L"list", dir.Path()});
    lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0].rfind("{\"name\": \"Typorama Cli Hei\", \"file\": \"" + Json(ttc) + "\", \"face\": 1, ", 0), 0u)
        << lines[0];
}

TEST(CliInfo, EscapesWhateverANameTableHolds) {
    ScratchFolder dir(L"cli-escape");
    FontSpec fontSpec;
    fontSpec.names = {{3, 1, 0x0409, 1, u"Quote\" Back\\ Tab\t", {}},
                  {3, 1, 0x0409, 2, std::u16string(u"Nul\0Mid", 7), {}},
                  {3, 1, 0x0409, 4, u"排版 \U0001F600", {}},
                  {3, 1, 0x0409, 5, std::u16string(1, char16_t(0xD800)) + u"x", {}}};
    std::wstring font = dir.Write(L"odd.ttf", BuildFont(fontSpec));

    ProcessResult run = RunCli({L"info", font});
    EXPECT_EQ(run.exitCode, 0);
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    EXPECT_NE(line.find(R"("family": "Quote\" Back\\ Tab\u0009")"), std::string::npos) << line;
    EXPECT_NE(line.find(R"("subfamily": "Nul\u0000Mid")"), std::string::npos) << line;
    EXPECT_NE(line.find("\"fullName\": \"\xE6\x8E\x92\xE7\x89\x88 \xF0\x9F\x98\x80\""), std::string::npos) << line;
    EXPECT_NE(line.find(R"("version": "\ud800x")"), std::string::npos) << line;
}

TEST(CliInfo, ExpandsFoldersToTheirFontFilesSorted) {
    ScratchFolder dir(L"cli-folder");
    auto font = BuildFont(FontSpec::Named(u"Typorama Cli Folder"));
    dir.Write(L"b.TTF", font);
    dir.Write(L"a.otf", font);
    dir.Write(L"sub\\c.ttf", font);
    dir.Write(L"readme.txt", {'x'});
    dir.Write(L"sub\\deeper\\d.ttf", font);

    ProcessResult run = RunCli({L"info", dir.Path()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto lines = Lines(run.out);
    std::vector<std::string> files;
    for (const auto& line : lines) files.push_back(line.substr(0, line.find("\", \"ok\"")));
    std::string prefix = "{\"file\": \"" + Json(dir.Path());
    EXPECT_EQ(files, (std::vector<std::string>{prefix + "a.otf", prefix + "b.TTF", prefix + "sub\\\\c.ttf",
                                               prefix + "sub\\\\deeper\\\\d.ttf"}));
}

TEST(CliUsage, ExplainsAndRejectsBadUsage) {
    ProcessResult help = RunCli({L"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("info PATH..."), std::string::npos);

    EXPECT_EQ(RunCli({}).exitCode, 2);
    EXPECT_EQ(RunCli({L"info"}).exitCode, 2);
    ProcessResult unknown = RunCli({L"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("Usage:"), std::string::npos);
}

}  // namespace
}  // namespace typorama::test
