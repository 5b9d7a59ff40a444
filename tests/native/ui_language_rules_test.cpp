#include "base/ui_language_rules.h"

#include <gtest/gtest.h>

namespace typorama {
namespace {

TEST(UiLanguageRules, StoredTextReadsBackAndUnknownTextIsAuto) {
    for (LanguageChoice choice : {LanguageChoice::Auto, LanguageChoice::Chinese, LanguageChoice::English})
        EXPECT_EQ(ParseLanguageChoice(LanguageChoiceText(choice)), choice);
    EXPECT_EQ(ParseLanguageChoice(u"ZH-cn"), LanguageChoice::Chinese);
    EXPECT_EQ(ParseLanguageChoice(u"EN"), LanguageChoice::English);
    for (std::u16string_view odd : {u"", u"english", u"zh", u"en ", u"zh-TW", u"fr"})
        EXPECT_EQ(ParseLanguageChoice(odd), LanguageChoice::Auto) << std::u16string(odd).size();
}

TEST(UiLanguageRules, OnlyTheLangSwitchWithAKnownLanguageIsASwitch) {
    EXPECT_EQ(LanguageSwitch(u"/lang:en"), LanguageChoice::English);
    EXPECT_EQ(LanguageSwitch(u"/LANG:zh-CN"), LanguageChoice::Chinese);
    EXPECT_EQ(LanguageSwitch(u"-lang:auto"), LanguageChoice::Auto);
    for (std::u16string_view other : {u"/lang:", u"/lang:de", u"lang:en", u"/language:en", u"C:\\Fonts", u"/l", u""})
        EXPECT_FALSE(LanguageSwitch(other).has_value());
}

TEST(UiLanguageRules, SwitchBeatsSettingAndAutoFollowsTheUserLanguage) {
    constexpr std::uint16_t kChinaChinese = 0x0804, kTaiwanChinese = 0x0404, kUsEnglish = 0x0409, kGerman = 0x0407;
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Auto, std::nullopt, kChinaChinese), UiLanguage::Chinese);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Auto, std::nullopt, kTaiwanChinese), UiLanguage::Chinese);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Auto, std::nullopt, kUsEnglish), UiLanguage::English);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Auto, std::nullopt, kGerman), UiLanguage::English);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::English, std::nullopt, kChinaChinese), UiLanguage::English);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Chinese, std::nullopt, kGerman), UiLanguage::Chinese);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::Chinese, LanguageChoice::English, kChinaChinese), UiLanguage::English);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::English, LanguageChoice::Chinese, kUsEnglish), UiLanguage::Chinese);
    EXPECT_EQ(ChooseUiLanguage(LanguageChoice::English, LanguageChoice::Auto, kChinaChinese), UiLanguage::Chinese);
}

}  // namespace
}  // namespace typorama
