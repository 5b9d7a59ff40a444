// typorama-cli copy, move and delete as a script sees them: the answers to
// clashes from --on-clash, one JSON line per file, exit status 1 on a failure.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace typorama::test {
namespace {

std::string Line(const std::wstring& file, const std::wstring& target, const std::string& action,
                 const std::string& error = "") {
    return "{\"file\": \"" + Json(file) + "\", \"target\": \"" + Json(target) + "\", \"action\": \"" + action +
           "\", \"installed\": false, \"error\": \"" + error + "\"}";
}

TEST(FileOpsCommand, AnswersClashesFromTheCommandLineAndReportsEachFile) {
    ScratchFolder from(L"cli-fop-from");
    ScratchFolder to(L"cli-fop-to");
    const std::wstring a = from.Write(L"a.ttf", {'A'});
    const std::wstring b = from.Write(L"b.ttf", {'B'});
    to.Write(L"a.ttf", {'O', 'L', 'D'});
    to.Write(L"a2.ttf", {'O', 'L', 'D'});
    // Keys owned by nobody: the files are no fonts, so nothing is looked up.
    const std::wstring key = L"HKCU\\Software\\Typorama Tests\\cli-fop-none";

    ProcessResult failed = RunCli({L"copy", L"--fonts-key", key, to.Path(), a, b});
    EXPECT_EQ(failed.exitCode, 1) << failed.err;
    EXPECT_EQ(Lines(failed.out), (std::vector<std::string>{Line(a, to.Path() + L"a.ttf", "failed", "the target exists"),
                                                            Line(b, to.Path() + L"b.ttf", "copied")}));

    ProcessResult renamed = RunCli({L"move", L"--fonts-key", key, L"--on-clash", L"rename", to.Path(), a});
    EXPECT_EQ(renamed.exitCode, 0) << renamed.err;
    EXPECT_EQ(Lines(renamed.out), std::vector<std::string>{Line(a, to.Path() + L"a3.ttf", "renamed")});
    EXPECT_EQ(ReadFileBytes(to.Path() + L"a3.ttf"), "A");
    EXPECT_EQ(ReadFileBytes(to.Path() + L"a.ttf"), "OLD");
    EXPECT_EQ(ReadFileBytes(a), "<cannot read>");

    ProcessResult deleted = RunCli({L"delete", L"--fonts-key", key, b, a});
    EXPECT_EQ(deleted.exitCode, 1);
    const std::vector<std::string> lines = Lines(deleted.out);
    ASSERT_EQ(lines.size(), 2u) << deleted.out;
    EXPECT_EQ(lines[0], Line(b, L"", "deleted"));
    EXPECT_EQ(lines[1].rfind("{\"file\": \"" + Json(a) + "\", \"target\": \"\", \"action\": \"failed\"", 0), 0u)
        << lines[1];

    EXPECT_EQ(RunCli({L"copy", L"--on-clash", L"maybe", to.Path(), a}).exitCode, 2);
    EXPECT_EQ(RunCli({L"delete", L"--keep-installed", a}).exitCode, 2);
}

}  // namespace
}  // namespace typorama::test
