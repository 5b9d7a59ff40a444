// The main window's settings from and back to a scratch settings root: list
// caps, what an exit leaves in the registry, the start-up folder choice, the
// stored width with the folder tree, the version record, and the version
// resource of both programs.
#include "app/main_settings.h"

#include <gtest/gtest.h>

#include <string>

#include <sddl.h>

#include "app/button_bar.h"
#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "app/multi_folders_dialog.h"
#include "app/run_programs.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/message_box.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;
using test::ScriptedAnswers;

// Gives the key the access list `sddl` (a security descriptor string).
bool SetKeyAccess(const settings::SettingsRoot& where, const wchar_t* sddl) {
    win::UniqueKey key;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (RegOpenKeyExW(where.root, where.path.c_str(), 0, WRITE_DAC, key.put()) != ERROR_SUCCESS ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    const bool set = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return set;
}

class MainSettingsTest : public test::MainWindowFixture {
protected:
    MainSettingsTest() : MainWindowFixture(L"main-settings") {}
    static void Close(TfrmMain& main) {
        const HWND window = main.Handle();
        SendMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(window));
    }
};

TEST_F(MainSettingsTest, ListsAreReadUpToTheirCaps) {
    {
        auto programs = Settings(settings::kProgramsKey);
        for (int i = 0; i < 26; ++i) {
            programs.WriteString(L"Title" + std::to_wstring(i), L"Program " + std::to_wstring(i));
            programs.WriteString(L"CmdLine" + std::to_wstring(i), L"run" + std::to_wstring(i) + L".exe");
        }
        programs.WriteInteger(L"Count", 26);
        auto favorites = Settings(settings::kFavoritesKey);
        for (int i = 0; i < 60; ++i) favorites.WriteString(std::to_wstring(i), L"C:\\Fav" + std::to_wstring(i));
        favorites.WriteInteger(L"Count", 60);
        auto destinations = Settings(settings::kDestinationsKey);
        destinations.WriteString(L"0", L"D:\\Out");
        destinations.WriteInteger(L"Count", 3);  // more than stored: the rest read as empty
    }
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    const MainSettings& loaded = main->Settings();
    const auto& programs = main->Feature<RunPrograms>()->Programs();
    ASSERT_EQ(programs.size(), 25u) << "twenty-six stored programs load as twenty-five";
    EXPECT_EQ(programs[24].title, L"Program 24");
    EXPECT_EQ(programs[24].cmdLine, L"run24.exe");
    ASSERT_EQ(loaded.favorites.size(), 50u) << "Favorites with Count 60 loads 50";
    EXPECT_EQ(loaded.favorites[49], L"C:\\Fav49");
    EXPECT_EQ(loaded.destinations, (std::vector<std::wstring>{L"D:\\Out", L"", L""}));
}

TEST_F(MainSettingsTest, ExitWritesTheListsStringsAndVersionRecord) {
    {
        auto favorites = Settings(settings::kFavoritesKey);
        favorites.WriteString(L"0", L"C:\\Old");
        favorites.WriteInteger(L"Count", 1);
    }
    {
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        ASSERT_EQ(main->Settings().favorites.size(), 1u);
        main->Settings().favorites.clear();  // the user removed the last favourite
        main->Feature<RunPrograms>()->Programs() = {{L"Viewer", L"view.exe \"$TY_FILEPATH\""}};
        Close(*main);
    }
    settings::TRegistryEx reg(SettingsRoot());
    EXPECT_FALSE(reg.KeyExists(settings::kFavoritesKey)) << "an empty favourites list leaves no subkey";
    EXPECT_FALSE(reg.KeyExists(settings::kDestinationsKey));
    ASSERT_TRUE(reg.KeyExists(settings::kStringsKey)) << "the Strings subkey is always written";
    ASSERT_TRUE(reg.OpenKeyReadOnly(settings::kStringsKey));
    EXPECT_EQ(reg.ReadIntegerDef(L"Count", -1, settings::kAnyInteger), 0);
    EXPECT_TRUE(reg.ValueExists(L"Default"));
    ASSERT_TRUE(reg.OpenKeyReadOnly(settings::kProgramsKey));
    EXPECT_EQ(reg.ReadStringDef(L"Title0", L""), L"Viewer");
    EXPECT_EQ(reg.ReadStringDef(L"CmdLine0", L""), L"view.exe \"$TY_FILEPATH\"");
    EXPECT_EQ(reg.ReadIntegerDef(L"Count", -1, settings::kAnyInteger), 1);

    settings::TRegistryEx version(settings::ActiveVersionKey());
    ASSERT_TRUE(version.OpenKeyReadOnly(L"")) << "the version record goes to the version key in force";
    EXPECT_EQ(version.ReadIntegerDef(L"VersionMajor", 0, settings::kAnyInteger), 1);
    EXPECT_EQ(version.ReadIntegerDef(L"VersionMinor", 0, settings::kAnyInteger), 2);
    EXPECT_EQ(version.ReadIntegerDef(L"VersionBuild", 0, settings::kAnyInteger), 2);
    EXPECT_EQ(version.ReadIntegerDef(L"Type", 0, settings::kAnyInteger), 1);
    EXPECT_TRUE(version.ValueExists(L"VersionBeta"));
    EXPECT_FALSE(version.ReadBoolDef(L"VersionBeta", true));
    wchar_t program[MAX_PATH]{};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(version.ReadStringDef(L"Location", L""), program);
}

