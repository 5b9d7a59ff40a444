#include "app/web_pages.h"

#include <cstring>

#include "app/main_settings.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/shell_open.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// The site's address is not settled yet; every page of it is made here.
constexpr wchar_t kSite[] = L"https://typorama.example.org/";

// Opens the clipboard for the time it lives.
class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner) {
        // Another program may hold the clipboard for a moment.
        for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
    }
    ~ClipboardGuard() {
        if (open_) CloseClipboard();
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace

std::wstring HomepageUrl() { return kSite; }

std::wstring CheckUpdateUrl() {
    return std::wstring(kSite) + L"update?prodid=" + kProductId + L"&major=" + std::to_wstring(kVersionMajor) +
           L"&minor=" + std::to_wstring(kVersionMinor) + L"&build=" + std::to_wstring(kVersionBuild) + L"&beta=0";
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    ClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);  // still ours when the clipboard did not take it
        return false;
    }
    return true;
}

bool OpenWebPage(HWND owner, const std::wstring& url) {
    if (ui::ShellOpen(owner, url)) return true;
    if (CopyTextToClipboard(owner, url)) {
        ui::ShowError(owner, win::FormatRes(IDS_WINDOW_URL_NOT_OPENED, {win::AsU16(url), win::AsU16(ui::kMessageCaption)}));
    } else {
        // Never claim a copy that did not happen.
        ui::ShowError(owner, win::FormatRes(IDS_WINDOW_URL_NOT_OPENED_NOR_COPIED, {win::AsU16(url)}));
    }
    return false;
}

}  // namespace typorama::app
