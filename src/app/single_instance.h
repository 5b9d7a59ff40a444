// How a second start of the program finds the first and hands over to it.
#pragma once

#include <windows.h>

namespace typorama::app {

// The window class of the main window; the running instance is found by it.
inline constexpr wchar_t kMainWindowClass[] = L"TTyporamaMainForm";
// Posted by a second start to the main window of the first: come to the front.
inline constexpr UINT kActivateMessage = 0x1400;
// The callback message of the notification-area icon.
inline constexpr UINT kTrayMessage = 0x1401;
// Registered by name; other programs send it after they changed the fonts.
inline constexpr wchar_t kFontChangeMessageName[] = L"TYWM_FONTCHANGE";

// Looks for a running instance; if there is one, posts it the activation
// message (without anything of this start's command line) and returns true:
// this start then ends at once.
bool ActivateRunningInstance();

}  // namespace typorama::app