TEST_F(MainSettingsTest, LastUsedFolderThatVanishedStartsWithTheLoadedFonts) {
    ScratchFolder folder(L"main-settings-last-used");
    {
        auto reg = Settings();
        reg.WriteInteger(L"StartupRestoreFolderType", 1);
        reg.WriteString(L"LastUsedFolder", folder.Path());
    }
    {
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder) << "the last folder opens while it exists";
        Close(*main);
    }
    for (const std::wstring& vanished : {folder.Path() + L"gone\\", std::wstring()}) {
        Settings().WriteString(L"LastUsedFolder", vanished);
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System) << "'" << vanished << "'";
    }
}

TEST_F(MainSettingsTest, StoredWidthLeavesOutTheFolderTree) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    SetWindowPos(main->Handle(), nullptr, 10, 20, 700, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    main->SetSplitterLeft(200);
    main->SetTreeVisible(true);
    Close(*main);
    auto reg = Settings();
    EXPECT_EQ(reg.ReadIntegerDef(L"FormWidth", -1, settings::kAnyInteger), 700 - (TfrmMain::kSplitterWidth + 199 + 2))
        << "the width without the tree, the splitter and 2 pixels";
    EXPECT_EQ(reg.ReadIntegerDef(L"FormLeft", -1, settings::kAnyInteger), 10);
    EXPECT_EQ(reg.ReadIntegerDef(L"SplitterLeft", -1, settings::kAnyInteger), 200);
}

