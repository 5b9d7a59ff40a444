// The one way the program binds its windows to their C++ objects.
//
// Every window, dialog and subclassed control of the program is a
// BoundWindow: its object is stored on the window as the window is made,
// every message goes to a member handler, what the object leaves alone gets
// the window's default handling, and the binding is cleared at WM_NCDESTROY.
// There are three kinds:
//   Window<Derived>   a window of one of the program's own classes (each
//                     registered once), or of a superclass of a system
//                     class; bound at WM_NCCREATE from lpCreateParams;
//   ui::Dialog        a dialog template (ui/dialog.h); bound at WM_INITDIALOG,
//                     answers through SetDlgMsgResult;
//   SubclassedWindow  a system control, bound by the common controls'
//                     subclassing.
//
// A bound window reflects its controls' notifications (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_CHARTOITEM, WM_VKEYTOITEM) to the
// control's own object before it looks at them itself, so no parent hands
// them on by hand; controls turn them into callbacks.
//
// No exception crosses the system's code: the window procedures here are
// where exceptions stop (GuardSystemCall), and the message then gets its
// default handling.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace typorama::ui {

// Runs `body`, the part of a window procedure or of another callback of the
// system that may throw; when it throws, `fallback` answers instead. The one
// place where the program's exceptions stop.
template <typename Body, typename Fallback>
auto GuardSystemCall(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        // Unwinding into the system's frames would end the program; the
        // message is left to its default handling instead.
        return fallback();
    }
}

// A child window's id as CreateWindowEx takes it.
inline HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

class BoundWindow {
public:
    BoundWindow(const BoundWindow&) = delete;
    BoundWindow& operator=(const BoundWindow&) = delete;

    // The object bound to `window`, if the window is one of this thread's
    // and an object is bound to it.
    static BoundWindow* FromHandle(HWND window);

protected:
    BoundWindow() = default;
    virtual ~BoundWindow() = default;

    // A notification this window sent its parent, handed back by the
    // parent: true when answered, with the message's result in `result`.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }

    // As a parent: hands `message` to the object of the control it came
    // from; true when that object answered it.
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const;

    void Bind(HWND window);
    // The window is going (WM_NCDESTROY) or the object lets go of it.
    void Unbind(HWND window);

    HWND window_ = nullptr;
};

// A window of the program's own class `Derived`. Derived declares
//     static constexpr wchar_t kClassName[] = L"...";
//     static void DescribeClass(WNDCLASSEXW& wc);   // style, cursor, brush, icon
// and, for a superclass of a system class,
//     static constexpr wchar_t kSystemClass[] = L"LISTBOX";
// in which case DescribeClass gets the system class's description to change
// and messages left alone go to the system class's procedure.
template <typename Derived>
class Window : public BoundWindow {
protected:
    Window() = default;
    ~Window() override {
        // Normally the derived object destroyed its window already; a window
        // left over goes unbound, so that it never reaches this object again.
        if (const HWND window = window_) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            Unbind(window);
            DestroyWindow(window);
        }
    }

    // Creates the window bound to this object; the class is registered on
    // first use. Null when the window could not be made.
    HWND CreateBound(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menuOrId) {
        if (!Registered()) return nullptr;
        return CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, width, height, parent, menuOrId,
                               GetModuleHandleW(nullptr), static_cast<Window*>(this));
    }

    // The object's own handling of a message; messages it leaves alone go to
    // DefaultHandling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return window_ ? CallWindowProcW(DefaultProc(), window_, message, wParam, lParam) : 0;
    }

private:
    // Where messages the objects of this class leave alone go.
    static WNDPROC& DefaultProc() {
        static WNDPROC proc = &DefWindowProcW;
        return proc;
    }

    static bool Registered() {
        static const bool registered = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            if constexpr (requires { Derived::kSystemClass; }) {
                if (!GetClassInfoExW(nullptr, Derived::kSystemClass, &wc)) return false;
                DefaultProc() = wc.lpfnWndProc;
                wc.cbSize = sizeof wc;
            } else {
                wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            }
            wc.hInstance = GetModuleHandleW(nullptr);
            Derived::DescribeClass(wc);
            wc.lpfnWndProc = &Window::Procedure;
            wc.lpszClassName = Derived::kClassName;
            return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        }();
        return registered;
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Window* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (self) {
                SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
                self->Bind(window);
            }
        } else {
            self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        const WNDPROC defaultProc = DefaultProc();
        if (!self) return CallWindowProcW(defaultProc, window, message, wParam, lParam);
        const LRESULT result = GuardSystemCall(
            [&] {
                LRESULT reflected = 0;
                if (self->ReflectToControl(message, wParam, lParam, reflected)) return reflected;
                return self->HandleMessage(message, wParam, lParam);
            },
            [&] { return CallWindowProcW(defaultProc, window, message, wParam, lParam); });
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->Unbind(window);
        }
        return result;
    }
};

// A control of a system class (a tree view, a toolbar, a status bar...)
// bound to an object through the common controls' subclassing. One object
// per control.
class SubclassedWindow : public BoundWindow {
protected:
    SubclassedWindow() = default;
    ~SubclassedWindow() override { Detach(); }

    // Creates a control of the system class `className` bound to this
    // object; false, and no control, when either fails.
    bool CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int width, int height,
                       HWND parent, int id);
    // Binds `control` to this object until the control is destroyed or the
    // object detaches; false when another object holds it already.
    bool Attach(HWND control);
    // Lets go of the control, which stays.
    void Detach();

    // The object's own handling of the control's messages.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefaultHandling(message, wParam, lParam);
    }
    // The control's own handling (only from within HandleMessage).
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(window_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
};

}  // namespace typorama::ui
