// The shell's folder entry in scratch classes keys: written per user with the
// program path in quotes, found in either form, removed from both places,
// and a failure to write reported.
#include "options/shell_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scratch.h"
#include "win/registry.h"

namespace typorama::options {
namespace {

std::wstring Stored(const ClassesKey& place, const std::wstring& path) {
    const win::OpenedKey key = win::OpenKey(place.root, place.path + L"\\" + path, KEY_QUERY_VALUE);
    return key ? win::ReadString(key.get(), L"").value_or(L"<none>") : L"<no key>";
}

TEST(ShellEntry, RoundTripWritesTheQuotedPathPerUserAndRemovesBothPlaces) {
    const test::ScratchKey user(L"shell-entry-user");
    const test::ScratchKey machine(L"shell-entry-machine");
    const ShellEntryPlaces places{{HKEY_CURRENT_USER, user.SubKey()}, {HKEY_CURRENT_USER, machine.SubKey()}};
    const std::wstring program = L"C:\\Program Files\\字体 工具\\typorama.exe";
    const std::wstring quoted = L"\"C:\\Program Files\\字体 工具\\typorama.exe\" \"%L\"";

    EXPECT_FALSE(ShellEntryPresent(program, places));
    EXPECT_FALSE(RegisterShellEntry(program, L"用 Typorama 浏览", places));
    for (const wchar_t* kind : {L"Directory", L"Drive"}) {
        EXPECT_EQ(Stored(places.user, std::wstring(kind) + L"\\Shell\\Typorama\\Command"), quoted) << kind;
        EXPECT_EQ(Stored(places.user, std::wstring(kind) + L"\\Shell\\Typorama"), L"用 Typorama 浏览") << kind;
    }
    EXPECT_FALSE(win::KeyExists(HKEY_CURRENT_USER, machine.SubKey() + L"\\Directory"));
    EXPECT_TRUE(ShellEntryPresent(program, places));
    EXPECT_TRUE(ShellEntryPresent(L"c:\\program files\\字体 工具\\TYPORAMA.EXE", places));
    // The program was moved: the entry no longer starts it.
    EXPECT_FALSE(ShellEntryPresent(L"D:\\Typorama\\typorama.exe", places));

    // An older version wrote the unquoted form into the machine's classes.
    ASSERT_FALSE(RemoveShellEntry(places));
    EXPECT_FALSE(ShellEntryPresent(program, places));
    machine.SetString(L"Directory\\Shell\\Typorama\\Command", L"", program + L" \"%L\"");
    machine.SetString(L"Drive\\Shell\\Typorama\\Command", L"", program + L" \"%L\"");
    EXPECT_TRUE(ShellEntryPresent(program, places));
    EXPECT_FALSE(RemoveShellEntry(places));
    for (const ClassesKey& place : {places.user, places.machine})
        for (const wchar_t* kind : {L"Directory", L"Drive"})
            EXPECT_FALSE(win::KeyExists(place.root, place.path + L"\\" + kind + L"\\Shell\\Typorama")) << kind;
    EXPECT_FALSE(ShellEntryPresent(program, places));

    EXPECT_FALSE(RegisterShellEntry(program, L"用 Typorama 浏览", places));
    EXPECT_TRUE(ShellEntryPresent(program, places));
}

TEST(ShellEntry, FailuresAreReportedWithTheirKey) {
    // A root the registry refuses stands for classes the user may not change.
    const auto refused = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7FFF0000));
    const ShellEntryPlaces places{{refused, L"Classes"}, {refused, L""}};
    const ShellEntryFailure written = RegisterShellEntry(L"C:\\typorama.exe", L"用 Typorama 浏览", places);
    EXPECT_NE(written.error, ERROR_SUCCESS);
    EXPECT_EQ(written.key, L"Classes\\Directory\\Shell\\Typorama");
    const ShellEntryFailure removed = RemoveShellEntry(places);
    EXPECT_NE(removed.error, ERROR_SUCCESS);
    EXPECT_EQ(removed.key, L"Classes\\Directory\\Shell\\Typorama");
}

}  // namespace
}  // namespace typorama::options
