// Installing and uninstalling in the real main window, hidden, on a scratch
// installed-font list and fonts folder: the dialogs' choices and remembered
// folders, the entries written and removed, and the Tools folder commands.
#include "tools/install_feature.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "tools/install_dialogs.h"
#include "ui/resource.h"
#include "win/registry.h"
#include "win/window_text.h"

namespace typorama::tools {
namespace {

using test::ModalAnswers;
using test::ScratchFolder;
using test::ScratchKey;
using test::ScriptedAnswers;

class InstallFeatureTest : public test::MainWindowFixture {
protected:
    InstallFeatureTest()
        : MainWindowFixture(L"install"), fontsKey_(L"install-fonts"), fontsFolder_(L"install-sysfonts"),
          where_(catalog::ScratchLocations(fontsKey_, fontsFolder_.Path())), folder_(L"install-list") {}
    ~InstallFeatureTest() override { CloseUntagged(main_); }

    app::TfrmMain& Open(const std::wstring& folder) {
        main_ = OpenHidden(folder, where_);
        EXPECT_TRUE(main_);
        return *main_;
    }
    std::wstring Entry(const std::wstring& valueName) const {
        return win::ReadString(fontsKey_.Get(), valueName).value_or(L"<none>");
    }
    // Answers the next install or remove dialog with `choice`, after `fill`.
    static void Choose(ui::Dialog& dialog, int choice, const std::wstring& folder = L"") {
        const int ids[] = {IDC_INS_CHOICE1, IDC_INS_CHOICE2, IDC_INS_CHOICE3};
        CheckRadioButton(dialog.Handle(), IDC_INS_CHOICE1, IDC_INS_CHOICE3, ids[choice]);
        SetDlgItemTextW(dialog.Handle(), IDC_INS_FOLDER, folder.c_str());
    }

    ScratchKey fontsKey_;
    ScratchFolder fontsFolder_;
    catalog::SystemLocations where_;
    ScratchFolder folder_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(InstallFeatureTest, InstallInTheFontsFolderAndUninstallEveryFormOfItsEntry) {
    const std::wstring file = fontsFolder_.Write(L"inst.ttf", test::BuildFont(test::FontSpec::Named(u"TyInstall Alpha")));
    app::TfrmMain& main = Open(fontsFolder_.Path());
    ASSERT_EQ(main.FontList().Count(), 1);
    main.FontList()[0].Tagged = true;

    // Cancel keeps the choice and the new folder text.
    int shown = 0;
    ModalAnswers cancel([&](ui::Dialog& dialog) {
        ++shown;
        EXPECT_EQ(win::WindowText(dialog.Handle()), L"安装字体");
        EXPECT_EQ(win::WindowText(GetDlgItem(dialog.Handle(), IDC_INS_INFO)), L"用 1 选定的字体:");
        EXPECT_EQ(win::WindowText(GetDlgItem(dialog.Handle(), IDC_INS_FONTS)), L"TyInstall Alpha\r\n");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.Handle(), IDC_INS_FOLDER)));
        Choose(dialog, 2, L"C:\\Typorama Copies");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_INSTALL));
    settings::TRegistryEx install = Settings(L"Install");
    EXPECT_EQ(install.ReadIntegerDef(L"FontsLocation", -1, settings::kAnyInteger), 2);
    EXPECT_EQ(install.ReadStringDef(L"DefaultFolder", L""), L"C:\\Typorama Copies");
    EXPECT_EQ(install.ReadIntegerDef(L"FolderCount", -1, settings::kAnyInteger), 1);
    EXPECT_EQ(install.ReadStringDef(L"Folder0", L""), L"C:\\Typorama Copies");
    EXPECT_EQ(Entry(L"TyInstall Alpha (TrueType)"), L"<none>");

