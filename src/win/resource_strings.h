// Texts from the program's string table.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::win {

// The string with this id from the running program's resources; empty if absent.
std::wstring LoadResString(UINT id);

}  // namespace typorama::win

#include <vector>

#include "base/text_format.h"

namespace typorama::win {

// A string-table pattern filled by FormatText.
std::wstring FormatRes(UINT id, const std::vector<FormatArg>& args);

}  // namespace typorama::win
