// Browsing sources on the real main window, created hidden: opening folders,
// the folder tree, favourites, several folders and fonts not installed.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <functional>
#include <utility>
#include <vector>

#include "app/browse_folder_dialog.h"
#include "app/dir_tree.h"
#include "app/font_search.h"
#include "app/browsing.h"
#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "app/multi_folders_dialog.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/shell_tree.h"
#include "win/resource_strings.h"

namespace typorama::app {
namespace {

using test::PumpMessages;
using test::ScriptedAnswers;
using test::BuildFont;
using test::FontSpec;
using test::ModalAnswers;
using test::ScratchFolder;

void Press(ui::Dialog& dialog, int id) { PostMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::wstring Trimmed(const std::wstring& path) { return ui::TrimFolderPath(path); }

std::wstring Title(HWND window) {
    wchar_t title[MAX_PATH * 2]{};
    GetWindowTextW(window, title, ARRAYSIZE(title));
    return title;
}

class BrowsingTest : public test::MainWindowFixture {
protected:
    BrowsingTest() : MainWindowFixture(L"browsing") {}
};

TEST_F(BrowsingTest, OpenFolderRefusesMissingFoldersAndKeptTags) {
    ScratchFolder a(L"browse-open-a");
    a.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyBrowseOpenA")));
    ScratchFolder b(L"browse-open-b");
    b.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyBrowseOpenB")));
    auto main = OpenHidden(a.Path());
    ASSERT_TRUE(main);
    EXPECT_FALSE(main->Feature<Browsing>()->OpenFolder(a.Path() + L"missing", false, true)) << "a folder that does not exist";
    EXPECT_EQ(main->FontList().Folder(), a.Path());

    main->FontList()[0].Tagged = true;
    {
        ScriptedAnswers cancel(IDCANCEL);
        EXPECT_FALSE(main->Feature<Browsing>()->OpenFolder(b.Path(), false, true)) << "the user keeps the tags";
        EXPECT_EQ(cancel.asked.size(), 1u);
        // The several-folders search would replace the list too: it asks before its dialog.
        ModalAnswers dialogs([](ui::Dialog& dialog) { SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0); });
        main->RunCommand(IDM_VIEW_MULTI_FOLDERS);
        EXPECT_EQ(cancel.asked.size(), 2u);
        EXPECT_EQ(dialogs.shown, 0);
        EXPECT_EQ(main->FontList().Folder(), a.Path());
        EXPECT_TRUE(main->FontList()[0].Tagged);
    }
    {
        ScriptedAnswers ok(IDOK);
        EXPECT_TRUE(main->Feature<Browsing>()->OpenFolder(b.Path(), true, true));
        EXPECT_EQ(main->FontList().Folder(), b.Path());
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder);
        EXPECT_TRUE(main->FontList().IncludeSubfolders);
        ASSERT_EQ(main->FontList().Count(), 1);
        EXPECT_EQ(main->FontList()[0].Name, L"TyBrowseOpenB");
        EXPECT_EQ(Title(main->Handle()), L"Typorama - " + b.Path() + L"*");
        EXPECT_EQ(main->Feature<Browsing>()->FolderTree()->Tree().SelectedPath(), Trimmed(b.Path())) << "selected in the visible tree";
    }
    CloseUntagged(main);
}

TEST_F(BrowsingTest, TheTreeOpensWhatIsChosenButNotTheFolderShown) {
    ScratchFolder root(L"browse-tree");
    root.Write(L"one\\a.ttf", BuildFont(FontSpec::Named(u"TyBrowseTreeA")));
    root.Write(L"two\\b.otf", BuildFont(FontSpec::Named(u"TyBrowseTreeB")));
    root.Write(L"plain\\readme.txt", {'x'});
    auto main = OpenHidden(root.Path() + L"one\\");
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->TreeVisible()) << "a start-up folder shows the tree";
    DirTree* tree = main->Feature<Browsing>()->FolderTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(GetWindowLongW(tree->Splitter(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongW(tree->Tree().Hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(tree->Tree().SelectedPath(), root.Path() + L"one") << "the start folder is selected";

    // Expanding the parent marks the folders holding fonts.
    ui::ShellTree& shell = tree->Tree();
    const HTREEITEM one = shell.Selected();
    const HTREEITEM parent = TreeView_GetParent(shell.Hwnd(), one);
    for (HTREEITEM child : shell.Children(parent)) {
        const std::wstring path = shell.NodePath(child);
        const bool font = path == root.Path() + L"one" || path == root.Path() + L"two";
        EXPECT_EQ(shell.Mark(child), font) << "mark of " << std::string(path.begin(), path.end());
    }

    // Marked nodes draw in bold only while HighlightFontFolders is on.
    bool bold = false;
    ASSERT_TRUE(shell.OnCustomDraw);
    shell.OnCustomDraw(one, bold);
    EXPECT_TRUE(bold);
    main->Settings().highlightFontFolders = false;
    bold = false;
    shell.OnCustomDraw(one, bold);
    EXPECT_FALSE(bold);
    main->Settings().highlightFontFolders = true;

    int fills = 0;
    main->FontListRebuilt += [&fills] { ++fills; };
    bool ctrl = false;
    main->Feature<Browsing>()->ControlKeyHeld = [&ctrl] { return ctrl; };

    ASSERT_TRUE(shell.SelectPath(root.Path() + L"two"));
    EXPECT_EQ(fills, 1) << "choosing another folder shows it";
    EXPECT_EQ(main->FontList().Folder(), root.Path() + L"two");
    EXPECT_FALSE(main->FontList().IncludeSubfolders);

    ASSERT_TRUE(main->Feature<Browsing>()->OpenFolder(root.Path() + L"one\\", false, false));
    EXPECT_EQ(shell.SelectedPath(), root.Path() + L"two") << "not selected in the tree when not asked";
    fills = 0;
    ctrl = true;
    ASSERT_TRUE(shell.SelectPath(root.Path() + L"one"));
    EXPECT_EQ(fills, 0) << "the folder shown already is not filled again, even with Ctrl";
    EXPECT_FALSE(main->FontList().IncludeSubfolders);

    ASSERT_TRUE(shell.SelectPath(root.Path() + L"two"));
    EXPECT_EQ(fills, 1);
    EXPECT_TRUE(main->FontList().IncludeSubfolders) << "Ctrl includes the subfolders";
    EXPECT_EQ(Title(main->Handle()).back(), L'*');

    // A click on the node selected already opens it again once the list shows something else.
    ctrl = false;
    ASSERT_TRUE(main->Feature<Browsing>()->OpenFolder(root.Path() + L"one", false, false));
    fills = 0;
    RECT rect{};
    ASSERT_TRUE(TreeView_GetItemRect(shell.Hwnd(), shell.Selected(), &rect, TRUE));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(shell.Hwnd(), WM_LBUTTONUP, 0, point);  // ends the view's drag detection
    SendMessageW(shell.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PumpMessages();
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(main->FontList().Folder(), root.Path() + L"two");
    CloseUntagged(main);
}

TEST_F(BrowsingTest, KeptTagsTakeTheTreeBackToTheListsFolder) {
    ScratchFolder root(L"browse-tree-refused");
    root.Write(L"one\\a.ttf", BuildFont(FontSpec::Named(u"TyBrowseRefusedA")));
    root.Write(L"two\\b.ttf", BuildFont(FontSpec::Named(u"TyBrowseRefusedB")));
    auto main = OpenHidden(root.Path() + L"one\\");
    ASSERT_TRUE(main);
    ui::ShellTree& shell = main->Feature<Browsing>()->FolderTree()->Tree();
    ASSERT_EQ(shell.SelectedPath(), root.Path() + L"one");
    HTREEITEM two = nullptr;
    for (HTREEITEM child : shell.Children(TreeView_GetParent(shell.Hwnd(), shell.Selected())))
        if (shell.NodePath(child) == root.Path() + L"two") two = child;
    ASSERT_NE(two, nullptr);
    main->FontList()[0].Tagged = true;

    // The user clicks "two" and keeps the tags.
    ScriptedAnswers cancel(IDCANCEL);
    RECT rect{};
    ASSERT_TRUE(TreeView_GetItemRect(shell.Hwnd(), two, &rect, TRUE));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(shell.Hwnd(), WM_LBUTTONUP, 0, point);  // ends the view's drag detection
    SendMessageW(shell.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PumpMessages();
    ASSERT_EQ(cancel.asked.size(), 1u) << "the click asked about the tags";
    EXPECT_EQ(main->FontList().Folder(), root.Path() + L"one\\");
    EXPECT_TRUE(main->FontList()[0].Tagged);
    EXPECT_EQ(shell.SelectedPath(), root.Path() + L"one") << "the tree names the folder the list shows";
    EXPECT_EQ(cancel.asked.size(), 1u) << "going back asks nothing";
    CloseUntagged(main);
}

// Opening the folder shown already lists it anew: the only-selected view ends
// with the old rows, and no font comes back twice when it is switched off.
TEST_F(BrowsingTest, OpeningTheFolderShownEndsTheOnlySelectedView) {
    test::ScratchKey fontsKey(L"browse-again-fonts");
    ScratchFolder folder(L"browse-again");
    const std::wstring a = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyBrowseAgainA")));
    const std::wstring b = folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyBrowseAgainB")));
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, folder.Path());  // the fonts folder
    auto main = OpenHidden(folder.Path(), where);
    ASSERT_TRUE(main);
    catalog::TFontList& fonts = main->FontList();
    main->Settings().favorites = {folder.Path()};
    const MenuList* favourites = main->Commands().FindList(IDM_FAV_LIST);
    ASSERT_NE(favourites, nullptr);
    bool ctrl = false;
    main->Feature<Browsing>()->ControlKeyHeld = [&ctrl] { return ctrl; };

    const std::pair<const char*, std::function<void()>> ways[] = {
        {"favourite", [&] { favourites->choose(0); }},
        {"Ctrl+favourite",
         [&] {
             ctrl = true;
             favourites->choose(0);
             ctrl = false;
         }},
        {"system fonts folder", [&] { main->RunCommand(IDM_FAV_SYS_FONTS); }},
        {"search results", [&] { main->Feature<Browsing>()->ShowSearchResults({a, b}); }},
        {"search results again", [&] { main->Feature<Browsing>()->ShowSearchResults({a, b}); }},
    };
    for (const auto& [way, open] : ways) {
        SCOPED_TRACE(way);
        ASSERT_EQ(fonts.Count(), 2);
        fonts[0].Tagged = true;
        main->RunCommand(IDM_FILTER_SELECTED_FILES);
        ASSERT_EQ(fonts.Count(), 1);
        {
            ScriptedAnswers ok(IDOK);
            open();
        }
        EXPECT_FALSE(fonts.ShowTaggedOnly());
        EXPECT_FALSE(main->Commands().Checked(IDM_FILTER_SELECTED_FILES));
        EXPECT_EQ(fonts.HiddenCount(), 0);
        main->RunCommand(IDM_FILTER_SELECTED_FILES);
        main->RunCommand(IDM_FILTER_SELECTED_FILES);
        ASSERT_EQ(fonts.Count(), 2) << "no font listed twice";
    }
    CloseUntagged(main);
}

TEST_F(BrowsingTest, ShowingAndHidingTheTreeChangesTheWindowWidth) {
    ScratchFolder folder(L"browse-width");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyBrowseWidthA")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->TreeVisible());
    RECT shown{};
    GetWindowRect(main->Handle(), &shown);
    const int treeRoom = TfrmMain::kSplitterWidth + main->SplitterLeft() - 1 + 2;
    EXPECT_TRUE(main->Commands().Checked(IDM_VIEW_BROWSER));
    ASSERT_TRUE(main->RunCommand(IDM_VIEW_BROWSER));
    EXPECT_FALSE(main->TreeVisible());
    EXPECT_FALSE(main->Commands().Checked(IDM_VIEW_BROWSER));
    EXPECT_FALSE(GetWindowLongW(main->Feature<Browsing>()->FolderTree()->Tree().Hwnd(), GWL_STYLE) & WS_VISIBLE);
    RECT hidden{};
    GetWindowRect(main->Handle(), &hidden);
    EXPECT_EQ(shown.right - shown.left - (hidden.right - hidden.left), treeRoom);
    EXPECT_EQ(hidden.left, shown.left);

    ASSERT_TRUE(main->RunCommand(IDM_VIEW_BROWSER));
    RECT again{};
    GetWindowRect(main->Handle(), &again);
    EXPECT_EQ(again.right - again.left, shown.right - shown.left);
    // The list starts right of the splitter.
    RECT tree{}, list{};
    GetWindowRect(main->Feature<Browsing>()->FolderTree()->Tree().Hwnd(), &tree);
    GetWindowRect(main->ListBox().Hwnd(), &list);
    EXPECT_EQ(tree.right - tree.left, main->SplitterLeft() - 1);
    EXPECT_GT(list.left, tree.right);
    CloseUntagged(main);
}

TEST_F(BrowsingTest, FavouritesOpenAddAndReportMissingFolders) {
    ScratchFolder folder(L"browse-favourites");
    folder.Write(L"sub\\a.ttf", BuildFont(FontSpec::Named(u"TyBrowseFavA")));
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    EXPECT_FALSE(main->Commands().Enabled(IDM_FAV_ADD)) << "only while a folder shows";
    main->Settings().favorites = {folder.Path() + L"gone", folder.Path()};
    const MenuList* list = main->Commands().FindList(IDM_FAV_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->items().size(), 2u);
    EXPECT_EQ(list->items()[1].text, folder.Path());
    {
        ScriptedAnswers ok(IDOK);
        list->choose(0);
        ASSERT_EQ(ok.asked.size(), 1u);
        EXPECT_EQ(ok.asked[0], L"目录 \"" + folder.Path() + L"gone\" 不存在或不可访问。");
        EXPECT_TRUE(ok.flags[0] & MB_ICONEXCLAMATION);
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System) << "the list stays";
    }
    main->Feature<Browsing>()->ControlKeyHeld = [] { return true; };
    list->choose(1);
    EXPECT_EQ(main->FontList().Folder(), folder.Path());
    EXPECT_TRUE(main->FontList().IncludeSubfolders);
    EXPECT_EQ(main->FontList().Count(), 1) << "the font of the subfolder";
    EXPECT_EQ(Title(main->Handle()), L"Typorama - " + folder.Path() + L"*");

    EXPECT_TRUE(main->Commands().Enabled(IDM_FAV_ADD));
    main->Settings().favorites = {};
    main->RunCommand(IDM_FAV_ADD);
    main->RunCommand(IDM_FAV_ADD);
    EXPECT_EQ(main->Settings().favorites, std::vector<std::wstring>{folder.Path()}) << "added once";

    EXPECT_TRUE(main->Commands().Enabled(IDM_VIEW_SCREEN_FONTS));
    main->RunCommand(IDM_VIEW_SCREEN_FONTS);
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System);
    EXPECT_FALSE(main->Commands().Enabled(IDM_FAV_ADD));
    CloseUntagged(main);
}

TEST_F(BrowsingTest, CancellingTheFolderPickerStillHandsBackItsFolder) {
    ScratchFolder folder(L"browse-picker");
    folder.Write(L"inner\\a.ttf", BuildFont(FontSpec::Named(u"TyBrowsePickerA")));
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    int shown = 0;
    bool okEnabledAtStart = true;
    std::wstring label;
    int heightWith = 0, heightWithout = 0;
    ModalAnswers script([&](ui::Dialog& dialog) {
        auto* picker = dynamic_cast<TfrmBrowseFolder*>(&dialog);
        ASSERT_NE(picker, nullptr);
        ++shown;
        RECT bounds{};
        GetWindowRect(dialog.Handle(), &bounds);
        if (shown == 1) {
            heightWith = bounds.bottom - bounds.top;
            okEnabledAtStart = IsWindowEnabled(dialog.Item(IDOK));
            wchar_t text[256]{};
            GetDlgItemTextW(dialog.Handle(), IDC_BROWSE_SELECTED, text, 256);
            label = text;
            ASSERT_TRUE(picker->Tree().SelectPath(folder.Path() + L"inner"));
            Button_SetCheck(dialog.Item(IDC_BROWSE_CHECKBOX), BST_CHECKED);
            Press(dialog, IDCANCEL);
        } else {
            heightWithout = bounds.bottom - bounds.top;
            EXPECT_FALSE(GetWindowLongW(dialog.Item(IDC_BROWSE_CHECKBOX), GWL_STYLE) & WS_VISIBLE);
            EXPECT_EQ(picker->Tree().SelectedPath(), folder.Path() + L"inner") << "starts at the given folder";
            PumpMessages();
            EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDOK)));
            EXPECT_EQ(picker->Files().Files().size(), 1u) << "the file list shows the folder's files";
            Press(dialog, IDOK);
        }
    });
    std::wstring chosen;
    bool checked = false;
    EXPECT_FALSE(BrowseForFolder(*main, main->Handle(), chosen, L"包括子目录(&S)", true, checked));
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(okEnabledAtStart) << "no folder selected yet";
    EXPECT_EQ(label, L"请选择一个文件系统文件夹");
    EXPECT_EQ(chosen, folder.Path() + L"inner") << "Cancel hands back the selected folder";
    EXPECT_TRUE(checked) << "and the check state";

