// Export of registry keys as a "REGEDIT4" registry script, and saving that text
// in the ANSI code page, as the format is defined.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace typorama::settings {

// Appends the script sections of root\keyPath and, when `recursive`, of every
// key below it, depth first. False, with nothing appended, when `root` is not
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS, or the
// key cannot be opened for reading. A subkey that cannot be opened ends the
// export of its remaining siblings; the key's own result stays true.
bool ExportRegistryKey(HKEY root, std::wstring_view keyPath, bool recursive, std::wstring& text);

// The whole script of a settings tree: the header and the recursive export of
// `settings`. A key that cannot be opened gives the header alone.
std::wstring SettingsScript(const SettingsRoot& settings = ActiveSettingsRoot());

// Creates or truncates the file and writes the text's bytes in the ANSI code
// page (no byte-order mark) in one write. On failure returns false and leaves
// the system's error code in *error (when given) and in GetLastError().
bool SaveTextToFile(std::wstring_view text, const std::wstring& fileName, DWORD* error = nullptr);

}  // namespace typorama::settings
