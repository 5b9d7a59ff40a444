// The one way the program reaches the registry: keys opened or created with the
// system's reason when that fails, typed reads through RegGetValueW, writes,
// deletions and the names below a key. Every reader and writer of the settings
// tree, the installed-font list and the start-up values goes through here.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/unique_handle.h"

namespace typorama::win {

// An open key, or the system's error code telling why there is none.
struct OpenedKey {
    UniqueKey key;
    LSTATUS error = ERROR_SUCCESS;

    explicit operator bool() const { return static_cast<bool>(key); }
    HKEY get() const { return key.get(); }
};

enum class KeyMode {
    OpenExisting,
    CreateIfMissing,  // missing keys along the path are made
};

// Opens root\path (a new handle to root itself for an empty path) with `access`.
OpenedKey OpenKey(HKEY root, std::wstring_view path, REGSAM access, KeyMode mode = KeyMode::OpenExisting);
bool KeyExists(HKEY root, std::wstring_view path);

// Type restrictions of the string reads (RRF_RT_* flags).
inline constexpr DWORD kStringTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ;
inline constexpr std::size_t kAnyLength = static_cast<std::size_t>(-1);

// The text of a string value up to its first NUL. An expandable string is read
// as stored, never expanded: its variables are the user's to resolve. nullopt
// when the value is missing or not of `types`, or when its text with a
// terminating NUL takes more than maxChars characters.
std::optional<std::wstring> ReadString(HKEY key, std::wstring_view name, std::size_t maxChars = kAnyLength,
                                       DWORD types = kStringTypes);

// A value's type and its size in bytes as stored; nullopt when it is missing.
struct ValueInfo {
    DWORD type = REG_NONE;
    DWORD size = 0;
};
std::optional<ValueInfo> QueryValue(HKEY key, std::wstring_view name);

// A value's type and bytes exactly as stored, whatever the type: RegGetValueW
// would add a NUL to a string stored without one and refuses some types, which
// a copy of the registry (the settings export) must keep as they are. nullopt
// when the value is missing or larger than maxBytes.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};
std::optional<RawValue> ReadRawValue(HKEY key, std::wstring_view name, std::size_t maxBytes = kAnyLength);

// Writes return the system's error code (ERROR_SUCCESS when done).
LSTATUS WriteValue(HKEY key, std::wstring_view name, DWORD type, const void* data, DWORD size);
LSTATUS WriteString(HKEY key, std::wstring_view name, std::wstring_view text);  // REG_SZ with its NUL
LSTATUS DeleteValue(HKEY key, std::wstring_view name);
// root\path with everything below it.
LSTATUS DeleteTree(HKEY root, std::wstring_view path);

// The names of the values or subkeys of a key, in the order the registry gives
// them; empty for no key.
std::vector<std::wstring> ValueNames(HKEY key);
std::vector<std::wstring> SubkeyNames(HKEY key);

}  // namespace typorama::win
