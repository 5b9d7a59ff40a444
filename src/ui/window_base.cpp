#include "ui/window_base.h"

namespace typorama::ui {
namespace {

// Names the object on its window for the parent's reflection, whatever kind
// of binding the window has.
constexpr wchar_t kObjectProperty[] = L"Typorama.BoundWindow";

constexpr UINT_PTR kSubclassId = 0x5459;  // "TY"

// The control a notification to `parent` came from, or null.
HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    switch (message) {
        case WM_COMMAND:  // null for menus and accelerators
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header ? header->hwndFrom : nullptr;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
        }
        case WM_MEASUREITEM: {
            // The message names no window: the control is the child with its id.
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            return item && item->CtlType != ODT_MENU ? GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
        }
        default:
            return nullptr;
    }
}

}  // namespace

BoundWindow* BoundWindow::FromHandle(HWND window) {
    // A message may name any window, even another program's: only this
    // thread's windows can hold one of its objects.
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return nullptr;
    return static_cast<BoundWindow*>(GetPropW(window, kObjectProperty));
}

bool BoundWindow::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
    const HWND control = NotifyingControl(window_, message, wParam, lParam);
    if (!control || control == window_) return false;
    BoundWindow* target = FromHandle(control);
    return target && target->OnReflected(message, wParam, lParam, result);
}

void BoundWindow::Bind(HWND window) {
    window_ = window;
    SetPropW(window, kObjectProperty, this);
}

void BoundWindow::Unbind(HWND window) {
    RemovePropW(window, kObjectProperty);
    if (window_ == window) window_ = nullptr;
}

bool SubclassedWindow::CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int width,
                                     int height, HWND parent, int id) {
    const HWND control = CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent, ControlId(id),
                                         GetModuleHandleW(nullptr), nullptr);
    if (!control) return false;
    if (Attach(control)) return true;
    DestroyWindow(control);
    return false;
}

bool SubclassedWindow::Attach(HWND control) {
    if (!control || window_ || FromHandle(control)) return false;
    if (!SetWindowSubclass(control, &SubclassedWindow::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Bind(control);
    return true;
}

void SubclassedWindow::Detach() {
    const HWND control = window_;
    if (!control) return;
    if (IsWindow(control)) RemoveWindowSubclass(control, &SubclassedWindow::Procedure, kSubclassId);
    Unbind(control);
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedWindow*>(data);
    // Removed first, as the common controls ask; DefSubclassProc still
    // reaches the control's own procedure afterwards.
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &SubclassedWindow::Procedure, id);
    const LRESULT result = GuardSystemCall(
        [&] {
            LRESULT reflected = 0;
            if (self->ReflectToControl(message, wParam, lParam, reflected)) return reflected;
            return self->HandleMessage(message, wParam, lParam);
        },
        [&] { return DefSubclassProc(window, message, wParam, lParam); });
    if (message == WM_NCDESTROY) self->Unbind(window);
    return result;
}

}  // namespace typorama::ui
