// A small tip window in the system's tip colours that shows one text near
// the mouse, without taking the focus (the hint of a Ctrl-drag of the list's
// scroll box).
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_base.h"

namespace typorama::ui {

class HintWindow : public Window<HintWindow> {
public:
    static constexpr wchar_t kClassName[] = L"TyporamaHintWindow";
    static void DescribeClass(WNDCLASSEXW& wc);

    // `font` is used for the text (the system's default GUI font when null).
    explicit HintWindow(HFONT font, int maxWidth);
    ~HintWindow() override;

    HWND Handle() const { return window_; }
    const std::wstring& Text() const { return text_; }
    // The size the text needs, wrapped at the maximum width.
    SIZE Measure(const std::wstring& text) const;
    // Shows `text` with the window's top left corner at `screenPoint`.
    void Show(const std::wstring& text, POINT screenPoint);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    HFONT font_;
    int maxWidth_;
    std::wstring text_;
};

}  // namespace typorama::ui