    // Copying into the fonts folder what lies there already does nothing.
    ModalAnswers copy([&](ui::Dialog& dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_INS_CHOICE3), BST_CHECKED) << "the stored choice";
        EXPECT_EQ(SendDlgItemMessageW(dialog.Handle(), IDC_INS_FOLDER, CB_GETCOUNT, 0, 0), 1);
        Choose(dialog, 1);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_INSTALL));
    EXPECT_EQ(Entry(L"TyInstall Alpha (TrueType)"), L"<none>");

    // In place, in the fonts folder: the bare file name; the list shows it installed.
    ModalAnswers inPlace([&](ui::Dialog& dialog) {
        Choose(dialog, 0);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_INSTALL));
    EXPECT_EQ(Entry(L"TyInstall Alpha (TrueType)"), L"inst.ttf");
    ASSERT_EQ(main.FontList().Count(), 1);
    EXPECT_TRUE(main.FontList()[0].InstalledFromThisFile);

    // Uninstall only: every form pointing at the file goes, nothing else.
    win::WriteString(fontsKey_.Get(), L"TyInstall Alpha (True Type)", L"inst.ttf");
    win::WriteString(fontsKey_.Get(), L"TyInstall Alpha (OpenType)", file);
    win::WriteString(fontsKey_.Get(), L"TyInstall Alpha", L"D:\\elsewhere.ttf");
    ModalAnswers remove([&](ui::Dialog& dialog) {
        EXPECT_EQ(win::WindowText(dialog.Handle()), L"移除字体");
        Choose(dialog, 0);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_UNINSTALL));
    EXPECT_EQ(Entry(L"TyInstall Alpha (TrueType)"), L"<none>");
    EXPECT_EQ(Entry(L"TyInstall Alpha (True Type)"), L"<none>");
    EXPECT_EQ(Entry(L"TyInstall Alpha (OpenType)"), L"<none>");
    EXPECT_EQ(Entry(L"TyInstall Alpha"), L"D:\\elsewhere.ttf");
    EXPECT_FALSE(main.FontList()[0].InstalledFromThisFile) << "the bare entry is another file's";
}

TEST_F(InstallFeatureTest, ACollectionInstallsAsOneEntryNamedAfterAllItsFacesAndUninstallsWhole) {
    fontsFolder_.Write(L"pair.ttc", test::BuildCollection({test::BuildFont(test::FontSpec::Named(u"TyInstall Song")),
                                                           test::BuildFont(test::FontSpec::Named(u"TyInstall NSong"))}));
    app::TfrmMain& main = Open(fontsFolder_.Path());
    ASSERT_EQ(main.FontList().Count(), 2);
    // Both faces tagged: the dialog names the file's entry once.
    main.FontList()[0].Tagged = main.FontList()[1].Tagged = true;
    ModalAnswers inPlace([&](ui::Dialog& dialog) {
        EXPECT_EQ(win::WindowText(GetDlgItem(dialog.Handle(), IDC_INS_FONTS)), L"TyInstall Song & TyInstall NSong\r\n");
        Choose(dialog, 0);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_INSTALL));
    EXPECT_EQ(Entry(L"TyInstall Song & TyInstall NSong (TrueType)"), L"pair.ttc");
    EXPECT_EQ(Entry(L"TyInstall Song (TrueType)"), L"<none>");
    EXPECT_EQ(Entry(L"TyInstall NSong (TrueType)"), L"<none>");
    ASSERT_EQ(main.FontList().Count(), 2);
    EXPECT_TRUE(main.FontList()[0].InstalledFromThisFile && main.FontList()[1].InstalledFromThisFile);

    // Uninstalling one face removes the collection's entry.
    main.FontList().TagItems(catalog::TagRule::None);
    main.FontList()[1].Tagged = true;
    ModalAnswers remove([&](ui::Dialog& dialog) {
        Choose(dialog, 0);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_UNINSTALL));
    EXPECT_EQ(Entry(L"TyInstall Song & TyInstall NSong (TrueType)"), L"<none>");
    EXPECT_FALSE(main.FontList()[0].Installed);
}

TEST_F(InstallFeatureTest, AFontWhoseNameTheListCannotTakeIsReportedNotInstalled) {
    fontsFolder_.Write(L"odd.ttf", test::BuildFont(test::FontSpec::Named(u"TyInstall Odd (TrueType)")));
    app::TfrmMain& main = Open(fontsFolder_.Path());
    ASSERT_EQ(main.FontList().Count(), 1);
    main.FontList()[0].Tagged = true;
    ModalAnswers inPlace([&](ui::Dialog& dialog) {
        Choose(dialog, 0);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    ScriptedAnswers answers(IDOK);
    EXPECT_TRUE(main.RunCommand(IDM_FONT_INSTALL));
    EXPECT_EQ(win::ValueNames(fontsKey_.Get()).size(), 0u);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0], L"1 个字体已载入，但未能安装：字体的名称或文件路径不能写入已安装字体的列表。");
}

