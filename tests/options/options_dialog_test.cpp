// The options dialog on the real main window, hidden: its four ways in, the
// defaults question, the folder pages, OK and Cancel, dragging a program and
// the option tree's clicks. The shell entry goes to scratch classes keys.
#include "options/options_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "app/run_programs.h"
#include "options/options_feature.h"
#include "support/scratch.h"
#include "ui/input_box.h"
#include "ui/resource.h"
#include "ui/ui_language.h"

namespace typorama::options {
namespace {

using app::TRunProgramEntry;
using test::ModalAnswers;
using test::ScriptedAnswers;

std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    for (int i = 0; i < static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        wchar_t text[512] = L"";
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.emplace_back(text);
    }
    return rows;
}

bool Shown(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void Click(HWND window, POINT at) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

class OptionsDialogTest : public test::MainWindowFixture {
protected:
    OptionsDialogTest() : MainWindowFixture(L"options"), user_(L"options-classes"), machine_(L"options-machine") {
        main_ = OpenHidden();
        if (!main_) return;
        main_->Beep = [this] { ++beeps_; };
        OptionsFeature& feature = *main_->Feature<OptionsFeature>();
        feature.ShellPlaces = {{HKEY_CURRENT_USER, user_.SubKey()}, {HKEY_CURRENT_USER, machine_.SubKey()}};
        feature.ProgramPath = L"C:\\Program Files\\Typorama\\typorama.exe";
    }
    ~OptionsDialogTest() override { CloseUntagged(main_); }

    // Runs `command`; `inside` gets the options dialog (nested dialogs go to
    // `nested`), then the dialog ends with `close`.
    void Run(UINT command, const std::function<void(TfrmConfig&)>& inside, int close,
             const std::function<void(ui::Dialog&)>& nested = {}) {
        int opened = 0;
        ModalAnswers answers([&](ui::Dialog& dialog) {
            if (auto* config = dynamic_cast<TfrmConfig*>(&dialog)) {
                ++opened;
                inside(*config);
                PostMessageW(config->Handle(), WM_COMMAND, close, 0);
            } else if (nested) {
                nested(dialog);
            } else {
                PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
            }
        });
        ASSERT_TRUE(main_->RunCommand(command));
        EXPECT_EQ(opened, 1);
    }

    std::unique_ptr<app::TfrmMain> main_;
    test::ScratchKey user_, machine_;
    int beeps_ = 0;
};

TEST_F(OptionsDialogTest, FourWaysInShowTheirPageAloneOrWithAllTabs) {
    ASSERT_TRUE(main_);
    const std::vector<OptionsPage> all{OptionsPage::General, OptionsPage::UserText, OptionsPage::Programs,
                                       OptionsPage::Favorites, OptionsPage::Destinations};
    struct Way {
        UINT command;
        OptionsPage page;
        bool alone;
    };
    for (const Way way : {Way{IDM_TOOLS_OPTIONS, OptionsPage::General, false},
                          Way{IDM_USER_STRING_EDIT_LIST, OptionsPage::UserText, false},
                          Way{IDM_RUN_CONFIG, OptionsPage::Programs, true},
                          Way{IDM_FAV_ORGANIZE, OptionsPage::Favorites, true}}) {
        Run(way.command, [&](TfrmConfig& dialog) {
            EXPECT_EQ(dialog.ActivePage(), way.page) << way.command;
            EXPECT_EQ(dialog.Tabs(), way.alone ? std::vector<OptionsPage>{way.page} : all) << way.command;
            EXPECT_EQ(Shown(dialog.Item(IDC_OPT_DEFAULTS)), !way.alone) << way.command;
            EXPECT_EQ(Shown(dialog.Tree().Hwnd()), way.page == OptionsPage::General) << way.command;
        }, IDCANCEL);
    }
    // The sample strings' pop-up reaches the options through its own command.
    EXPECT_TRUE(main_->Commands().Enabled(IDM_USER_STRING_EDIT_LIST));
}

TEST_F(OptionsDialogTest, DefaultsAnsweredNoOnFavouritesOnlySayThereAreNone) {
    ASSERT_TRUE(main_);
    main_->Settings().favorites = {L"C:\\Fonts"};
    ScriptedAnswers answers(IDNO);
    Run(IDM_TOOLS_OPTIONS, [&](TfrmConfig& dialog) {
        dialog.ShowPage(OptionsPage::Favorites);
        SendMessageW(dialog.Handle(), WM_COMMAND, IDC_OPT_DEFAULTS, 0);
        EXPECT_EQ(Rows(dialog.List(OptionsPage::Favorites).Hwnd()), std::vector<std::wstring>{L"C:\\Fonts"});
    }, IDOK);
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0], L"全部页面载入默认的设置吗？单击【否】将仅恢复\"收藏夹\"默认值。");
    EXPECT_EQ(answers.flags[0] & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK),
              static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(answers.asked[1], L"页面\"收藏夹\"没有默认选项。");
    EXPECT_EQ(main_->Settings().favorites, std::vector<std::wstring>{L"C:\\Fonts"});
    EXPECT_EQ(beeps_, 1);
}