    checked = false;
    EXPECT_TRUE(BrowseForFolder(*main, main->Handle(), chosen, L"", false, checked));
    EXPECT_EQ(chosen, folder.Path() + L"inner");
    EXPECT_LT(heightWithout, heightWith) << "without the check box the dialog is shorter";
    CloseUntagged(main);
}

TEST_F(BrowsingTest, SeveralFoldersKeepOneRowPerFolderAndStoreAfterFinding) {
    ScratchFolder fonts(L"browse-multi-fonts");
    fonts.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyBrowseMultiA")));
    fonts.Write(L"deep\\b.ttf", BuildFont(FontSpec::Named(u"TyBrowseMultiB")));
    ScratchFolder empty(L"browse-multi-empty");
    empty.Write(L"notes.txt", {'x'});
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);

    std::vector<TFolderEntry> entries;
    EXPECT_EQ(AddFolderEntry(entries, L"C:\\Fonts\\Abc", false), 0);
    EXPECT_EQ(AddFolderEntry(entries, L"c:\\fonts\\aBC", true), 0) << "letter case of A-Z ignored";
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].includeSubfolders);
    EXPECT_EQ(AddFolderEntry(entries, L"C:\\Fonts\\Äbc", false), 1) << "other letters are compared as they are";

    // The empty folder: nothing found, nothing stored.
    {
        std::vector<std::function<void(ui::Dialog&)>> steps = {
            [&](ui::Dialog& dialog) {
                auto* multi = dynamic_cast<TfrmMultiFolders*>(&dialog);
                ASSERT_NE(multi, nullptr);
                EXPECT_TRUE(multi->Entries().empty());
                EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDOK))) << "OK needs a folder";
                multi->AddFolder();
                EXPECT_EQ(multi->Folders()->ItemCount(), 1);
                EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDOK)));
                // Remove takes the only entry even without a current row; Clear empties.
                const std::vector<TFolderEntry> kept = multi->Entries();
                multi->Folders()->SetItemIndex(-1);
                multi->RemoveFolder();
                EXPECT_TRUE(multi->Entries().empty());
                EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDOK)));
                multi->AddFolder();
                multi->ClearFolders();
                EXPECT_EQ(multi->Folders()->ItemCount(), 0);
                multi->AddFolder();
                EXPECT_EQ(multi->Entries().size(), kept.size());
                Press(dialog, IDOK);
            },
            [&](ui::Dialog& dialog) {
                auto* picker = dynamic_cast<TfrmBrowseFolder*>(&dialog);
                ASSERT_NE(picker, nullptr);
                EXPECT_TRUE(GetWindowLongW(dialog.Item(IDC_BROWSE_CHECKBOX), GWL_STYLE) & WS_VISIBLE);
                EXPECT_EQ(Button_GetCheck(dialog.Item(IDC_BROWSE_CHECKBOX)), BST_UNCHECKED);
                picker->Tree().SelectPath(empty.Path());
                Press(dialog, IDOK);
            }};
        std::size_t step = 0;
        ModalAnswers script([&](ui::Dialog& dialog) { steps.at(std::min<std::size_t>(step++, 1))(dialog); });
        ScriptedAnswers answers(IDOK);
        main->RunCommand(IDM_VIEW_MULTI_FOLDERS);
        EXPECT_EQ(step, 4u) << "the list dialog and three picks";
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0], L"没有找到符合您要求的字体。");
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System) << "the list stays";
        EXPECT_TRUE(IsWindowEnabled(main->Handle()));
        settings::TRegistryEx reg;
        EXPECT_FALSE(reg.KeyExists(kMultiFoldersKey)) << "a search that found nothing stores nothing";
    }
    // The font folder twice (then with subfolders): one row; the search finds both fonts.
    {
        int picks = 0;
        ModalAnswers script([&](ui::Dialog& dialog) {
            if (auto* multi = dynamic_cast<TfrmMultiFolders*>(&dialog)) {
                EXPECT_TRUE(multi->Entries().empty()) << "nothing was stored";
                multi->AddFolder();
                multi->AddFolder();
                EXPECT_EQ(multi->Folders()->ItemCount(), 1) << "one row per folder";
                ASSERT_EQ(multi->Entries().size(), 1u);
                EXPECT_TRUE(multi->Entries()[0].includeSubfolders) << "the second choice's flag";
                Press(dialog, IDOK);
            } else if (auto* picker = dynamic_cast<TfrmBrowseFolder*>(&dialog)) {
                picker->Tree().SelectPath(fonts.Path());
                if (picks++ == 1) Button_SetCheck(dialog.Item(IDC_BROWSE_CHECKBOX), BST_CHECKED);
                Press(dialog, IDOK);
            }
        });
        ScriptedAnswers answers(IDOK);
        main->RunCommand(IDM_VIEW_MULTI_FOLDERS);
        EXPECT_TRUE(answers.asked.empty());
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
        EXPECT_EQ(main->FontList().Count(), 2);
        EXPECT_TRUE(IsWindowEnabled(main->Handle()));
        const std::vector<TFolderEntry> stored = LoadFolderEntries();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].folder, Trimmed(fonts.Path()));
        EXPECT_TRUE(stored[0].includeSubfolders);
    }
    // Loading skips empty entries.
    {
        settings::TRegistryEx reg;
        ASSERT_TRUE(reg.OpenKey(kMultiFoldersKey, true));
        reg.WriteInteger(L"FolderCount", 3);
        reg.WriteString(L"Folder1", L"");
        reg.WriteString(L"Folder2", L"D:\\More");
        const std::vector<TFolderEntry> loaded = LoadFolderEntries();
        ASSERT_EQ(loaded.size(), 2u);
        EXPECT_EQ(loaded[1].folder, L"D:\\More");
        EXPECT_FALSE(loaded[1].includeSubfolders);
    }
    CloseUntagged(main);
}

