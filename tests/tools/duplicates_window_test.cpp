// The duplicate finder's window over scratch folders, settings and installed-font list.
#include "tools/duplicates_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "tools/duplicates_feature.h"
#include "ui/image_strip.h"
#include "win/resource_strings.h"

namespace typorama::tools {
namespace {

std::vector<std::uint8_t> Font(const std::u16string& family) { return test::BuildFont(test::FontSpec::Named(family)); }

TEST(DuplicatesWindowTest, SearchShowsTheGroupsNothingFoundAndCancelLeavesItUsable) {
    test::ScratchFolder folder(L"dups-window");
    test::ScratchKey fontsKey(L"dups-window-fonts");
    test::ScratchKey settingsKey(L"dups-window-settings");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, folder.Path());
    const settings::SettingsRoot root{HKEY_CURRENT_USER, settingsKey.SubKey()};
    const auto same = Font(u"TyDupWin Same");
    const std::wstring a = folder.Write(L"a\\one.ttf", same);
    folder.Write(L"a\\sub\\two.ttf", same);
    folder.Write(L"lonely\\only.ttf", Font(u"TyDupWin Only"));
    fontsKey.SetString(L"", L"TyDupWin Same (TrueType)", a);

    TfrmFindDuplicates window(where, nullptr, root);
    ASSERT_TRUE(window.Create());
    window.AddFolder({folder.Path() + L"a", false});
    window.AddFolder({folder.Path() + L"A", true});  // the same folder: only its flag changes
    ASSERT_EQ(window.Folders().size(), 1u);
    EXPECT_TRUE(window.Folders()[0].includeSubfolders);

    ASSERT_TRUE(window.Search());
    const HWND tree = window.Tree();
    EXPECT_EQ(TreeView_GetCount(tree), 3u) << "one group node and its two files";
    EXPECT_EQ(window.StatusText(), L"总计 1 个字体已找到其复本。");
    const HTREEITEM group = TreeView_GetRoot(tree);
    const HTREEITEM first = TreeView_GetChild(tree, group);
    wchar_t text[MAX_PATH * 2]{};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE;
    item.hItem = first;
    item.pszText = text;
    item.cchTextMax = ARRAYSIZE(text);
    ASSERT_TRUE(TreeView_GetItem(tree, &item));
    EXPECT_EQ(std::wstring(text).rfind(a + L" (大小: ", 0), 0u) << text;
    EXPECT_EQ(item.iImage, ui::kImageBadgeBlue) << "installed from this very file";
    TreeView_SelectItem(tree, first);
    EXPECT_NE(window.InfoText().find(L"状态: 已永久安装"), std::wstring::npos) << window.InfoText();
    TreeView_SelectItem(tree, group);
    EXPECT_EQ(window.InfoText(), L"") << "a group node shows nothing";

    // Delete on a file node: refused, the node stays; done, node and path go.
    const HTREEITEM second = TreeView_GetNextSibling(tree, first);
    TreeView_SelectItem(tree, second);
    window.DeleteCall = [](HWND, const std::wstring&) {};
    SendMessageW(window.Handle(), WM_COMMAND, IDC_DUP_DELETE, 0);
    EXPECT_EQ(TreeView_GetCount(tree), 3u);
    window.DeleteCall = [](HWND, const std::wstring& path) { DeleteFileW(path.c_str()); };
    SendMessageW(window.Handle(), WM_COMMAND, IDC_DUP_DELETE, 0);
    EXPECT_EQ(TreeView_GetCount(tree), 2u);
    ASSERT_EQ(window.Groups()[0].files.size(), 1u);
    EXPECT_EQ(window.Groups()[0].files[0].path, a) << "the other file of the group is kept";
    EXPECT_EQ(GetFileAttributesW((folder.Path() + L"a\\sub\\two.ttf").c_str()), INVALID_FILE_ATTRIBUTES);

    // Cancelled from its progress window: nothing shown, the window usable again.
    HWND progress = nullptr;
    window.ProgressShown = [&](HWND shown, const SearchCounts&) {
        if (progress) return;
        progress = shown;
        SendMessageW(shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(shown, IDCANCEL)));
    };
    EXPECT_FALSE(window.Search());
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    window.ProgressShown = {};

    // A single font: nothing found.
    window.Clear();
    window.AddFolder({folder.Path() + L"lonely", true});
    EXPECT_TRUE(window.Search());
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    EXPECT_EQ(window.StatusText(), L"在选定的位置内没有找到字体复本。");

    // Closing stores the list.
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    const auto stored = ReadDuplicateFolders(root);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].path, folder.Path() + L"lonely");
    EXPECT_TRUE(stored[0].includeSubfolders);
}

}  // namespace
}  // namespace typorama::tools

namespace typorama::tools {
namespace {

class DuplicatesFeatureTest : public test::MainWindowFixture {
protected:
    DuplicatesFeatureTest() : MainWindowFixture(L"dups-feature") {}
};

TEST_F(DuplicatesFeatureTest, ToolsCommandOpensOneOwnerlessWindowThatStoresItsFoldersWhenTheMainWindowCloses) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    DuplicatesFeature& feature = *main->Feature<DuplicatesFeature>();
    main->RunCommand(IDM_TOOLS_FIND_DUPLICATES);
    TfrmFindDuplicates* window = feature.Window();
    ASSERT_NE(window, nullptr);
    const HWND hwnd = window->Handle();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr) << "its own taskbar button";
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    window->AddFolder({L"C:\\Fonts Elsewhere", true});
    main->RunCommand(IDM_TOOLS_FIND_DUPLICATES);
    EXPECT_EQ(feature.Window(), window) << "brought to the front, not opened twice";

    CloseUntagged(main);
    EXPECT_FALSE(IsWindow(hwnd));
    const auto stored = ReadDuplicateFolders(SettingsRoot());
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].path, L"C:\\Fonts Elsewhere");
}

}  // namespace
}  // namespace typorama::tools
