// The program's pages on the web, in one place, and how they are opened: in
// the user's browser, or, when that fails, by copying the address to the
// clipboard and telling the user to paste it into a browser.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::app {

// The product identifier the update check sends as "prodid".
inline constexpr wchar_t kProductId[] = L"typorama";

std::wstring HomepageUrl();
// The update check: the product and the running version
// (prodid, major, minor, build, beta).
std::wstring CheckUpdateUrl();

// Opens `url` with the shell (ui/shell_open.h, the seam tests replace). On
// failure the address goes to the clipboard and a message says so. True
// when the browser took it.
bool OpenWebPage(HWND owner, const std::wstring& url);

}  // namespace typorama::app