TEST_F(BrowsingTest, FontsNotInstalledLeaveOutThoseRegisteredFromTheSameFile) {
    test::ScratchKey fontsKey(L"browse-installed-fonts");
    ScratchFolder fontsFolder(L"browse-fonts-folder");
    ScratchFolder folder(L"browse-not-installed");
    const catalog::SystemLocations saved = catalog::Locations();
    catalog::SetLocations(catalog::ScratchLocations(fontsKey, fontsFolder.Path()));
    const std::wstring same = folder.Write(L"same.ttf", BuildFont(FontSpec::Named(u"TyBrowseNotInstSame")));
    const std::wstring other = folder.Write(L"other.ttf", BuildFont(FontSpec::Named(u"TyBrowseNotInstOther")));
    const std::wstring fresh = folder.Write(L"fresh.ttf", BuildFont(FontSpec::Named(u"TyBrowseNotInstFresh")));
    catalog::TFontInfo info;
    ASSERT_TRUE(catalog::ReadFontInfo(same, info));
    ASSERT_TRUE(catalog::RegisterFont(info.FullName, same));
    ASSERT_TRUE(catalog::ReadFontInfo(other, info));
    ASSERT_TRUE(catalog::RegisterFont(info.FullName, fontsFolder.Path() + L"elsewhere.ttf"));
    {
        auto main = OpenHidden(L"");
        ASSERT_TRUE(main);
        ModalAnswers script([&](ui::Dialog& dialog) {
            auto* picker = dynamic_cast<TfrmBrowseFolder*>(&dialog);
            ASSERT_NE(picker, nullptr);
            picker->Tree().SelectPath(folder.Path());
            Press(dialog, IDOK);
        });
        {
            ScriptedAnswers cancel(IDCANCEL);
            main->RunCommand(IDM_TOOLS_FIND_NOT_INSTALLED);
            ASSERT_EQ(cancel.asked.size(), 1u);
            EXPECT_EQ(cancel.asked[0], L"总计找到了 2 个字体，显示吗？");
            EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System) << "Cancel shows nothing";
        }
        {
            ScriptedAnswers ok(IDOK);
            main->RunCommand(IDM_TOOLS_FIND_NOT_INSTALLED);
            ASSERT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
            std::vector<std::wstring> names;
            for (int i = 0; i < main->FontList().Count(); ++i) names.push_back(main->FontList()[i].Name);
            EXPECT_EQ(names, (std::vector<std::wstring>{L"TyBrowseNotInstFresh", L"TyBrowseNotInstOther"}));
        }
        // Every font registered from its own file: nothing to show.
        ASSERT_TRUE(catalog::ReadFontInfo(other, info));
        ASSERT_TRUE(catalog::UnregisterFont(info.FullName, fontsFolder.Path() + L"elsewhere.ttf"));
        ASSERT_TRUE(catalog::RegisterFont(info.FullName, other));
        ASSERT_TRUE(catalog::ReadFontInfo(fresh, info));
        ASSERT_TRUE(catalog::RegisterFont(info.FullName, fresh));
        {
            ScriptedAnswers ok(IDOK);
            main->RunCommand(IDM_TOOLS_FIND_NOT_INSTALLED);
            ASSERT_EQ(ok.asked.size(), 1u);
            EXPECT_EQ(ok.asked[0], L"没有找到符合您要求的字体。");
        }
        CloseUntagged(main);
    }
    catalog::SetLocations(saved);
}

