// Small registry reads used before the settings store exists: start-up values.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace typorama::win {

// A string value (REG_SZ or REG_EXPAND_SZ, not expanded) of root\subKey; nullopt
// when the key or value is missing, of another type, or longer than maxBytes.
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey,
                                               const std::wstring& valueName, DWORD maxBytes = 65536);

}  // namespace typorama::win
