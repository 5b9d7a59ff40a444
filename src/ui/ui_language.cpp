#include "ui/ui_language.h"

#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::ui {

LanguageChoice StoredLanguageChoice(const settings::SettingsRoot& root) {
    settings::TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(L"")) return LanguageChoice::Auto;
    return ParseLanguageChoice(win::AsU16(reg.ReadStringDef(kLanguageValue, L"auto")));
}

bool StoreLanguageChoice(LanguageChoice choice, const settings::SettingsRoot& root) {
    settings::TRegistryEx reg(root);
    return reg.OpenKey(L"", true) && reg.WriteString(kLanguageValue, win::ToWide(LanguageChoiceText(choice)));
}

UiLanguage ChooseLanguageAtStart(std::vector<std::wstring>& arguments, const settings::SettingsRoot& root) {
    std::optional<LanguageChoice> commandLine;
    std::erase_if(arguments, [&commandLine](const std::wstring& argument) {
        const std::optional<LanguageChoice> choice = LanguageSwitch(win::AsU16(argument));
        if (choice) commandLine = choice;  // the last one counts
        return choice.has_value();
    });
    const UiLanguage language = ChooseUiLanguage(StoredLanguageChoice(root), commandLine, GetUserDefaultUILanguage());
    SetUiLanguage(language);
    return language;
}

void SetUiLanguage(UiLanguage language) {
    win::SetResourceLanguage(language == UiLanguage::English ? win::kEnglishResources : win::kChineseResources);
}

UiLanguage CurrentUiLanguage() {
    return win::ResourceLanguage() == win::kEnglishResources ? UiLanguage::English : UiLanguage::Chinese;
}

std::wstring LanguageFolderName(UiLanguage language) { return language == UiLanguage::English ? L"en" : L"zh-CN"; }

}  // namespace typorama::ui
