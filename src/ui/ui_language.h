// The interface's language, chosen once at start from the setting `Language`
// (below the settings root), a `/lang:xx` switch on the command line and the
// user's interface language; the resource loaders then take their texts,
// dialogs and help pages in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/ui_language_rules.h"
#include "settings/settings_store.h"

namespace typorama::ui {

inline constexpr wchar_t kLanguageValue[] = L"Language";

// The stored setting; Auto when it is absent or unknown.
LanguageChoice StoredLanguageChoice(const settings::SettingsRoot& root = settings::ActiveSettingsRoot());
bool StoreLanguageChoice(LanguageChoice choice, const settings::SettingsRoot& root = settings::ActiveSettingsRoot());

// Chooses the language of this run and hands it to the loaders. `arguments`
// are the command line's (without the program); the language switches among
// them are taken out, so what remains are the program's own arguments.
UiLanguage ChooseLanguageAtStart(std::vector<std::wstring>& arguments,
                                 const settings::SettingsRoot& root = settings::ActiveSettingsRoot());

// Makes the loaders use `language` (tests switch with it).
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();
// The folder name of the language's help pages: "zh-CN" or "en".
std::wstring LanguageFolderName(UiLanguage language);

}  // namespace typorama::ui
