#include "app/web_pages.h"

#include "app/clipboard_text.h"
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

}  // namespace

std::wstring HomepageUrl() { return kSite; }

std::wstring CheckUpdateUrl() {
    return std::wstring(kSite) + L"update?prodid=" + kProductId + L"&major=" + std::to_wstring(kVersionMajor) +
           L"&minor=" + std::to_wstring(kVersionMinor) + L"&build=" + std::to_wstring(kVersionBuild) + L"&beta=0";
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
