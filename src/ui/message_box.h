// The one routine through which every message of the program reaches the user:
// a beep, then a task-modal box captioned "Typorama", with a Help button when
// a help context is given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace typorama::ui {

inline constexpr wchar_t kMessageCaption[] = L"Typorama";

// Answers a box instead of the user: receives the text, the caption and the
// MB_ flags the box would have had, returns the button (IDOK, IDCANCEL, ...).
using MessageAnswerer = std::function<int(const std::wstring& text, const std::wstring& caption, UINT flags)>;

// Installs an answerer (tests); an empty one brings the real boxes back.
void SetMessageAnswerer(MessageAnswerer answerer);

// Shows `text` with the icon and button flags `flags`. A non-zero help
// context adds a Help button that opens that page of the help (ui/help.h).
// Returns the button pressed.
int ShowMessage(HWND owner, const std::wstring& text, UINT flags, DWORD helpContext = 0);

int ShowError(HWND owner, const std::wstring& text);
int ShowInformation(HWND owner, const std::wstring& text);
// "Command failed" with the system's text for `code` (by default the calling
// thread's last error, taken before anything else can change it).
int ShowSystemError(HWND owner, DWORD code = GetLastError());

}  // namespace typorama::ui
