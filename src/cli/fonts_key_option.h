// The --fonts-key option every command that touches the installed-font list
// takes: the list given replaces the system's, and no per-user list is used.
#pragma once

#include <windows.h>

#include <string>

#include "catalog/system_locations.h"

namespace typorama::cli {

// "HKLM\Sub\Key" or "HKEY_CURRENT_USER\Sub\Key" (an installed-font list lives
// in one of these two hives) into `where`; false for anything else.
bool ApplyFontsKeyOption(const std::wstring& text, catalog::SystemLocations& where);

inline constexpr char kFontsKeyComplaint[] = "--fonts-key wants HKLM\\... or HKCU\\...\n";

}  // namespace typorama::cli
