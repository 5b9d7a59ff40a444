// Plain Unicode text on the clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace typorama::app {

// The clipboard, open for the life of the guard. Another program may hold it
// for a moment; opening is tried a few times before giving up.
class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner);
    ~ClipboardGuard();
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

// Empties the clipboard and puts `text` on it as CF_UNICODETEXT. False (and
// nothing copied) when the clipboard cannot be opened or the memory is short.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

// The clipboard's Unicode text; nullopt when there is none or the clipboard
// cannot be opened.
std::optional<std::wstring> ClipboardText(HWND owner);

}  // namespace typorama::app
