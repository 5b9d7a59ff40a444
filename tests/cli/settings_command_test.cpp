// typorama-cli settings-export: the file the program's export writes, for any
// key given with --root, and a JSON line that says what was written.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/scratch.h"
#include "settings/settings_export.h"

namespace typorama::test {
namespace {

TEST(CliSettingsExport, WritesTheKeyAsTheProgramDoesAndSaysHow) {
    ScratchKey scratch(L"cli-settings-export");
    ScratchFolder dir(L"cli-settings-export");
    scratch.SetString(L"Favorites", L"0", L"D:\\Type \U0001F600");
    const std::wstring root = L"HKEY_CURRENT_USER\\" + scratch.SubKey();
    const std::wstring file = dir.Path() + L"backup.reg";

    ProcessResult run = RunCli({L"settings-export", L"--root", L"hkcu\\" + scratch.SubKey(), file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), std::vector<std::string>{"{\"file\": \"" + Json(file) + "\", \"root\": \"" + Json(root) +
                                                       "\", \"rootFound\": true, \"format\": \"Windows Registry "
                                                       "Editor Version 5.00\", \"ok\": true, \"error\": 0, "
                                                       "\"errorText\": \"\"}"});
    std::wstring body;
    ASSERT_TRUE(settings::ExportRegistryKey(HKEY_CURRENT_USER, scratch.SubKey(), true, body));
    EXPECT_EQ(ReadFileBytes(file), settings::RegFileBytes(body));

    // A key that is not there: a file with the header alone, and a failed write.
    const std::wstring missingFile = dir.Path() + L"missing.reg";
    run = RunCli({L"settings-export", missingFile, L"--root", root + L"\\Missing"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"rootFound\": false, \"format\": \"REGEDIT4\", \"ok\": true"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFileBytes(missingFile), "REGEDIT4\r\n\r\n");
    run = RunCli({L"settings-export", L"--root", root, dir.Path() + L"no such folder\\x.reg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("\"ok\": false, \"error\": 3, \"errorText\": \""), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\"errorText\": \"\""), std::string::npos) << "the system's text for the error";

    for (const auto& args : std::vector<std::vector<std::wstring>>{
             {L"settings-export"},
             {L"settings-export", file, file},
             {L"settings-export", L"--root", L"HKCC\\Software", file},
             {L"settings-export", L"--root"},
             {L"settings-export", L"--quiet", file}}) {
        ProcessResult bad = RunCli(args);
        EXPECT_EQ(bad.exitCode, 2) << win::WideToUtf8(args.back());
        EXPECT_TRUE(bad.out.empty()) << bad.out;
        EXPECT_FALSE(bad.err.empty());
    }
}

}  // namespace
}  // namespace typorama::test
