// The system's text for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::win {

// FormatMessageW's text for `code` in the user's language, without the line
// break and the full stop the system puts at the end (callers' patterns add
// their own punctuation). Empty when the system has no text for the code.
std::wstring SystemErrorText(DWORD code);

}  // namespace typorama::win
