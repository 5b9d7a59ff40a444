// typorama-cli rename as a script sees it: one JSON line per file, the counts
// last, the log given with --log, and --undo back from it.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/font_builder.h"

namespace typorama::test {
namespace {

std::string Line(const std::wstring& file, const std::wstring& newName, const std::string& action) {
    return "{\"file\": \"" + Json(file) + "\", \"newName\": \"" + Json(newName) + "\", \"action\": \"" + action +
           "\", \"installed\": false}";
}

TEST(RenameCommand, RenamesReportsClashesAndUndoes) {
    ScratchFolder folder(L"cli-rename");
    ScratchFolder logs(L"cli-rename-log");
    const std::wstring a = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyCli Twin")));
    const std::wstring b = folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyCli Twin")));
    const std::wstring log = logs.Path() + L"Rename.log";
    const std::wstring key = L"HKCU\\Software\\Typorama Tests\\cli-rename-none";

    ProcessResult run = RunCli({L"rename", L"--on-clash", L"fail", L"--log", log, L"--fonts-key", key, folder.Path()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  Line(a, L"TyCli Twin.ttf", "renamed"), Line(b, L"TyCli Twin.ttf", "failed"),
                                  "{\"found\": 2, \"renamed\": 1, \"log\": \"" + Json(log) + "\", \"logWritten\": true}"}));

    ProcessResult undo = RunCli({L"rename", L"--undo", L"--log", log, L"--fonts-key", key, folder.Path()});
    EXPECT_EQ(undo.exitCode, 0) << undo.err;
    EXPECT_EQ(Lines(undo.out).back(), "{\"found\": 2, \"renamed\": 1, \"log\": \"" + Json(log) + "\", \"logWritten\": true}");
    EXPECT_EQ(ReadFileBytes(a).substr(0, 4), std::string("\0\1\0\0", 4)) << "back under its old name";

    EXPECT_EQ(RunCli({L"rename", L"--on-clash", L"rename", folder.Path()}).exitCode, 2);
}

}  // namespace
}  // namespace typorama::test
