// The system's list of installed fonts (registry values of the fonts key, one per
// font: "<full name> (TrueType)" = file) and the system font table (fonts loaded
// for this logon). Every call opens the key for that one call: nothing is cached,
// since other programs change both at any time.
#pragma once

#include <windows.h>

#include <string>

#include "catalog/system_locations.h"

namespace typorama::catalog {

struct InstallState {
    bool installed = false;       // an entry exists under any of the three name forms
    bool fromThisFile = false;    // ... and it points at the file asked about
};

// Entry lookup tries "<name> (TrueType)", "<name> (True Type)", then "<name>".
bool IsInstalled(const std::wstring& name, const std::wstring& file = {},
                 const SystemLocations& where = Locations());
InstallState GetInstallState(const std::wstring& name, const std::wstring& file,
                             const SystemLocations& where = Locations());
// The entry's file as a full path (a bare file name completed with the fonts
// folder), or empty when there is no entry.
std::wstring RegisteredFile(const std::wstring& name, const SystemLocations& where = Locations());
// The stored text of "<name> (TrueType)" or "<name> (True Type)", unchanged (not
// the bare name form); empty when there is none.
std::wstring LookupFileName(const std::wstring& name, const SystemLocations& where = Locations());
// A bare file name completed with the fonts folder; a path is returned as it is.
std::wstring CompleteRegisteredFile(const std::wstring& stored, const SystemLocations& where = Locations());

bool RegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where = Locations());
bool UnregisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where = Locations());

// Adds or removes a font file to or from the system font table for this logon.
bool LoadFont(const std::wstring& file, const SystemLocations& where = Locations());
bool UnloadFont(const std::wstring& file, const SystemLocations& where = Locations());

// Whether the system font table has a font of this family with this full name.
bool IsFontAvailable(const std::wstring& familyName, const std::wstring& fullName);

// Tells every top-level window that the fonts changed; once per batch.
void BroadcastFontChange();

}  // namespace typorama::catalog
