// The text of a window or control.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace typorama::win {

// Empty for a null window or one without text.
inline std::wstring WindowText(HWND window) {
    if (!window) return {};
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
    return text;
}

}  // namespace typorama::win
