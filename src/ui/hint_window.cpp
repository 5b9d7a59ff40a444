#include "ui/hint_window.h"

#include "win/gdi.h"

namespace typorama::ui {
namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;
constexpr int kPaddingX = 3;
constexpr int kPaddingY = 2;

}  // namespace

void HintWindow::DescribeClass(WNDCLASSEXW& wc) {
    wc.style = CS_SAVEBITS | CS_DROPSHADOW;
    wc.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
}

HintWindow::HintWindow(HFONT font, int maxWidth) : font_(font), maxWidth_(maxWidth) {
    CreateBound(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr,
                nullptr);
}

HintWindow::~HintWindow() {
    if (window_) DestroyWindow(window_);
}

SIZE HintWindow::Measure(const std::wstring& text) const {
    win::WindowDC dc(window_);
    win::SelectedObject font(dc.get(), font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT bounds{0, 0, maxWidth_, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds, kTextFormat | DT_CALCRECT);
    RECT frame{0, 0, bounds.right + 2 * kPaddingX, bounds.bottom + 2 * kPaddingY};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void HintWindow::Show(const std::wstring& text, POINT screenPoint) {
    if (!window_) return;
    text_ = text;
    const SIZE size = Measure(text);
    SetWindowPos(window_, HWND_TOPMOST, screenPoint.x, screenPoint.y, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void HintWindow::Paint() {
    win::PaintDC paint(window_);
    const HDC dc = paint.get();
    if (!dc) return;
    RECT client{};
    GetClientRect(window_, &client);
    InflateRect(&client, -kPaddingX, -kPaddingY);
    win::SelectedObject font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &client, kTextFormat);
}

LRESULT HintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the mouse belongs to the window underneath
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace typorama::ui
