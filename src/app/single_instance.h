// How a second start of the program finds the first and hands over to it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace typorama::app {

// The window class of the main window; the running instance is found by it.
inline constexpr wchar_t kMainWindowClass[] = L"TTyporamaMainForm";
// Posted by a second start to the main window of the first: come to the front.
inline constexpr UINT kActivateMessage = 0x1400;
// The callback message of the notification-area icon.
inline constexpr UINT kTrayMessage = 0x1401;
// Registered by name; other programs send it after they changed the fonts.
inline constexpr wchar_t kFontChangeMessageName[] = L"TYWM_FONTCHANGE";

// Sent by the main window to itself to open what a second start handed over
// once the sender has its answer (a question about tags must not hold it).
inline constexpr UINT kOpenHandedFilesMessage = WM_APP + 0x140;

// Looks for a running instance; if there is one, hands it `files` (full
// paths of this start's command line, when they are files) with WM_COPYDATA,
// posts it the activation message and returns true: this start then ends at
// once. A folder of the command line is not passed on.
bool ActivateRunningInstance(const std::vector<std::wstring>& files = {});

// The paths made full against the current folder (as a second start's
// working folder means nothing to the first); a path the system cannot make
// full stays as it was.
std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& paths);

}  // namespace typorama::app