TEST_F(MainSettingsTest, EveryValueGoesOutAndComesBack) {
    MainSettings written;
    written.useCustomColors = true;
    written.colorFont = 0x123456;
    written.colorBack = kSystemColor + COLOR_INFOBK;
    written.colorSmallText = 0x654321;
    written.colorSelection = 0x00FF00;
    written.colorSelectionText = kSystemColor + COLOR_HIGHLIGHTTEXT;
    written.fontSize = 72;
    written.fontSizes = L"10 20";
    written.showFontName = false;
    written.showInstalledGlyph = false;
    written.showCheckBoxes = false;
    written.showUserString = true;
    written.highlightFontFolders = false;
    written.hideSystemFonts = false;
    written.minimizeToTray = true;
    written.dblClickOpenType = 1;
    written.dblClickOpenCmdLine = L"viewer.exe \"$TY_FILEPATH\"";
    written.startupRestoreFolderType = 2;
    ScratchFolder special(L"main-settings-special");
    written.startupSpecialFolder = special.Path();
    written.lastUsedFolder = L"C:\\Last\\";
    written.favorites = {L"C:\\Fav\\"};
    written.destinations = {L"D:\\One\\", L"D:\\Two\\"};
    written.sampleStrings = {L"Now", {L"The quick brown fox", L"永"}};
    {
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        main->Settings() = written;
        main->Feature<RunPrograms>()->Programs() = {{L"Viewer", L"view.exe"}, {L"Editor", L"edit.exe $TY_FILEPATH"}};
        SetWindowTextW(main->UserStringBox(), L"Now");  // the box holds the current sample text
        Close(*main);
    }
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    const MainSettings& read = main->Settings();
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder) << "type 2 opens the fixed folder";
    EXPECT_EQ(read.useCustomColors, true);
    EXPECT_EQ(read.colorFont, written.colorFont);
    EXPECT_EQ(read.colorBack, written.colorBack);
    EXPECT_EQ(read.colorSmallText, written.colorSmallText);
    EXPECT_EQ(read.colorSelection, written.colorSelection);
    EXPECT_EQ(read.colorSelectionText, written.colorSelectionText);
    EXPECT_EQ(read.fontSize, 72);
    EXPECT_EQ(read.fontSizes, L"10 20");
    EXPECT_FALSE(read.showFontName);
    EXPECT_FALSE(read.showInstalledGlyph);
    EXPECT_FALSE(read.showCheckBoxes);
    EXPECT_TRUE(read.showUserString);
    EXPECT_FALSE(read.highlightFontFolders);
    EXPECT_FALSE(read.hideSystemFonts);
    EXPECT_TRUE(read.minimizeToTray);
    EXPECT_EQ(read.dblClickOpenType, 1);
    EXPECT_EQ(read.dblClickOpenCmdLine, written.dblClickOpenCmdLine);
    EXPECT_EQ(read.startupRestoreFolderType, 2);
    EXPECT_EQ(read.startupSpecialFolder, special.Path());
    EXPECT_EQ(read.lastUsedFolder, L"") << "the loaded fonts were shown last";
    EXPECT_EQ(read.favorites, written.favorites);
    EXPECT_EQ(read.destinations, written.destinations);
    const auto& programs = main->Feature<RunPrograms>()->Programs();
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[1].title, L"Editor");
    EXPECT_EQ(programs[1].cmdLine, L"edit.exe $TY_FILEPATH");
    EXPECT_EQ(read.sampleStrings.current, L"Now");
    EXPECT_EQ(read.sampleStrings.items, written.sampleStrings.items);

    Close(*main);

    // Out-of-range choices are clamped to a byte and an unknown start-up type opens nothing.
    ScratchFolder folder(L"main-settings-odd");
    {
        auto reg = Settings();
        reg.WriteInteger(L"DblClickOpenType", 300);
        reg.WriteInteger(L"StartupRestoreFolderType", 7);
        reg.WriteString(L"StartupSpecialFolder", folder.Path());
        reg.WriteString(L"LastUsedFolder", folder.Path());
    }
    auto odd = OpenHidden();
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Settings().dblClickOpenType, 255);
    EXPECT_EQ(odd->FontList().Source(), catalog::SourceKind::System);
}

TEST_F(MainSettingsTest, ABadSplitterPositionFallsBackTo150) {
    struct Case {
        int stored;
        int expected;
    };
    for (const Case c : {Case{100, 150}, Case{800, 150}, Case{300, 300}}) {
        {
            auto reg = Settings();
            reg.WriteInteger(L"FormWidth", 500);
            reg.WriteInteger(L"SplitterLeft", c.stored);
        }
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        EXPECT_EQ(main->SplitterLeft(), c.expected) << "stored " << c.stored << " with a window 500 wide";
        Close(*main);
    }
}

