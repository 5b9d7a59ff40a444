#include "ui/button_edit.h"

#include <windowsx.h>

#include <algorithm>

#include "win/gdi.h"

namespace typorama::ui {

bool ThButtonEdit::AttachEdit(HWND edit) {
    if (!Attach(edit)) return false;
    // The frame is measured anew with the button's room taken off the client area.
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

int ThButtonEdit::ButtonWidth() const {
    const UINT dpi = window_ ? GetDpiForWindow(window_) : 0;
    return GetSystemMetricsForDpi(SM_CXVSCROLL, dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
}

RECT ThButtonEdit::ButtonRect() const {
    RECT button{};
    if (!window_) return button;
    RECT client{};
    GetClientRect(window_, &client);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return RECT{client.right, client.top, client.right + ButtonWidth(), client.bottom};
}

bool ThButtonEdit::OverButton(POINT screen) const {
    const RECT button = ButtonRect();
    return PtInRect(&button, screen) != FALSE;
}

void ThButtonEdit::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    PaintButton();
}

void ThButtonEdit::PaintButton() {
    if (!window_) return;
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    RECT button = ButtonRect();
    OffsetRect(&button, -bounds.left, -bounds.top);
    win::FrameDC dc(window_);
    if (!dc.get()) return;
    DrawFrameControl(dc.get(), &button, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    // Three dots of two pixels near the bottom, moved with the face when pressed.
    const UINT dpi = GetDpiForWindow(window_);
    const int dot = MulDiv(2, dpi ? static_cast<int>(dpi) : 96, 96);
    const int shift = pressed_ ? 1 : 0;
    const int centre = (button.left + button.right) / 2 + shift;
    const int top = button.bottom - 3 * dot - 1 + shift;
    const HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
    for (int i = -1; i <= 1; ++i) {
        const int left = centre + i * 2 * dot - dot / 2;
        const RECT square{left, top, left + dot, top + dot};
        FillRect(dc.get(), &square, brush);
    }
}

void ThButtonEdit::Click() {
    if (OnButtonClick) OnButtonClick();
}

LRESULT ThButtonEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            RECT& client = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
            client.right = std::max(client.left, client.right - ButtonWidth());
            return result;
        }
        case WM_NCPAINT: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            PaintButton();
            return result;
        }
        case WM_NCHITTEST: {
            const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            // HTBORDER: no sizing, the arrow cursor, and clicks come as non-client messages.
            if (OverButton(screen)) return HTBORDER;
            break;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: {
            const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!OverButton(screen)) break;
            if (GetFocus() != window_) SetFocus(window_);
            tracking_ = true;
            SetCapture(window_);
            SetPressed(true);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (tracking_) {
                POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                ClientToScreen(window_, &screen);
                SetPressed(OverButton(screen));
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (tracking_) {
                const bool click = pressed_;
                tracking_ = false;
                ReleaseCapture();  // WM_CAPTURECHANGED draws the button up
                if (click) Click();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            tracking_ = false;
            SetPressed(false);
            break;
        case WM_GETDLGCODE: {
            const LRESULT code = DefaultHandling(message, wParam, lParam);
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return code | DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                Click();
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') return 0;  // a single-line edit would beep
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::ui
