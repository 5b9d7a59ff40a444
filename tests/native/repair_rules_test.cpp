// The repair wizard's rules: which entries are invalid, the drive root asked
// about, and the desktop.ini edit that must keep the file's other entries.
#include "tools/repair_rules.h"

#include <gtest/gtest.h>

namespace typorama::tools {
namespace {

TEST(RepairRules, AnEntryOffAFixedDiskIsInvalidWithIncludeRemovableEvenWhenItsFileExists) {
    EXPECT_TRUE(IsRegistrationValid(DriveKind::Fixed, true, true));
    EXPECT_FALSE(IsRegistrationValid(DriveKind::Fixed, false, false));
    EXPECT_FALSE(IsRegistrationValid(DriveKind::Other, true, true));
    EXPECT_TRUE(IsRegistrationValid(DriveKind::Other, true, false));
    EXPECT_FALSE(IsRegistrationValid(DriveKind::Other, false, false));
}

TEST(RepairRules, DriveRootOfLettersSharesAndLongForms) {
    EXPECT_EQ(DriveRoot(u"C:\\Windows\\Fonts\\a.ttf"), u"C:\\");
    EXPECT_EQ(DriveRoot(u"e:a.ttf"), u"e:\\");
    EXPECT_EQ(DriveRoot(u"\\\\server\\share\\fonts\\a.ttf"), u"\\\\server\\share\\");
    EXPECT_EQ(DriveRoot(u"\\\\?\\D:\\a.ttf"), u"D:\\");
    EXPECT_EQ(DriveRoot(u"\\\\?\\UNC\\srv\\sh\\a.ttf"), u"\\\\srv\\sh\\");
    EXPECT_EQ(DriveRoot(u"\\\\server"), u"") << "no share";
    EXPECT_EQ(DriveRoot(u"\\\\\\share\\a"), u"") << "no server";
    EXPECT_EQ(DriveRoot(u"fonts\\a.ttf"), u"");
    EXPECT_EQ(DriveRoot(u"1:\\a.ttf"), u"");
}

TEST(RepairRules, RemovingTheViewEntryKeepsEverythingElse) {
    // Only the entry goes; other keys of the section and other sections stay byte for byte.
    IniEdit edit = RemoveIniEntry(u"[.ShellClassInfo]\r\nUICLSID={BD84}\r\nLocalizedResourceName=@shell32.dll,-1\r\n"
                                  u"[Other]\r\nx=1",
                                  kShellClassSection, kFontsViewKey);
    EXPECT_TRUE(edit.removed);
    EXPECT_FALSE(edit.empty);
    EXPECT_EQ(edit.text, u"[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-1\r\n[Other]\r\nx=1");

    // A section left empty loses its header; letter case and spaces do not matter.
    edit = RemoveIniEntry(u"[Icons]\nA=1\n\n [.shellclassinfo] \n uiclsid = {x}\n", kShellClassSection, kFontsViewKey);
    EXPECT_TRUE(edit.removed);
    EXPECT_EQ(edit.text, u"[Icons]\nA=1\n\n");

    // Nothing else: the file can go.
    edit = RemoveIniEntry(u"\r\n[.ShellClassInfo]\r\nUICLSID={BD84}\r\n\r\n", kShellClassSection, kFontsViewKey);
    EXPECT_TRUE(edit.empty);

    // The same key in another section, and a comment, are not the entry.
    edit = RemoveIniEntry(u"[Other]\nUICLSID=1\n[.ShellClassInfo]\n; UICLSID=2\n", kShellClassSection, kFontsViewKey);
    EXPECT_FALSE(edit.removed);
    EXPECT_FALSE(edit.empty);
    EXPECT_EQ(edit.text, u"[Other]\nUICLSID=1\n[.ShellClassInfo]\n; UICLSID=2\n");

    // The folder class naming the fonts folder turns the view on too; another class stays.
    edit = RemoveFontsView(u"[.ShellClassInfo]\r\nCLSID={bd84b380-8ca2-1069-ab1d-08000948f534}\r\n");
    EXPECT_TRUE(edit.removed);
    EXPECT_TRUE(edit.empty);
    edit = RemoveFontsView(u"[.ShellClassInfo]\r\nCLSID={00000000-0000-0000-0000-000000000000}\r\n");
    EXPECT_FALSE(edit.removed);
}

}  // namespace
}  // namespace typorama::tools