TEST_F(OptionsDialogTest, AFolderListedInOtherLetterCaseIsNotAddedAgain) {
    ASSERT_TRUE(main_);
    main_->Settings().favorites = {L"C:\\Fonts\\Mine"};
    Run(IDM_FAV_ORGANIZE, [&](TfrmConfig& dialog) {
        std::wstring chosen = L"c:\\fonts\\MINE";
        dialog.BrowseFolder = [&](HWND, std::wstring& folder) {
            folder = chosen;
            return true;
        };
        SendMessageW(dialog.Handle(), WM_COMMAND, IDC_OPT_ADD, 0);
        chosen = L"D:\\Other";
        SendMessageW(dialog.Handle(), WM_COMMAND, IDC_OPT_ADD, 0);
    }, IDOK);
    EXPECT_EQ(main_->Settings().favorites, (std::vector<std::wstring>{L"C:\\Fonts\\Mine", L"D:\\Other"}));
}

TEST_F(OptionsDialogTest, OkAppliesEveryValueAndCancelNone) {
    ASSERT_TRUE(main_);
    std::vector<TRunProgramEntry>& programs = main_->Feature<app::RunPrograms>()->Programs();
    programs = {{L"A", L"a.exe"}, {L"B", L"b.exe"}, {L"C", L"c.exe"}, {L"D", L"d.exe"}};
    const app::MainSettings before = main_->Settings();
    const auto changeEverything = [&](TfrmConfig& dialog) {
        const auto check = [&](UINT id) { return static_cast<ThCheckOptionItem*>(dialog.TreeItem(id)); };
        for (UINT id : {6211u, 6230u, 6231u, 6232u}) check(id)->SetChecked(!check(id)->Checked());
        check(6227)->SetChecked(true);  // the shell entry
        for (UINT i = 0; i < 5; ++i) static_cast<ThColorOptionItem*>(dialog.TreeItem(6212 + i))->SetColor(0x010203 * (i + 1));
        static_cast<ThRadioOptionItem*>(dialog.TreeItem(6219))->Select();
        static_cast<ThTextOptionItem*>(dialog.TreeItem(6220))->SetValue(L"viewer.exe $TY_FILENAME");
        static_cast<ThRadioOptionItem*>(dialog.TreeItem(6224))->Select();
        static_cast<ThTextOptionItem*>(dialog.TreeItem(6225))->SetValue(L"D:\\Start");
        // The sizes through their input box, as a click on the text opens it.
        dialog.Tree().ActOn(*dialog.TreeItem(6229));
        SendMessageW(dialog.List(OptionsPage::UserText).Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Ab"));
        SendMessageW(dialog.List(OptionsPage::Destinations).Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"E:\\Out"));
        // The first of four programs dragged onto the last.
        dialog.ShowPage(OptionsPage::Programs);
        const HWND list = dialog.List(OptionsPage::Programs).Hwnd();
        RECT first{}, last{};
        SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&last));
        const POINT from = Centre(first), to = Centre(last);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        EXPECT_EQ(Rows(list), (std::vector<std::wstring>{L"B", L"C", L"D", L"A"}));
        EXPECT_EQ(dialog.ProgramCopy()[3].cmdLine, L"a.exe");
    };
    const auto sizes = [](ui::Dialog& dialog) {
        if (auto* box = dynamic_cast<ui::InputBox*>(&dialog)) box->SetEditText(L"9 10");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    };

    Run(IDM_TOOLS_OPTIONS, changeEverything, IDCANCEL, sizes);
    const app::MainSettings& after = main_->Settings();
    EXPECT_EQ(after.fontSizes, before.fontSizes);
    EXPECT_EQ(after.useCustomColors, before.useCustomColors);
    EXPECT_EQ(after.colorBack, before.colorBack);
    EXPECT_EQ(after.dblClickOpenCmdLine, before.dblClickOpenCmdLine);
    EXPECT_EQ(after.sampleStrings.items, before.sampleStrings.items);
    EXPECT_EQ(after.destinations, before.destinations);
    EXPECT_EQ(programs[0].title, L"A");
    EXPECT_FALSE(ShellEntryPresent(L"C:\\Program Files\\Typorama\\typorama.exe",
                                   main_->Feature<OptionsFeature>()->ShellPlaces));

    Run(IDM_TOOLS_OPTIONS, changeEverything, IDOK, sizes);
    EXPECT_EQ(after.fontSizes, L"9 10");
    EXPECT_EQ(after.sampleStrings.items.back(), L"Ab");
    EXPECT_EQ(after.destinations.back(), L"E:\\Out");
    ASSERT_EQ(programs.size(), 4u);
    EXPECT_EQ(programs[0].title + programs[3].title + programs[3].cmdLine, L"BAa.exe");
    EXPECT_EQ(after.dblClickOpenType, 1);
    EXPECT_EQ(after.dblClickOpenCmdLine, L"viewer.exe $TY_FILENAME");
    EXPECT_EQ(after.minimizeToTray, !before.minimizeToTray);
    EXPECT_EQ(after.useCustomColors, !before.useCustomColors);
    EXPECT_EQ(after.colorFont, 0x010203u);
    EXPECT_EQ(after.colorSelectionText, 0x050A0Fu);
    EXPECT_EQ(after.startupRestoreFolderType, 2);
    EXPECT_EQ(after.startupSpecialFolder, L"D:\\Start");
    EXPECT_EQ(after.highlightFontFolders, !before.highlightFontFolders);
    EXPECT_EQ(after.hideSystemFonts, !before.hideSystemFonts);
    EXPECT_TRUE(ShellEntryPresent(L"C:\\Program Files\\Typorama\\typorama.exe",
                                  main_->Feature<OptionsFeature>()->ShellPlaces));
}

