// Which language the interface speaks: the stored setting, a one-run switch
// on the command line and the user's interface language decide it once at
// start. Pure code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace typorama {

// The languages the program's resources exist in.
enum class UiLanguage { Chinese, English };

// The setting `Language`: "auto" follows the user's interface language. The
// numbers are the rows of the options dialog's language box.
enum class LanguageChoice { Auto = 0, Chinese = 1, English = 2 };

// "auto", "zh-CN" or "en" (letter case ignored); any other text is Auto, so a
// value someone typed into the registry by hand never stops the program.
LanguageChoice ParseLanguageChoice(std::u16string_view text);
// The stored text of a choice: "auto", "zh-CN" or "en".
std::u16string LanguageChoiceText(LanguageChoice choice);

// A command-line argument "/lang:en" or "/lang:zh-CN" (also "-lang:", letter
// case ignored); nothing for any other argument, which is then not a switch.
std::optional<LanguageChoice> LanguageSwitch(std::u16string_view argument);

// The language of this run: the switch over the setting; Auto gives Chinese
// for every Chinese user interface language (primary language 0x04, zh-*)
// and English for all others.
UiLanguage ChooseUiLanguage(LanguageChoice stored, std::optional<LanguageChoice> commandLine,
                            std::uint16_t userUiLanguageId);

}  // namespace typorama
