// What the repair wizard and the fonts-folder view do to the system: the
// invalid entries of the installed-font lists (the machine's and, where the
// system has one, the per-user one) and their removal, the shell registration
// of the fonts folder's special view and its desktop.ini entry, and the font
// cache of the old systems. Every step takes the key or folder it works on,
// with the real one as the default, and returns the system's error code so
// that no refusal passes for success.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalog/system_locations.h"

namespace typorama::tools {

// The installed-font list an entry is in.
enum class FontListKind { Machine, PerUser };

struct Registration {
    FontListKind list = FontListKind::Machine;
    std::wstring valueName;
    std::wstring stored;  // the value's text as stored
};

// The kind of the drive whose root is given (GetDriveTypeW's answer); tests
// say which of their drives are removable.
using DriveTypeOf = std::function<UINT(const std::wstring& root)>;
UINT SystemDriveType(const std::wstring& root);

// The invalid entries of both lists, the machine's first, each walked from
// its last value to its first. A bare file name is taken from the fonts
// folder. A list whose key cannot be opened has none; values that are not
// text are no entries of a font file and are left alone.
std::vector<Registration> FindInvalidRegistrations(bool includeRemovable,
                                                   const catalog::SystemLocations& where = catalog::Locations(),
                                                   const DriveTypeOf& driveType = SystemDriveType);

// The entries that could not be removed, with the system's reason.
struct RemovalFailure {
    Registration entry;
    LSTATUS error = ERROR_SUCCESS;
};
// Removes each entry from the list it is in; an entry gone already counts as removed.
std::vector<RemovalFailure> RemoveRegistrations(const std::vector<Registration>& entries,
                                                const catalog::SystemLocations& where = catalog::Locations());

// Writes the shell's class keys of the fonts folder below `classesRoot`;
// the first failure's code, ERROR_SUCCESS when every value was written.
LSTATUS WriteFontsFolderClass(HKEY classesRoot = HKEY_CLASSES_ROOT);

// desktop.ini of a folder (ending with a backslash).
std::wstring DesktopIniOf(const std::wstring& folder);
// Writes the special view's entry into the folder's desktop.ini, creating it if needed.
DWORD WriteFontsViewEntry(const std::wstring& folder);
// Takes the special view's entry out of the folder's desktop.ini, keeping
// its other entries; deletes the file only when nothing else remains in it.
// ERROR_SUCCESS also when there is no file or no entry.
DWORD RemoveFontsViewEntry(const std::wstring& folder);

// The font cache file of the old systems, in the Windows folder (ending with a backslash).
inline constexpr wchar_t kFontCacheFile[] = L"ttfCache";
// Clears the cache file's attributes and deletes it.
DWORD DeleteFontCache(const std::wstring& windowsFolder);

}  // namespace typorama::tools
