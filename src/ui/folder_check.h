// The check every folder box of the program passes its text through before a
// command uses it: not empty, and an existing folder or one the user agreed
// to create (with all missing parent folders).
#pragma once

#include <windows.h>

#include <string>

namespace typorama::ui {

// Trims `folder` in place, then: empty, an error box and false; an existing
// folder, true; otherwise asks whether to create it and creates it with its
// parents, reporting the system's reason when that fails.
bool CheckFolder(HWND owner, std::wstring& folder);

}  // namespace typorama::ui
