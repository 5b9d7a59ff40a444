// The pictures' interface language: TYPORAMA_LANG=en (or zh-CN, auto) in the
// environment, as the setting `Language` would choose it; Chinese without it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/ui_language.h"
#include "win/wide.h"

namespace typorama {

inline void UseShotLanguage() {
    wchar_t value[16]{};
    if (GetEnvironmentVariableW(L"TYPORAMA_LANG", value, 16) == 0) return;
    ui::SetUiLanguage(ChooseUiLanguage(ParseLanguageChoice(win::AsU16(value)), std::nullopt, GetUserDefaultUILanguage()));
}

}  // namespace typorama
