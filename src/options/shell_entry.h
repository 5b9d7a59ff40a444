// The "用 Typorama 浏览" entry of the shell's context menu for folders and
// drives: whether it is there, writing it, removing it.
//
// The entry goes to the current user's classes (HKCU\Software\Classes),
// which the shell merges into HKEY_CLASSES_ROOT: writing the machine's
// classes needs administrator rights. Older versions wrote it there, so
// removal clears both places. The program path is written in quotes: an
// unquoted path with blanks ("C:\Program Files\...") is split by the shell,
// which would run C:\Program.exe first.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::options {

// A place holding shell classes: a registry root and the path below it.
struct ClassesKey {
    HKEY root;
    std::wstring path;
};

struct ShellEntryPlaces {
    ClassesKey user{HKEY_CURRENT_USER, L"Software\\Classes"};  // where the entry is written
    ClassesKey machine{HKEY_CLASSES_ROOT, L""};                // the merged view: looked at and cleared
};

// The command value: the quoted program path, a blank and "%L" in quotes.
std::wstring ShellCommandFor(const std::wstring& program);
// Whether a stored command starts `program`: the quoted form or the old
// unquoted one, letter case ignored.
bool IsShellCommandFor(const std::wstring& command, const std::wstring& program);

// Present when either place's Directory\Shell\Typorama\Command starts `program`.
bool ShellEntryPresent(const std::wstring& program, const ShellEntryPlaces& places = {});

// What failed while changing the entry: the key and the system's error.
struct ShellEntryFailure {
    std::wstring key;
    LSTATUS error = ERROR_SUCCESS;
    explicit operator bool() const { return error != ERROR_SUCCESS; }
};

// Writes the entry for folders and drives into the user's classes; the
// first failure is returned, the other keys are still tried.
// `caption` is the entry's text in the shell's menu.
ShellEntryFailure RegisterShellEntry(const std::wstring& program, const std::wstring& caption,
                                     const ShellEntryPlaces& places = {});
// Deletes the entry from both places; a missing key is no failure.
ShellEntryFailure RemoveShellEntry(const ShellEntryPlaces& places = {});

}  // namespace typorama::options
