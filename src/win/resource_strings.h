// Texts from the program's string table, in the interface's language.
#pragma once

#include <windows.h>

#include <string>

namespace typorama::win {

// The language resources are taken from: Simplified Chinese (the program's
// own texts, and the fallback for anything missing in another language) until
// the program chooses at start. Every string and dialog loader asks this.
LANGID ResourceLanguage();
void SetResourceLanguage(LANGID language);
inline constexpr LANGID kChineseResources = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
inline constexpr LANGID kEnglishResources = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The resource `name` of `type` in the chosen language, else in Chinese, else
// in whatever language it exists.
HRSRC FindLocalizedResource(HMODULE module, LPCWSTR type, LPCWSTR name);

// The string with this id from the running program's resources; empty if absent.
std::wstring LoadResString(UINT id);

}  // namespace typorama::win

#include <vector>

#include "base/text_format.h"

namespace typorama::win {

// A string-table pattern filled by FormatText.
std::wstring FormatRes(UINT id, const std::vector<FormatArg>& args);

}  // namespace typorama::win
