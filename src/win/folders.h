// Folders on disk: whether a path names one, and the entries one holds. Every
// reader of folders goes through these.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>
#include <string_view>
#include <type_traits>

#include "win/unique_handle.h"

namespace typorama::win {

// An existing folder (a drive root counts); false for an empty path.
bool IsFolder(const std::wstring& path);
// An existing file that is not a folder; false for an empty path.
bool IsFile(const std::wstring& path);
// The short (8.3) form of an existing path; empty when the system has none.
std::wstring ShortPath(const std::wstring& path);
// The full path of the running program file (any length); empty when unknown.
std::wstring ProgramPath();
// The Windows folder, without a trailing backslash; empty when unknown.
std::wstring WindowsFolder();

enum class EntryKind { Any, Files, Folders };

// Calls `visit(const WIN32_FIND_DATAW&)` for each entry of `folder` whose
// name matches `wildcard` ("*", "*.ttf") and that is of the kind asked; "."
// and ".." are left out. A `visit` that returns bool stops the listing with
// false.
template <typename Visit>
void ForEachFolderEntry(const std::wstring& folder, std::wstring_view wildcard, EntryKind kind, Visit visit) {
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += wildcard;
    WIN32_FIND_DATAW data;
    // Limiting the search to folders is a hint the file system may ignore;
    // the attribute decides below.
    const UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                           kind == EntryKind::Folders ? FindExSearchLimitToDirectories
                                                                      : FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0)) continue;
        if ((kind == EntryKind::Files && isFolder) || (kind == EntryKind::Folders && !isFolder)) continue;
        const WIN32_FIND_DATAW& entry = data;
        if constexpr (std::is_same_v<std::invoke_result_t<Visit&, const WIN32_FIND_DATAW&>, bool>) {
            if (!visit(entry)) return;
        } else {
            visit(entry);
        }
    } while (FindNextFileW(find.get(), &data));
}

}  // namespace typorama::win
