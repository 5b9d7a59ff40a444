// typorama-cli status, load, unload, install and uninstall as a script sees them.
// Every run is a process of its own, so these also show that a font one run
// loaded is there for the next. Installing goes to a scratch key given with
// --fonts-key, never to the system's list.
//
// Wine keeps every font loaded for all programs in a volatile registry cache and
// adds it to each process that starts while the wineserver lives; a process that
// unloads it removes it from its own table only. So after an unload by another
// process these tests do not ask whether the font is gone, and every family name
// carries the test process's id so that a second run in the same Wine session
// does not find the fonts of the first.
#include <gtest/gtest.h>

#include "support/font_builder.h"
#include "cli/cli_runner.h"

namespace typorama::test {
namespace {

std::string StatusLine(const std::wstring& file, const std::string& fullName, bool installed, bool fromThisFile,
                       const std::wstring& registered, bool available) {
    auto b = [](bool v) { return v ? std::string("true") : std::string("false"); };
    return "{\"file\": \"" + Json(file) + "\", \"fullName\": \"" + fullName + "\", \"installed\": " + b(installed) +
           ", \"installedFromThisFile\": " + b(fromThisFile) + ", \"registeredFile\": \"" + Json(registered) +
           "\", \"available\": " + b(available) + "}";
}

std::string ActionLine(const std::wstring& file, const std::string& fullName, const std::string& action, bool ok) {
    return "{\"file\": \"" + Json(file) + "\", \"fullName\": \"" + fullName + "\", \"action\": \"" + action +
           "\", \"ok\": " + (ok ? "true" : "false") + "}";
}

std::string UninstallLine(const std::wstring& file, const std::string& fullName, const std::string& action, bool ok,
                          bool unloaded, const std::wstring& removedEntry = L"") {
    std::string line = ActionLine(file, fullName, action, ok);
    line.pop_back();
    return line + ", \"unloaded\": " + (unloaded ? "true" : "false") + ", \"removedEntries\": [" +
           (removedEntry.empty() ? "" : "\"" + Json(removedEntry) + "\"") + "]}";
}

// The one line a command printed for a single file.
std::string OnlyLine(const ProcessResult& run) {
    auto lines = Lines(run.out);
    EXPECT_EQ(lines.size(), 1u) << run.out << run.err;
    return lines.empty() ? std::string() : lines[0];
}

std::wstring Stored(const ScratchKey& key, const std::wstring& name) {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

struct TestFont {
    std::wstring file;
    std::string name;  // family and full name, UTF-8
};

// A font whose family no other run of the tests uses.
TestFont WriteFont(const ScratchFolder& dir, const std::wstring& fileName, const std::string& family) {
    std::string name = family + " " + std::to_string(GetCurrentProcessId());
    std::wstring wide = win::Utf8ToWide(name);
    std::u16string family16(win::AsU16(wide));
    return {dir.Write(fileName, BuildFont(FontSpec::Named(family16))), name};
}

std::wstring KeyOption(const ScratchKey& key) { return L"HKCU\\" + key.SubKey(); }

TEST(CliStatus, ReportsTheEntryOfEachFontInTheGivenList) {
    ScratchFolder dir(L"cli-status");
    ScratchKey key(L"cli-status");
    TestFont here = WriteFont(dir, L"here.ttf", "Typorama Cli Status Here");
    TestFont there = WriteFont(dir, L"there.ttf", "Typorama Cli Status There");
    TestFont none = WriteFont(dir, L"none.ttf", "Typorama Cli Status None");
    std::wstring missing = dir.Path() + L"missing.ttf";
    key.SetString(L"", win::Utf8ToWide(here.name) + L" (TrueType)", here.file);
    key.SetString(L"", win::Utf8ToWide(there.name) + L" (True Type)", L"D:\\Elsewhere\\there.ttf");

    ProcessResult run = RunCli({L"status", L"--fonts-key", KeyOption(key), here.file, there.file, none.file, missing});
    EXPECT_EQ(run.exitCode, 1) << "one file cannot be read";
    auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out << run.err;
    EXPECT_EQ(lines[0], StatusLine(here.file, here.name, true, true, here.file, false));
    EXPECT_EQ(lines[1], StatusLine(there.file, there.name, true, false, L"D:\\Elsewhere\\there.ttf", false));
    EXPECT_EQ(lines[2], StatusLine(none.file, none.name, false, false, L"", false));
    EXPECT_EQ(lines[3], StatusLine(missing, "", false, false, L"", false));

    // The system's own list knows nothing of a font made for this test.
    ProcessResult system = RunCli({L"status", none.file});
    EXPECT_EQ(system.exitCode, 0) << system.err;
    EXPECT_EQ(OnlyLine(system), StatusLine(none.file, none.name, false, false, L"", false));
}

TEST(CliLoad, LoadsOnlyWhatIsMissingAndKeepsItLoadedForOtherPrograms) {
    ScratchFolder dir(L"cli-load");
    TestFont font = WriteFont(dir, L"load.ttf", "Typorama Cli Load");
    TestFont idle = WriteFont(dir, L"idle.ttf", "Typorama Cli Idle");

    ProcessResult load = RunCli({L"load", font.file});
    EXPECT_EQ(load.exitCode, 0) << load.err;
    EXPECT_EQ(OnlyLine(load), ActionLine(font.file, font.name, "loaded", true));

    ProcessResult status = RunCli({L"status", font.file});
    EXPECT_EQ(OnlyLine(status), StatusLine(font.file, font.name, false, false, L"", true))
        << "still loaded after the loading run ended";
    ProcessResult again = RunCli({L"load", font.file});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(OnlyLine(again), ActionLine(font.file, font.name, "already-available", true));

    ProcessResult unload = RunCli({L"unload", font.file, idle.file});
    EXPECT_EQ(unload.exitCode, 1) << "the idle font was never loaded";
    auto lines = Lines(unload.out);
    ASSERT_EQ(lines.size(), 2u) << unload.out;
    EXPECT_EQ(lines[0], ActionLine(font.file, font.name, "unloaded", true));
    EXPECT_EQ(lines[1], ActionLine(idle.file, idle.name, "unload-failed", false));

    // A damaged file still has a record (with empty names), but no font loads from it.
    std::wstring broken = dir.Write(L"broken.ttf", {'n', 'o'});
    std::wstring missing = dir.Path() + L"missing.ttf";
    ProcessResult bad = RunCli({L"load", broken, missing});
    EXPECT_EQ(bad.exitCode, 1);
    lines = Lines(bad.out);
    ASSERT_EQ(lines.size(), 2u) << bad.out;
    EXPECT_EQ(lines[0], ActionLine(broken, "", "load-failed", false));
    EXPECT_EQ(lines[1], ActionLine(missing, "", "unreadable", false));
}

TEST(CliInstall, RegistersWhatItLoadedAndUninstallsOnlyItsOwnEntry) {
    ScratchFolder dir(L"cli-install");
    ScratchKey key(L"cli-install");
    TestFont font = WriteFont(dir, L"install.ttf", "Typorama Cli Install");
    TestFont idle = WriteFont(dir, L"idle.ttf", "Typorama Cli Install Idle");
    const std::wstring value = win::Utf8ToWide(font.name) + L" (TrueType)";
    const std::wstring idleValue = win::Utf8ToWide(idle.name) + L" (TrueType)";

    ProcessResult install = RunCli({L"install", L"--fonts-key", KeyOption(key), font.file});
    EXPECT_EQ(install.exitCode, 0) << install.err;
    EXPECT_EQ(OnlyLine(install), ActionLine(font.file, font.name, "installed", true));
    EXPECT_EQ(Stored(key, value), font.file) << "a file outside the fonts folder is stored with its path";
    ProcessResult status = RunCli({L"status", L"--fonts-key", KeyOption(key), font.file});
    EXPECT_EQ(OnlyLine(status), StatusLine(font.file, font.name, true, true, font.file, true));

    ProcessResult uninstall = RunCli({L"uninstall", L"--fonts-key", KeyOption(key), font.file});
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.err;
    EXPECT_EQ(OnlyLine(uninstall), UninstallLine(font.file, font.name, "uninstalled", true, true, value));
    EXPECT_EQ(Stored(key, value), L"<none>");

    // Loaded, but the entry belongs to another file: unloaded, entry kept.
    key.SetString(L"", value, L"D:\\Other\\install.ttf");
    ASSERT_EQ(RunCli({L"load", font.file}).exitCode, 0);
    ProcessResult foreign = RunCli({L"uninstall", L"--fonts-key", KeyOption(key), font.file});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_EQ(OnlyLine(foreign), UninstallLine(font.file, font.name, "registered-elsewhere", false, true));
    EXPECT_EQ(Stored(key, value), L"D:\\Other\\install.ttf");
    ProcessResult taken = RunCli({L"install", L"--fonts-key", KeyOption(key), font.file});
    EXPECT_EQ(OnlyLine(taken), ActionLine(font.file, font.name, "registered-elsewhere", false))
        << "nor does installing take another file's entry over";
    EXPECT_EQ(Stored(key, value), L"D:\\Other\\install.ttf");

    // Not loaded: nothing to unload, the entry goes all the same.
    key.SetString(L"", idleValue, idle.file);
    ProcessResult notLoaded = RunCli({L"uninstall", L"--fonts-key", KeyOption(key), idle.file});
    EXPECT_EQ(notLoaded.exitCode, 0) << notLoaded.err;
    EXPECT_EQ(OnlyLine(notLoaded), UninstallLine(idle.file, idle.name, "unregistered", true, false, idleValue));
    EXPECT_EQ(Stored(key, idleValue), L"<none>");
    ProcessResult again = RunCli({L"uninstall", L"--fonts-key", KeyOption(key), idle.file});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(OnlyLine(again), UninstallLine(idle.file, idle.name, "not-installed", false, false));

    // The file is gone: every entry that points at it goes, whatever its name.
    key.SetString(L"", idleValue, idle.file);
    key.SetString(L"", L" (TrueType)", idle.file);
    key.SetString(L"", L"Kept (TrueType)", dir.Path() + L"kept.ttf");
    ASSERT_TRUE(DeleteFileW(idle.file.c_str()));
    ProcessResult gone = RunCli({L"uninstall", L"--fonts-key", KeyOption(key), idle.file});
    EXPECT_EQ(gone.exitCode, 0) << gone.err;
    EXPECT_NE(OnlyLine(gone).find("\"action\": \"unregistered\", \"ok\": true, \"unloaded\": false"), std::string::npos)
        << gone.out;
    EXPECT_NE(gone.out.find("\"" + Json(idleValue) + "\""), std::string::npos) << gone.out;
    EXPECT_NE(gone.out.find("\" (TrueType)\""), std::string::npos) << gone.out;
    EXPECT_EQ(Stored(key, idleValue), L"<none>");
    EXPECT_EQ(Stored(key, L" (TrueType)"), L"<none>");
    EXPECT_EQ(Stored(key, L"Kept (TrueType)"), dir.Path() + L"kept.ttf");

    // A file without a name is neither loaded nor registered; one that cannot
    // be read at all is not either.
    std::wstring broken = dir.Write(L"broken.ttf", {'n', 'o'});
    std::wstring missing = dir.Path() + L"missing.ttf";
    std::wstring nameless = dir.Write(L"nameless.ttf", BuildFont(FontSpec{}));
    ProcessResult bad = RunCli({L"install", L"--fonts-key", KeyOption(key), broken, missing, nameless});
    EXPECT_EQ(bad.exitCode, 1);
    auto lines = Lines(bad.out);
    ASSERT_EQ(lines.size(), 3u) << bad.out;
    EXPECT_EQ(lines[0], ActionLine(broken, "", "no-full-name", false));
    EXPECT_EQ(lines[1], ActionLine(missing, "", "unreadable", false));
    EXPECT_EQ(lines[2], ActionLine(nameless, "", "no-full-name", false));
    EXPECT_EQ(Stored(key, L" (TrueType)"), L"<none>");
}

TEST(CliRegistryUsage, RejectsMissingPathsAndBadOptions) {
    for (const wchar_t* command : {L"status", L"load", L"unload", L"install", L"uninstall"}) {
        ProcessResult run = RunCli({command});
        EXPECT_EQ(run.exitCode, 2) << win::WideToUtf8(command);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(RunCli({L"install", L"--fonts-key", L"HKXX\\Software\\X", L"a.ttf"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"install", L"--fonts-key", L"HKCU", L"a.ttf"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"status", L"--fonts-key"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"load", L"--quietly", L"a.ttf"}).exitCode, 2);

    ProcessResult help = RunCli({L"--help"});
    for (const char* text : {"status [--fonts-key KEY] PATH...", "install [--fonts-key KEY]", "\"action\"",
                             "stay loaded after typorama-cli exits"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace typorama::test
