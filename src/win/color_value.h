// The program's colour values: an RGB value (0x00BBGGRR), or 0x80000000 + n
// for the system colour n, resolved only when drawing so that a change of the
// system's colours shows at the next paint.
#pragma once

#include <windows.h>

#include <cstdint>

namespace typorama::win {

inline constexpr std::uint32_t kSystemColorValue = 0x80000000u;

inline constexpr std::uint32_t SystemColorValue(int index) {
    return kSystemColorValue | static_cast<std::uint32_t>(index);
}

inline COLORREF ResolveColorValue(std::uint32_t value) {
    if (value & kSystemColorValue) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFF);
}

}  // namespace typorama::win
