// Move-only owners for Win32 handles, generated from the function that closes
// them, and guards for paired calls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace typorama::win {

struct NullIsInvalid {
    template <typename T>
    static T Invalid() { return T{}; }
};

struct MinusOneIsInvalid {  // CreateFile, FindFirstFile
    template <typename T>
    static T Invalid() { return reinterpret_cast<T>(INVALID_HANDLE_VALUE); }
};

template <typename T, auto Close, typename Policy = NullIsInvalid>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != Policy::template Invalid<T>(); }
    T release() { return std::exchange(h_, Policy::template Invalid<T>()); }
    void reset(T h = Policy::template Invalid<T>()) {
        T old = std::exchange(h_, h);
        if (old != Policy::template Invalid<T>()) Close(old);
    }
    // For APIs that return the handle through an out parameter.
    T* put() {
        reset();
        return &h_;
    }

private:
    T h_ = Policy::template Invalid<T>();
};

using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, MinusOneIsInvalid>;
using UniqueHandleNull = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose, MinusOneIsInvalid>;
using UniqueKey = UniqueHandle<HKEY, &::RegCloseKey>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniquePen = UniqueHandle<HPEN, &::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueAccel = UniqueHandle<HACCEL, &::DestroyAcceleratorTable>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueRegion = UniqueHandle<HRGN, &::DeleteObject>;
// A device context made by CreateDC (a printer's, for its resolution).
using UniqueDC = UniqueHandle<HDC, &::DeleteDC>;
using UniqueChangeNotification = UniqueHandle<HANDLE, &::FindCloseChangeNotification, MinusOneIsInvalid>;
// Global memory (GlobalAlloc); memory handed to the clipboard is released,
// since it belongs to the clipboard once SetClipboardData succeeded.
using UniqueGlobal = UniqueHandle<HGLOBAL, &::GlobalFree>;

// GlobalLock/GlobalUnlock of a memory block for a scope; get() is null when
// the block could not be locked.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* get() const { return data_; }
    // The block's size, which may be larger than what was asked for.
    SIZE_T size() const { return data_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace typorama::win