TEST_F(OptionsDialogTest, TheLanguageBoxShowsTheStoredChoiceAndOkStoresTheNewOne) {
    ASSERT_TRUE(main_);
    ASSERT_TRUE(ui::StoreLanguageChoice(LanguageChoice::Chinese));
    Run(IDM_TOOLS_OPTIONS, [](TfrmConfig& dialog) {
        const HWND box = dialog.Item(IDC_OPT_LANGUAGE);
        EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 1) << "Chinese, as stored";
        EXPECT_TRUE(Shown(box));
        dialog.ShowPage(OptionsPage::Favorites);
        EXPECT_FALSE(Shown(box)) << "on the General page only";
        EXPECT_FALSE(Shown(dialog.Item(IDC_OPT_LANGUAGE_NOTE)));
        SendMessageW(box, CB_SETCURSEL, 2, 0);
    }, IDCANCEL);
    EXPECT_EQ(ui::StoredLanguageChoice(), LanguageChoice::Chinese) << "Cancel stores nothing";
    Run(IDM_TOOLS_OPTIONS, [](TfrmConfig& dialog) { SendMessageW(dialog.Item(IDC_OPT_LANGUAGE), CB_SETCURSEL, 2, 0); },
        IDOK);
    settings::TRegistryEx reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(L""));
    EXPECT_EQ(reg.ReadStringDef(ui::kLanguageValue, L""), L"en") << "stored at once, read at the next start";
    EXPECT_EQ(ui::CurrentUiLanguage(), UiLanguage::Chinese) << "the running program keeps its language";
}

TEST_F(OptionsDialogTest, OptionTreeActsOnImageClicksAndSpaceAndBeepsWhenDisabled) {
    ASSERT_TRUE(main_);
    main_->Settings().useCustomColors = false;
    main_->Settings().dblClickOpenType = 0;
    Run(IDM_TOOLS_OPTIONS, [&](TfrmConfig& dialog) {
        ThOptionTree& tree = dialog.Tree();
        auto& custom = *static_cast<ThCheckOptionItem*>(dialog.TreeItem(6211));
        auto& font = *static_cast<ThColorOptionItem*>(dialog.TreeItem(6212));
        int picked = 0;
        dialog.PickColor = [&](HWND, std::uint32_t& color) {
            ++picked;
            color = 0x123456;
            return true;
        };
        // A colour under the switched-off check item is disabled: a beep, no picker.
        EXPECT_FALSE(font.Enabled());
        Click(tree.Hwnd(), Centre(tree.ImageRect(font)));
        EXPECT_EQ(picked, 0);
        EXPECT_EQ(beeps_, 1);
        // A click on the check item's text does nothing; on its image it toggles.
        Click(tree.Hwnd(), Centre(tree.TextRect(custom)));
        EXPECT_FALSE(custom.Checked());
        Click(tree.Hwnd(), Centre(tree.ImageRect(custom)));
        EXPECT_TRUE(custom.Checked());
        EXPECT_EQ(custom.Image(), 1);
        EXPECT_TRUE(font.Enabled());
        // Space on the selected colour item opens the picker.
        TreeView_SelectItem(tree.Hwnd(), font.Node());
        SendMessageW(tree.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(picked, 1);
        EXPECT_EQ(font.Color(), 0x123456u);
        // A radio item clears its siblings; the viewer's path follows it.
        auto& internal = *static_cast<ThRadioOptionItem*>(dialog.TreeItem(6218));
        auto& external = *static_cast<ThRadioOptionItem*>(dialog.TreeItem(6219));
        EXPECT_FALSE(dialog.TreeItem(6220)->Enabled());
        Click(tree.Hwnd(), Centre(tree.ImageRect(external)));
        EXPECT_TRUE(external.Checked());
        EXPECT_FALSE(internal.Checked());
        EXPECT_EQ(internal.Image(), 2);
        EXPECT_TRUE(dialog.TreeItem(6220)->Enabled());
        // The tree stays expanded (Left on an open node would close it).
        TreeView_SelectItem(tree.Hwnd(), custom.Node());
        SendMessageW(tree.Hwnd(), WM_KEYDOWN, VK_LEFT, 0);
        EXPECT_TRUE(TreeView_GetItemState(tree.Hwnd(), custom.Node(), TVIS_EXPANDED) & TVIS_EXPANDED);
    }, IDCANCEL);
}

}  // namespace
}  // namespace typorama::options