TEST_F(BrowsingTest, CancellingASearchLeavesTheListAsItWas) {
    ScratchFolder shown(L"browse-cancel-shown");
    shown.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyBrowseCancelA")));
    shown.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyBrowseCancelB")));
    shown.Write(L"c.ttf", BuildFont(FontSpec::Named(u"TyBrowseCancelC")));
    ScratchFolder searched(L"browse-cancel-searched");
    searched.Write(L"one\\d.ttf", BuildFont(FontSpec::Named(u"TyBrowseCancelD")));
    searched.Write(L"two\\e.ttf", BuildFont(FontSpec::Named(u"TyBrowseCancelE")));
    test::ScratchKey fontsKey(L"browse-cancel-installed");
    ScratchFolder fontsFolder(L"browse-cancel-fonts-folder");
    auto main = OpenHidden(shown.Path(), catalog::ScratchLocations(fontsKey, fontsFolder.Path()));
    ASSERT_TRUE(main);
    main->FontList()[1].Tagged = true;
    main->ListBox().SetItemIndex(2);
    int fills = 0;
    main->FontListRebuilt += [&fills] { ++fills; };

    ModalAnswers script([&](ui::Dialog& dialog) {
        auto* picker = dynamic_cast<TfrmBrowseFolder*>(&dialog);
        ASSERT_NE(picker, nullptr);
        picker->Tree().SelectPath(searched.Path());
        Button_SetCheck(dialog.Item(IDC_BROWSE_CHECKBOX), BST_CHECKED);
        Press(dialog, IDOK);
    });
    HWND progressWindow = nullptr;
    std::wstring foundLine;
    bool mainEnabled = true;
    main->Feature<Browsing>()->SearchProgressShown = [&](HWND window, const SearchCounts& counts) {
        if (progressWindow) return;
        progressWindow = window;
        mainEnabled = IsWindowEnabled(main->Handle());
        wchar_t text[100]{};
        GetDlgItemTextW(window, IDC_PROGRESS_FOUND, text, ARRAYSIZE(text));
        foundLine = text;
        EXPECT_EQ(foundLine, win::FormatRes(IDS_BROWSE_PROGRESS_FOUND, {static_cast<double>(counts.found)}));
        // The Cancel button, as a click sends it.
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
    };
    ScriptedAnswers answers(IDOK);
    main->RunCommand(IDM_TOOLS_FIND_NOT_INSTALLED);
    ASSERT_NE(progressWindow, nullptr) << "the progress reached the window while the search ran";
    EXPECT_FALSE(mainEnabled) << "the main window is disabled during the search";
    EXPECT_EQ(foundLine.rfind(L"已找到 ", 0), 0u);
    EXPECT_FALSE(IsWindow(progressWindow)) << "the progress window is gone";
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    ASSERT_EQ(answers.asked.size(), 1u) << "only the tags were asked about: no count, no result";
    EXPECT_EQ(fills, 0) << "no rebuild";
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder);
    EXPECT_EQ(main->FontList().Folder(), shown.Path());
    ASSERT_EQ(main->FontList().Count(), 3);
    EXPECT_TRUE(main->FontList()[1].Tagged);
    EXPECT_EQ(main->CurrentIndex(), 2);

    // Not cancelled, the same search shows both fonts of the subfolders.
    main->Feature<Browsing>()->SearchProgressShown = {};
    main->RunCommand(IDM_TOOLS_FIND_NOT_INSTALLED);
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
    EXPECT_EQ(main->FontList().Count(), 2);
    CloseUntagged(main);
}

