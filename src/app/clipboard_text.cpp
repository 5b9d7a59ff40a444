#include "app/clipboard_text.h"

#include <cstring>

#include "win/unique_handle.h"

namespace typorama::app {

ClipboardGuard::ClipboardGuard(HWND owner) {
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
        open_ = OpenClipboard(owner) != FALSE;
        if (!open_) Sleep(20);
    }
}

ClipboardGuard::~ClipboardGuard() {
    if (open_) CloseClipboard();
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    win::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    {
        win::LockedGlobal locked(memory.get());
        if (!locked.get()) return false;
        std::memcpy(locked.get(), text.c_str(), bytes);
    }

    ClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard's now
    return true;
}

std::optional<std::wstring> ClipboardText(HWND owner) {
    ClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen()) return std::nullopt;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const win::LockedGlobal locked(data);
    const auto* text = static_cast<const wchar_t*>(locked.get());
    if (!text) return std::nullopt;
    // The clipboard's block may be larger than the text; it ends at the first NUL.
    return std::wstring(text, wcsnlen(text, locked.size() / sizeof(wchar_t)));
}

}  // namespace typorama::app
