#include "ui/dialog.h"

#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>

#include "win/resource_strings.h"

namespace typorama::ui {
namespace {

// Posted to a modal dialog once it is up, to hand it to the test hook.
constexpr UINT kRunModalHook = WM_APP + 0x3F0;

ModalHook& Hook() {
    static ModalHook hook;
    return hook;
}

}  // namespace

void SetModalHook(ModalHook hook) { Hook() = std::move(hook); }

const DLGTEMPLATE* DialogTemplate(UINT templateId) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = win::FindLocalizedResource(module, RT_DIALOG, MAKEINTRESOURCEW(templateId));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

Dialog::~Dialog() {
    if (window_ && !modal_) DestroyWindow(window_);
}

INT_PTR Dialog::ShowModal(HWND owner) {
    modal_ = true;
    const DLGTEMPLATE* dialogTemplate = DialogTemplate(templateId_);
    result_ = dialogTemplate ? DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, &Procedure,
                                                       reinterpret_cast<LPARAM>(this))
                             : -1;
    modal_ = false;
    return result_;
}

HWND Dialog::CreateModeless(HWND owner) {
    modal_ = false;
    const DLGTEMPLATE* dialogTemplate = DialogTemplate(templateId_);
    return dialogTemplate ? CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, &Procedure,
                                                       reinterpret_cast<LPARAM>(this))
                          : nullptr;
}

void Dialog::End(INT_PTR result) {
    result_ = result;
    if (!window_) return;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        DestroyWindow(window_);
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->Bind(window);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;
    LRESULT result = 0;
    const bool handled =
        GuardSystemCall([&] { return self->Dispatch(message, wParam, lParam, result); }, [] { return false; });
    const INT_PTR answer = handled ? SetDlgMsgResult(window, message, result) : FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->Unbind(window);
        GuardSystemCall([&] { self->OnDestroyed(); }, [] {});
    }
    return answer;
}

bool Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (ReflectToControl(message, wParam, lParam, result)) return true;
    if (message != WM_INITDIALOG && message != kRunModalHook && HandleMessage(message, wParam, lParam, result))
        return true;
    switch (message) {
        case WM_INITDIALOG: {
            const bool defaultFocus = OnInitDialog();
            if (centered_) CenterWindow(window_, centerOver_);
            if (OnCreated) OnCreated();
            if (modal_ && Hook()) PostMessageW(window_, kRunModalHook, 0, 0);
            result = defaultFocus ? TRUE : FALSE;
            return true;
        }
        case kRunModalHook:
            if (Hook()) Hook()(*this);
            return true;
        case WM_COMMAND: {
            const int id = GET_WM_COMMAND_ID(wParam, lParam);
            if (OnCommand(id, GET_WM_COMMAND_CMD(wParam, lParam), GET_WM_COMMAND_HWND(wParam, lParam))) return true;
            if (id == IDOK || id == IDCANCEL) {
                End(id);
                return true;
            }
            return false;
        }
        case WM_CLOSE:
            End(IDCANCEL);
            return true;
        default:
            return false;
    }
}

void CenterWindow(HWND window, HWND over) {
    RECT area{};
    if (over && IsWindowVisible(over) && !IsIconic(over)) {
        GetWindowRect(over, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    int left = area.left + (area.right - area.left) / 2 - width / 2;
    int top = area.top + (area.bottom - area.top) / 2 - height / 2;
    // An owner near the screen's edge must not push the window off it: its
    // caption in particular stays on the monitor's work area.
    const RECT placed{left, top, left + width, top + height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - width));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CreateAndShowForm(Dialog& dialog, HWND owner, bool waitCursor, int flags) {
    HCURSOR previous = nullptr;
    if (waitCursor) previous = SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    if (flags & kCenterOnOwner) {
        dialog.CenterOver(owner);
    } else if (flags & kCenterOnScreen) {
        dialog.CenterOver(nullptr);
    }
    if (flags & kShowModal) {
        // The cursor goes back once the window exists, before its modal loop.
        dialog.OnCreated = [&] {
            if (waitCursor) SetCursor(previous);
        };
        const INT_PTR result = dialog.ShowModal(owner);
        dialog.OnCreated = nullptr;
        if (waitCursor) SetCursor(previous);
        return result;
    }
    const HWND window = dialog.CreateModeless(owner);
    if (waitCursor) SetCursor(previous);
    if (window && (flags & kShowModeless)) ShowWindow(window, SW_SHOW);
    return 0;
}

bool ColorLikeTabPane(HDC dc, LRESULT& result) {
    if (!IsAppThemed()) return false;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

}  // namespace typorama::ui
