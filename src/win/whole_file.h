// Files read or written whole, in one call each way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace typorama::win {

// The file's bytes; nothing when it cannot be read or is larger than maxBytes
// (GetLastError tells; ERROR_FILE_TOO_LARGE for the latter).
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes);

// Creates or empties the file and writes the bytes; the system's error code,
// ERROR_SUCCESS when every byte was written (also set as the last error).
DWORD WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes);

}  // namespace typorama::win
