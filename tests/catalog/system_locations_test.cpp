// The start-up values, read from a scratch key standing in for HKEY_USERS and
// HKEY_CURRENT_USER.
#include "catalog/system_locations.h"

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace typorama::catalog {
namespace {

TEST(SystemLanguageId, ReadsTheDefaultLocaleAsHex) {
    test::ScratchKey users(L"locale-users");
    LocationSources sources{users.Get(), users.Get(), false};
    EXPECT_EQ(ReadSystemLanguageId(true, sources), 0x0409u) << "missing key: US English";

    users.SetString(L".DEFAULT\\Control Panel\\International", L"Locale", L"00000804");
    EXPECT_EQ(ReadSystemLanguageId(true, sources), 0x0804u);

    users.SetString(L".DEFAULT\\Control Panel\\International", L"Locale", L"0000040c");
    EXPECT_EQ(ReadSystemLanguageId(true, sources), 0x40u) << "a lower-case letter ends the number";

    // Other systems keep it in the default value of ResourceLocale.
    EXPECT_EQ(ReadSystemLanguageId(false, sources), 0x0409u);
    users.SetString(L"Control Panel\\Desktop\\ResourceLocale", L"", L"00000411");
    EXPECT_EQ(ReadSystemLanguageId(false, sources), 0x0411u);
}

TEST(FontsFolder, EndsInABackslashAndFallsBackToTheKnownFolder) {
    test::ScratchKey user(L"fonts-folder");
    const wchar_t* shellFolders = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    EXPECT_EQ(ReadFontsFolder({user.Get(), user.Get(), false}), L"");

    std::wstring known = ReadFontsFolder({user.Get(), user.Get(), true});
    ASSERT_FALSE(known.empty()) << "the system's Fonts folder when the value is missing";
    EXPECT_EQ(known.back(), L'\\');

    user.SetString(shellFolders, L"Fonts", L"D:\\Fonts");
    EXPECT_EQ(ReadFontsFolder({user.Get(), user.Get(), true}), L"D:\\Fonts\\");
    user.SetString(shellFolders, L"Fonts", L"D:\\Fonts\\");
    EXPECT_EQ(ReadFontsFolder({user.Get(), user.Get(), true}), L"D:\\Fonts\\");
}

TEST(SystemLocations, PicksTheInstalledFontKeyOfTheNtFamily) {
    SystemLocations real = ComputeSystemLocations();
    EXPECT_TRUE(real.isNT);
    EXPECT_EQ(real.fontsKey, kFontsKeyNT);
    EXPECT_EQ(real.fontsRoot, HKEY_LOCAL_MACHINE);
    ASSERT_FALSE(real.fontsFolder.empty());
    EXPECT_EQ(real.fontsFolder.back(), L'\\');
}

}  // namespace
}  // namespace typorama::catalog
