#include "ui/font_listing_dialog.h"

#include <algorithm>

#include "win/gdi.h"

namespace typorama::ui {
namespace {

RECT ChildRect(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Height of `text` word-wrapped to `width` in the control's font.
int WrappedHeight(HWND control, const std::wstring& text, int width) {
    if (text.empty()) return 0;
    win::WindowDC dc(control);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    win::SelectedObject select(dc.get(), font);
    RECT r{0, 0, width, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return r.bottom - r.top;
}

}  // namespace

bool TfrmFontListing::OnInitDialog() {
    SetWindowTextW(Handle(), Caption.c_str());
    SetWindowTextW(Item(IDC_LISTING_TOP), TopText.c_str());
    SetWindowTextW(Item(IDC_LISTING_BOTTOM), BottomText.c_str());
    std::wstring lines;
    for (const std::wstring& name : Names) {
        if (!lines.empty()) lines += L"\r\n";
        lines += name;
    }
    SetWindowTextW(Item(IDC_LISTING_FONTS), lines.c_str());
    for (int i = 0; i < 3; ++i) {
        const HWND button = Item(IDC_LISTING_BUTTON1 + i);
        SetWindowTextW(button, ButtonCaptions[static_cast<std::size_t>(i)].c_str());
        EnableWindow(button, ButtonEnabled[static_cast<std::size_t>(i)]);
        if (ButtonCaptions[static_cast<std::size_t>(i)].empty()) ShowWindow(button, SW_HIDE);
    }
    Layout();
    // The focus starts on the first button that can be pressed.
    for (int i = 0; i < 3; ++i) {
        const HWND button = Item(IDC_LISTING_BUTTON1 + i);
        if (!ButtonCaptions[static_cast<std::size_t>(i)].empty() && IsWindowEnabled(button)) {
            SendMessageW(Handle(), DM_SETDEFID, static_cast<WPARAM>(IDC_LISTING_BUTTON1 + i), 0);
            SetFocus(button);
            return false;
        }
    }
    return true;
}

// Top text, list, bottom text and buttons, one under the other; the texts
// take the height their wrapped lines need.
void TfrmFontListing::Layout() {
    const HWND dialog = Handle();
    RECT margin{7, 7, 4, 4};  // dialog units: outer margin, gap
    MapDialogRect(dialog, &margin);
    const int gap = margin.right;
    RECT top = ChildRect(dialog, Item(IDC_LISTING_TOP));
    RECT fonts = ChildRect(dialog, Item(IDC_LISTING_FONTS));
    RECT bottom = ChildRect(dialog, Item(IDC_LISTING_BOTTOM));
    const int width = top.right - top.left;

    int y = margin.top;
    const int topHeight = WrappedHeight(Item(IDC_LISTING_TOP), TopText, width);
    MoveWindow(Item(IDC_LISTING_TOP), top.left, y, width, topHeight, FALSE);
    if (topHeight > 0) y += topHeight + gap;
    const int fontsHeight = fonts.bottom - fonts.top;
    MoveWindow(Item(IDC_LISTING_FONTS), fonts.left, y, width, fontsHeight, FALSE);
    y += fontsHeight + gap;
    const int bottomHeight = WrappedHeight(Item(IDC_LISTING_BOTTOM), BottomText, width);
    MoveWindow(Item(IDC_LISTING_BOTTOM), bottom.left, y, width, bottomHeight, FALSE);
    if (bottomHeight > 0) y += bottomHeight;
    y += margin.top;

    // Buttons right-aligned in their order, the hidden ones leaving no hole.
    int right = top.right;
    int buttonHeight = 0;
    for (int i = 2; i >= 0; --i) {
        const HWND button = Item(IDC_LISTING_BUTTON1 + i);
        if (ButtonCaptions[static_cast<std::size_t>(i)].empty()) continue;
        const RECT r = ChildRect(dialog, button);
        const int w = r.right - r.left;
        buttonHeight = std::max(buttonHeight, static_cast<int>(r.bottom - r.top));
        MoveWindow(button, right - w, y, w, r.bottom - r.top, FALSE);
        right -= w + gap;
    }
    y += buttonHeight + margin.top;

    RECT client{};
    GetClientRect(dialog, &client);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int extra = (frame.bottom - frame.top) - client.bottom;
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, y + extra, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
}

bool TfrmFontListing::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id >= IDC_LISTING_BUTTON1 && id <= IDC_LISTING_BUTTON3) {
        // A disabled button cannot be pressed; a stray message must not act for it.
        if (!IsWindowEnabled(Item(id))) return true;
        End(id);
        return true;
    }
    if (id == IDCANCEL) {
        End(CancelResult());
        return true;
    }
    if (id == IDOK) return true;  // Enter without a default button does nothing
    return false;
}

bool TfrmFontListing::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam, (void)lParam;
    if (message == WM_CLOSE) {
        End(CancelResult());
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace typorama::ui
