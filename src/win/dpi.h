// Sizes given in pixels at 96 dpi, scaled for the monitor a window is on.
#pragma once

#include <windows.h>

#include "base/list_view_rules.h"

namespace typorama::win {

// `pixels` at 96 dpi in the pixels of `window`'s dpi (the program is
// per-monitor aware); unscaled when the window's dpi is unknown.
inline int ScaleForWindow(HWND window, int pixels) {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    return ScaleToDpi(pixels, dpi ? static_cast<int>(dpi) : 96);
}

}  // namespace typorama::win
