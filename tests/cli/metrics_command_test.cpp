// typorama-cli metrics and sysinfo: the text-metrics report as JSON and as
// the window's lines, and the system report.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/font_builder.h"

namespace typorama::test {
namespace {

TEST(CliMetrics, PrintsTheReportAsJsonOrAsTheWindowsLines) {
    ScratchFolder dir(L"cli-metrics");
    FontSpec fontSpec = FontSpec::Named(u"Typorama Cli Metrics");
    fontSpec.ascender = 900;
    fontSpec.descender = -250;
    fontSpec.lineGap = 70;
    fontSpec.panose = {2, 11, 8, 3, 5, 4, 6, 2, 3, 4};
    const std::wstring font = dir.Write(L"metrics.ttf", BuildFont(fontSpec));

    ProcessResult json = RunCli({L"metrics", font, L"--size", L"1000"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const std::vector<std::string> lines = Lines(json.out);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& object = lines[0];
    EXPECT_EQ(object.rfind("{\"TEXTMETRIC\": {\"Height\": 1150, \"Ascent\": 900, \"Descent\": 250, ", 0), 0u) << object;
    EXPECT_NE(object.find("}, \"PANOSE\": {\"FamilyType\": 2, \"SerifStyle\": 11, \"Weight\": 8, "), std::string::npos);
    EXPECT_NE(object.find("\"XHeight\": 4}, \"OUTLINETEXTMETRIC\": {\"CharSlopeRise\": "), std::string::npos);
    EXPECT_NE(object.find("\"EMSquare\": 1000, \"Ascent\": 900, \"Descent\": -250, \"LineGap\": 70, "),
              std::string::npos) << object;
    EXPECT_NE(object.find("\"FontBox\": ["), std::string::npos);
    EXPECT_NE(object.find("\"SubscriptSize\": ["), std::string::npos);
    EXPECT_NE(object.find("\"FirstChar\": 32, "), std::string::npos) << "characters as their codes";
    EXPECT_EQ(object.substr(object.size() - 2), "}}");

    ProcessResult text = RunCli({L"metrics", font, L"--size", L"1000", L"--text"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    const std::vector<std::string> report = Lines(text.out);
    ASSERT_EQ(report.size(), 55u);
    EXPECT_EQ(report[0], "TEXTMETRIC");
    EXPECT_EQ(report[2], "\tAscent: 900");
    EXPECT_EQ(report[21], "PANOSE");
    EXPECT_EQ(report[32], "OUTLINETEXTMETRIC");
    EXPECT_EQ(report[39], "\tLineGap: 70");

    EXPECT_EQ(RunCli({L"metrics"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"metrics", font, L"--size", L"0"}).exitCode, 2);
    const std::wstring bad = dir.Write(L"bad.ttf", std::vector<std::uint8_t>(64, 0));
    ProcessResult refused = RunCli({L"metrics", bad});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.empty());
}

TEST(CliMetrics, SysinfoPrintsTheSystemReport) {
    ProcessResult run = RunCli({L"sysinfo"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("[Windows]\n", 0), 0u) << run.out;
    for (const char* heading : {"\n[内存]\n", "\n[驱动器]\n", "\n[显示]\n", "\n[打印机]\n", "\n[文件]\n"})
        EXPECT_NE(run.out.find(heading), std::string::npos) << heading;
    EXPECT_EQ(run.out.find('\r'), std::string::npos) << "console lines end in a bare LF";
}

}  // namespace
}  // namespace typorama::test
