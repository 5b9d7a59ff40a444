// Guards for GDI pairs.
#pragma once

#include <windows.h>

#include <exception>

namespace typorama::win {

// GetDC/ReleaseDC of a window, or of the screen for a null window.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Calls `visit(const ENUMLOGFONTEXW&, const NEWTEXTMETRICEXW&, DWORD fontType)`
// for each font the screen's enumeration reports for `query`; `visit` returns
// false to stop.
// An exception thrown by `visit` stops the enumeration and is rethrown after it,
// never through the system's code.
template <typename Visit>
void EnumerateFonts(LOGFONTW query, Visit visit) {
    struct Context {
        Visit* visit;
        std::exception_ptr error;
    } context{&visit, nullptr};
    WindowDC screen;
    if (!screen.get()) return;
    EnumFontFamiliesExW(
        screen.get(), &query,
        [](const LOGFONTW* font, const TEXTMETRICW* metric, DWORD fontType, LPARAM param) -> int {
            auto& ctx = *reinterpret_cast<Context*>(param);
            try {
                return (*ctx.visit)(*reinterpret_cast<const ENUMLOGFONTEXW*>(font),
                                    *reinterpret_cast<const NEWTEXTMETRICEXW*>(metric), fontType)
                           ? 1
                           : 0;
            } catch (...) {
                ctx.error = std::current_exception();
                return 0;
            }
        },
        reinterpret_cast<LPARAM>(&context), 0);
    if (context.error) std::rethrow_exception(context.error);
}

}  // namespace typorama::win
