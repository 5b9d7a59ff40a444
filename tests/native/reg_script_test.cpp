#include "settings/reg_script.h"

#include <gtest/gtest.h>

namespace typorama::settings {
namespace {

TEST(ParseRegKeyPath, TakesTheFourHivesByEitherNameInAnyCase) {
    struct Case {
        std::u16string_view text;
        std::optional<RegHive> hive;
        std::u16string_view path;
    } cases[] = {
        {u"HKCU\\Software\\Typorama", RegHive::CurrentUser, u"Software\\Typorama"},
        {u"hkey_local_machine\\SOFTWARE", RegHive::LocalMachine, u"SOFTWARE"},
        {u"HKEY_CLASSES_ROOT\\Folder\\shell", RegHive::ClassesRoot, u"Folder\\shell"},
        {u"Hku\\.DEFAULT", RegHive::Users, u".DEFAULT"},
        {u"HKEY_USERS\\S-1-5-18\\", RegHive::Users, u"S-1-5-18\\"},
        {u"HKCC\\System", std::nullopt, u""},       // a hive a script cannot name
        {u"HKEY_CURRENT_USERS\\x", std::nullopt, u""},
        {u"HKCU", std::nullopt, u""},                // no path: not the hive itself
        {u"HKCU\\", std::nullopt, u""},
        {u"\\Software", std::nullopt, u""},
        {u"", std::nullopt, u""},
    };
    for (const Case& c : cases) {
        auto parsed = ParseRegKeyPath(c.text);
        std::string text(c.text.begin(), c.text.end());
        ASSERT_EQ(parsed.has_value(), c.hive.has_value()) << text;
        if (!parsed) continue;
        EXPECT_EQ(parsed->first, *c.hive) << text;
        EXPECT_EQ(parsed->second, c.path) << text;
    }
}

}  // namespace
}  // namespace typorama::settings
