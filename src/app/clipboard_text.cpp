#include "app/clipboard_text.h"

#include <cstring>

namespace typorama::app {
namespace {

// Memory handed to the clipboard belongs to it only once SetClipboardData
// succeeded; until then it is ours to free.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalMemory() {
        if (memory_) GlobalFree(memory_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL get() const { return memory_; }
    HGLOBAL release() {
        HGLOBAL memory = memory_;
        memory_ = nullptr;
        return memory;
    }

private:
    HGLOBAL memory_;
};

}  // namespace

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
    GlobalMemory memory((text.size() + 1) * sizeof(wchar_t));
    if (!memory.get()) return false;
    void* bytes = GlobalLock(memory.get());
    if (!bytes) return false;
    std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory.get());

    ClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();
    return true;
}

std::optional<std::wstring> ClipboardText(HWND owner) {
    ClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen()) return std::nullopt;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text) return std::nullopt;
    // The clipboard's block may be larger than the text; it ends at the first NUL.
    const SIZE_T capacity = GlobalSize(data) / sizeof(wchar_t);
    std::wstring result(text, wcsnlen(text, capacity));
    GlobalUnlock(data);
    return result;
}

}  // namespace typorama::app
