// The facts of the system-information report, asked of the running system,
// and the report itself with the string table's patterns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "charmap/system_report.h"

namespace typorama::charmap {

// The facts of the requested sections. `files` lists the files whose version
// is reported (the system folder's ComCtl32.dll when empty); `extraFile`, when
// not empty, follows them.
SystemFacts GatherSystemFacts(unsigned sections, const std::vector<std::wstring>& files = {},
                              const std::wstring& extraFile = {});

// The report's line patterns from the string table.
SystemTexts LoadSystemTexts();

// BuildSystemReport over the running system's facts.
std::wstring SystemReport(unsigned sections, const std::vector<std::wstring>& files = {},
                          const std::wstring& extraFile = {});

// The version text of the registry: the values `Version`, `VersionNumber`,
// `SubVersionNumber` (and `Plus! VersionNumber` on a line of its own) of
// `windowsKey`. Systems of the NT family have none of them; there the product
// name, display version and build of `ntKey` take their places.
std::wstring RegistryVersionText(HKEY root = HKEY_LOCAL_MACHINE,
                                 const std::wstring& windowsKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                 const std::wstring& ntKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");

// The names of the installed printers (local and connected), in the
// system's order.
std::vector<std::wstring> InstalledPrinters();

}  // namespace typorama::charmap
