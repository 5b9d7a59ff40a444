// Export of registry keys as a registry script (.reg file), saved as "REGEDIT4"
// in the ANSI code page while every text fits it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/reg_script.h"
#include "settings/settings_store.h"

namespace typorama::settings {

// Appends the script sections of root\keyPath and, when `recursive`, of every
// key below it, depth first. False, with nothing appended, when `root` is not
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS, or the
// key cannot be opened for reading. A subkey that cannot be opened ends the
// export of its remaining siblings; the key's own result stays true.
bool ExportRegistryKey(HKEY root, std::wstring_view keyPath, bool recursive, std::wstring& text);

// The bytes of a .reg file for script sections (`body`, without a header):
// "REGEDIT4" in the ANSI code page, as the format is defined, when every
// character of the body survives that code page; otherwise "Windows Registry
// Editor Version 5.00" in UTF-16LE with a byte-order mark, so that a favourite
// folder or a sample string in another script is not lost.
std::string RegFileBytes(std::wstring_view body);

// Creates or truncates the file (write access, read sharing) and writes the
// bytes in one write. On failure returns false and leaves the system's error
// code in *error (when given) and in GetLastError().
bool SaveBytesToFile(std::string_view bytes, const std::wstring& fileName, DWORD* error = nullptr);

// What ExportSettingsToFile did.
struct SettingsExport {
    bool keyRead = false;          // false: the key could not be opened, the file holds a header alone
    bool unicode = false;          // written as version 5.00 in UTF-16LE (see RegFileBytes)
    DWORD error = ERROR_SUCCESS;   // of creating or writing the file
    bool Saved() const { return error == ERROR_SUCCESS; }
};

// Exports the settings tree, recursively, to a .reg file in the form
// RegFileBytes chooses.
SettingsExport ExportSettingsToFile(const std::wstring& fileName, const SettingsRoot& settings = ActiveSettingsRoot());

// The hive key for a hive of a script (HKEY_CURRENT_USER for CurrentUser ...).
HKEY HiveKey(RegHive hive);

}  // namespace typorama::settings