TEST_F(InstallFeatureTest, OffersTenRememberedFoldersAndTheSystemSourceCannotInstall) {
    settings::TRegistryEx install = Settings(L"UnInstall");
    install.WriteInteger(L"FolderCount", 12);
    for (int i = 0; i < 12; ++i) install.WriteString(L"Folder" + std::to_wstring(i), L"C:\\F" + std::to_wstring(i));
    folder_.Write(L"b.ttf", test::BuildFont(test::FontSpec::Named(u"TyInstall Beta")));
    app::TfrmMain& main = Open(folder_.Path());
    ASSERT_EQ(main.FontList().Count(), 1);
    main.FontList()[0].Tagged = true;
    ModalAnswers look([&](ui::Dialog& dialog) {
        EXPECT_EQ(SendDlgItemMessageW(dialog.Handle(), IDC_INS_FOLDER, CB_GETCOUNT, 0, 0), 10);
        PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_UNINSTALL));
    EXPECT_EQ(Settings(L"UnInstall").ReadIntegerDef(L"FolderCount", -1, settings::kAnyInteger), 10);

    main.FontList().SetSourceKind(catalog::SourceKind::System);
    main.FontList().Rebuild(false);
    main.UpdateCommandStates();
    EXPECT_FALSE(main.RunCommand(IDM_FONT_INSTALL)) << "nothing to install from the system";
}

TEST_F(InstallFeatureTest, ToolsUninstallOfFontsNotLoadedKeepsTheirEntriesAndCounts) {
    const std::wstring c = folder_.Write(L"c.ttf", test::BuildFont(test::FontSpec::Named(u"TyInstall Gamma")));
    const std::wstring d = folder_.Write(L"d.otf", test::BuildFont(test::FontSpec::Named(u"TyInstall Delta")));
    win::WriteString(fontsKey_.Get(), L"TyInstall Gamma (TrueType)", c);
    win::WriteString(fontsKey_.Get(), L"TyInstall Delta (OpenType)", d);
    app::TfrmMain& main = Open(L"");
    ScriptedAnswers answers(IDOK);
    main.Feature<InstallCommands>()->RunFolderCommand(BatchOp::Uninstall, folder_.Path());
    EXPECT_EQ(Entry(L"TyInstall Gamma (TrueType)"), c);
    EXPECT_EQ(Entry(L"TyInstall Delta (OpenType)"), d);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0], L"总计 2 字体已处理。\r\n其中 0 个成功，2 个已处理。");

    // Install loads and registers both; Uninstall then takes them away again.
    main.Feature<InstallCommands>()->RunFolderCommand(BatchOp::Install, folder_.Path());
    EXPECT_EQ(Entry(L"TyInstall Gamma (TrueType)"), c);
    EXPECT_TRUE(catalog::IsFontAvailable(L"TyInstall Gamma", L"TyInstall Gamma"));
    main.Feature<InstallCommands>()->RunFolderCommand(BatchOp::Uninstall, folder_.Path());
    EXPECT_EQ(Entry(L"TyInstall Gamma (TrueType)"), L"<none>");
    EXPECT_EQ(Entry(L"TyInstall Delta (OpenType)"), L"<none>");
    EXPECT_FALSE(catalog::IsFontAvailable(L"TyInstall Gamma", L"TyInstall Gamma"));
}

TEST_F(InstallFeatureTest, ToolsInstallWithoutRightsSaysWhy) {
    const std::wstring e = folder_.Write(L"e.ttf", test::BuildFont(test::FontSpec::Named(u"TyInstall Epsilon")));
    app::TfrmMain& main = Open(L"");
    ASSERT_TRUE(fontsKey_.DenyValueChanges());
    ScriptedAnswers answers(IDOK);
    main.Feature<InstallCommands>()->RunFolderCommand(BatchOp::Install, folder_.Path());
    catalog::UnloadFont(e, where_);
    EXPECT_EQ(Entry(L"TyInstall Epsilon (TrueType)"), L"<none>");
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0], L"总计 1 字体已处理。\r\n其中 0 个成功，1 个已处理。");
    EXPECT_EQ(answers.asked[1], L"1 个字体未能安装或卸载：需要管理员权限。");
}

}  // namespace
}  // namespace typorama::tools
