// A small tip window in the system's tip colours that shows one text near
// the mouse, without taking the focus (the hint of a Ctrl-drag of the list's
// scroll box).
#pragma once

#include <windows.h>

#include <string>

#include "win/unique_handle.h"

namespace typorama::ui {

class HintWindow {
public:
    // `font` is used for the text (the system's default GUI font when null).
    explicit HintWindow(HFONT font, int maxWidth);
    ~HintWindow();
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    HWND Handle() const { return window_; }
    const std::wstring& Text() const { return text_; }
    // The size the text needs, wrapped at the maximum width.
    SIZE Measure(const std::wstring& text) const;
    // Shows `text` with the window's top left corner at `screenPoint`.
    void Show(const std::wstring& text, POINT screenPoint);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HFONT font_;
    int maxWidth_;
    HWND window_ = nullptr;
    std::wstring text_;
};

}  // namespace typorama::ui
