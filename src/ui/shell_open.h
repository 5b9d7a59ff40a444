// Opening a document or web address with the program the user chose for it
// (ShellExecuteW "open"). Tests replace the opener to see what would open and
// to make it fail.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace typorama::ui {

// Opens `target`; true when the shell took it.
using ShellOpener = std::function<bool(HWND owner, const std::wstring& target)>;

// Installs an opener (tests); an empty one brings the shell back.
void SetShellOpener(ShellOpener opener);

bool ShellOpen(HWND owner, const std::wstring& target);

}  // namespace typorama::ui