TEST_F(BrowsingTest, ASearchRunsOffTheWindowsThreadAndReportsItsFailure) {
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    const HWND owner = main->Handle();
    const DWORD windowThread = GetCurrentThreadId();
    // The job waits until the window's thread has shown its first counts and
    // answered a message sent from the worker: both need a window that is
    // not blocked by the search.
    std::atomic<bool> shown{false};
    DWORD jobThread = 0;
    bool answered = false;
    const std::optional<std::vector<std::wstring>> files = RunSearch(
        owner, L"search", true,
        [&](std::stop_token stop, SearchProgress& progress) {
            jobThread = GetCurrentThreadId();
            progress.SetFound(2);
            for (int i = 0; i < 500 && !shown && !stop.stop_requested(); ++i) Sleep(10);
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result) != 0;
            return std::vector<std::wstring>{L"x.ttf", L"y.ttf"};
        },
        [&](HWND, const SearchCounts& counts) {
            EXPECT_EQ(counts.found, 2u);
            shown = true;
        });
    EXPECT_TRUE(shown);
    EXPECT_NE(jobThread, windowThread);
    EXPECT_TRUE(answered) << "the main window answered while the search ran";
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (std::vector<std::wstring>{L"x.ttf", L"y.ttf"}));

    ScriptedAnswers answers(IDOK);
    const auto failed = RunSearch(owner, L"search", false, [](std::stop_token, SearchProgress&) -> std::vector<std::wstring> {
        throw std::runtime_error("disk gone");
    });
    EXPECT_FALSE(failed);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0], L"搜索字体文件时出错。\r\n\r\ndisk gone");
    EXPECT_TRUE(IsWindowEnabled(owner));
    CloseUntagged(main);
}

}  // namespace
}  // namespace typorama::app