// Numbers put into the registry by hand, the end of a Windows session, and a
// settings key that refuses to be written.
TEST_F(MainSettingsTest, HandEditedNumbersLogoffAndAnUnwritableKeyLoseNoSettings) {
    {
        auto reg = Settings();
        reg.WriteInteger(L"FontSize", INT32_MAX - 5);
        reg.WriteInteger(L"FormWidth", INT32_MAX);
        auto several = Settings(kMultiFoldersKey);
        several.WriteInteger(L"FolderCount", 1000000);
        several.WriteString(L"Folder0", L"C:\\First");
        several.WriteString(L"Folder" + std::to_wstring(kMultiFoldersCap), L"C:\\Beyond the cap");
    }
    ScratchFolder folder(L"main-settings-session");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyMainSessionA")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    EXPECT_EQ(main->Settings().fontSize, 1000) << "a size near INT_MAX is the largest size";
    EXPECT_EQ(SendMessageW(main->ListBox().Hwnd(), LB_GETITEMHEIGHT, 0, 0), 1010);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(main->Handle(), &placement);
    EXPECT_LE(placement.rcNormalPosition.right - placement.rcNormalPosition.left, GetSystemMetrics(SM_CXMAXTRACK));
    const std::vector<TFolderEntry> several = LoadFolderEntries(SettingsRoot());
    EXPECT_EQ(several.size(), 1u) << "FolderCount is read up to its cap only";
    ASSERT_FALSE(several.empty());
    EXPECT_EQ(several[0].folder, L"C:\\First");

    // Logging off: the question about tags comes where the system lets it
    // come, and the favourites of the run are saved.
    const HWND window = main->Handle();
    main->FontList()[0].Tagged = true;
    main->Settings().favorites = {L"C:\\Favourite of this run"};
    const std::wstring temporary = folder.Write(L"temp.lst", {'x'});
    main->TemporaryFiles.push_back(temporary);
    settings::TRegistryEx reg(SettingsRoot());
    {
        ScriptedAnswers keep(IDCANCEL);
        EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CRITICAL)) << "nothing holds it up";
        EXPECT_TRUE(keep.asked.empty());
        EXPECT_FALSE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) << "the user keeps the tags";
        EXPECT_EQ(keep.asked.size(), 1u);
    }
    {
        ScriptedAnswers ok(IDOK);
        EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        SendMessageW(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        EXPECT_FALSE(reg.KeyExists(settings::kFavoritesKey)) << "another program refused: the session goes on";
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_EQ(ok.asked.size(), 1u) << "nothing is asked once the session ends";
    }
    EXPECT_EQ(settings::LoadList(SettingsRoot(), settings::kFavoritesKey, settings::kFavoritesCap),
              std::vector<std::wstring>{L"C:\\Favourite of this run"});
    EXPECT_EQ(GetFileAttributesW(temporary.c_str()), INVALID_FILE_ATTRIBUTES) << "temporary files deleted";
    CloseUntagged(main);

    // A settings key that cannot be opened for writing: one report with the
    // system's text, and the rest is still written.
    ASSERT_TRUE(SetKeyAccess(SettingsRoot(), L"D:(D;;0x0002;;;WD)(A;OICI;KA;;;WD)"));  // no KEY_SET_VALUE
    ASSERT_TRUE(reg.DeleteKey(ButtonBar::kSettingsKey));
    settings::TRegistryEx version(settings::ActiveVersionKey());
    ASSERT_TRUE(version.DeleteKey(L""));
    {
        auto refused = OpenHidden();
        ASSERT_TRUE(refused);
        ScriptedAnswers ok(IDOK);
        Close(*refused);
        ASSERT_EQ(ok.asked.size(), 1u) << "one report for the whole save";
        EXPECT_NE(ok.asked[0].find(win::SystemErrorText(ERROR_ACCESS_DENIED)), std::wstring::npos) << ok.asked[0];
    }
    EXPECT_TRUE(reg.KeyExists(ButtonBar::kSettingsKey)) << "the toolbar layout is written";
    ASSERT_TRUE(version.OpenKeyReadOnly(L"")) << "the version record is written";
    EXPECT_EQ(version.ReadIntegerDef(L"VersionMajor", 0, settings::kAnyInteger), 1);
    EXPECT_TRUE(SetKeyAccess(SettingsRoot(), L"D:(A;OICI;KA;;;WD)"));
}

}  // namespace
}  // namespace typorama::app

namespace typorama::app {
namespace {

// Both programs carry the version the code reports, in the resource Explorer
// and installers read.
TEST(VersionResource, BothProgramsCarryTheProgramsVersion) {
    for (const std::wstring& name : {std::wstring(L"" TYPORAMA_GUI_EXE), std::wstring(L"typorama-cli.exe")}) {
        const std::wstring path = test::ProgramFolder() + name;
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource in " << win::WideToUtf8(name);
        std::vector<std::uint8_t> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(kVersionMinor, kVersionMajor)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, kVersionBuild)));
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                                   reinterpret_cast<void**>(&text), &length));
        EXPECT_EQ(std::wstring(text), std::to_wstring(kVersionMajor) + L"." + std::to_wstring(kVersionMinor) + L"." +
                                          std::to_wstring(kVersionBuild));
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                                   reinterpret_cast<void**>(&text), &length));
        EXPECT_EQ(std::wstring(text), name);
    }
}

}  // namespace
}  // namespace typorama::app
