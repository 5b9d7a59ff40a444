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

// GetWindowDC/ReleaseDC: the whole window, its frame included.
class FrameDC {
public:
    explicit FrameDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~FrameDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    FrameDC(const FrameDC&) = delete;
    FrameDC& operator=(const FrameDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for a scope; the previous one goes back on
// every way out. A null object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC/RestoreDC: everything a drawing routine may change in a DC.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDC() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// BeginPaint/EndPaint of a window's WM_PAINT; get() is null when there is
// nothing to paint with.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() {
        if (dc_) EndPaint(window_, &paint_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory DC compatible with `like` (the screen when null) holding one
// bitmap; the bitmap is put back out and the DC deleted on every way out.
// The bitmap itself stays the caller's.
class MemoryDC {
public:
    MemoryDC(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
        if (dc_ && bitmap) old_ = SelectObject(dc_, bitmap);
    }
    ~MemoryDC() {
        if (!dc_) return;
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr && old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
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
