#include "base/ui_language_rules.h"

namespace typorama {
namespace {

bool SameAscii(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::optional<LanguageChoice> KnownChoice(std::u16string_view text) {
    if (SameAscii(text, u"auto")) return LanguageChoice::Auto;
    if (SameAscii(text, u"zh-CN")) return LanguageChoice::Chinese;
    if (SameAscii(text, u"en")) return LanguageChoice::English;
    return std::nullopt;
}

constexpr std::uint16_t kPrimaryChinese = 0x04;  // LANG_CHINESE

}  // namespace

LanguageChoice ParseLanguageChoice(std::u16string_view text) { return KnownChoice(text).value_or(LanguageChoice::Auto); }

std::u16string LanguageChoiceText(LanguageChoice choice) {
    switch (choice) {
        case LanguageChoice::Chinese: return u"zh-CN";
        case LanguageChoice::English: return u"en";
        case LanguageChoice::Auto: break;
    }
    return u"auto";
}

std::optional<LanguageChoice> LanguageSwitch(std::u16string_view argument) {
    constexpr std::u16string_view kName = u"lang:";
    if (argument.size() <= kName.size() + 1 || (argument[0] != u'/' && argument[0] != u'-')) return std::nullopt;
    if (!SameAscii(argument.substr(1, kName.size()), kName)) return std::nullopt;
    return KnownChoice(argument.substr(1 + kName.size()));
}

UiLanguage ChooseUiLanguage(LanguageChoice stored, std::optional<LanguageChoice> commandLine,
                            std::uint16_t userUiLanguageId) {
    switch (commandLine.value_or(stored)) {
        case LanguageChoice::Chinese: return UiLanguage::Chinese;
        case LanguageChoice::English: return UiLanguage::English;
        case LanguageChoice::Auto: break;
    }
    return (userUiLanguageId & 0x3FF) == kPrimaryChinese ? UiLanguage::Chinese : UiLanguage::English;
}

}  // namespace typorama
