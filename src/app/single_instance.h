// How a second start of the program finds the first and hands over to it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/unique_handle.h"

namespace typorama::app {

// The window class of the main window; the running instance is found by it.
inline constexpr wchar_t kMainWindowClass[] = L"TTyporamaMainForm";
// Posted by a second start to the main window of the first: come to the front.
inline constexpr UINT kActivateMessage = 0x1400;
// The callback message of the notification-area icon.
inline constexpr UINT kTrayMessage = 0x1401;
// Registered by name; other programs send it after they changed the fonts.
inline constexpr wchar_t kFontChangeMessageName[] = L"TYWM_FONTCHANGE";

// Looks for a running instance; if there is one, hands it `files` (full
// paths of this start's command line, when they are files) with WM_COPYDATA,
// posts it the activation message and returns true: this start then ends at
// once. A folder of the command line is not passed on. False also when the
// running instance did not take the files (it hangs, has too many lists
// waiting, or runs with higher rights, which keep our messages out): this
// start then shows them in a window of its own rather than lose them.
bool ActivateRunningInstance(const std::vector<std::wstring>& files = {});

// Starts that come together (Explorer makes one for each of several files
// opened at once) take turns: a start holds the turn from before it looks for
// a running instance until its own main window exists or it has handed over,
// so that every start after the first finds the first's window.
class StartTurn {
public:
    // Waits for the turn, at most `waitMs` (a first start that hangs is not
    // waited for); `name` is the turn's mutex, per logon session.
    explicit StartTurn(const wchar_t* name = L"Local\\Typorama.Start", DWORD waitMs = 10000);
    ~StartTurn() { End(); }
    StartTurn(const StartTurn&) = delete;
    StartTurn& operator=(const StartTurn&) = delete;

    // Gives the turn to the next start; once.
    void End();

private:
    win::UniqueHandleNull mutex_;
    bool held_ = false;
};

// The paths made full against the current folder (as a second start's
// working folder means nothing to the first); a path the system cannot make
// full stays as it was.
std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& paths);

}  // namespace typorama::app
