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

// The font every control gets: the system's message font at `dpi`. A control
// left on the bitmap "System" font (or a dialog template's font) cannot
// borrow glyphs from linked fonts and shows boxes for Chinese text.
inline HFONT CreateMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) &&
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}
// The same at the dpi of the monitor `window` is on.
inline HFONT CreateMessageFontFor(HWND window) {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    return CreateMessageFont(dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
}

}  // namespace typorama::win
