// The shell folder tree in a plain parent window.
#include "ui/shell_tree.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/parent_window.h"
#include "support/scratch.h"

namespace typorama::ui {
namespace {

using test::ScratchFolder;

void PumpFor(DWORD milliseconds, const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
}

class ShellTreeTest : public ::testing::Test {
protected:
    ShellTreeTest() : parentWindow_(WS_OVERLAPPEDWINDOW, 400, 400), parent_(parentWindow_.get()) {
        ShellTreeArgs args;
        args.parent = parent_;
        args.id = 7;
        tree_ = std::make_unique<ShellTree>(args);
    }
    ~ShellTreeTest() override {
        tree_.reset();
    }
    std::vector<std::wstring> ChildPaths(HTREEITEM node) {
        std::vector<std::wstring> paths;
        for (HTREEITEM child : tree_->Children(node)) paths.push_back(tree_->NodePath(child));
        return paths;
    }
    test::ParentWindow parentWindow_;
    HWND parent_;
    std::unique_ptr<ShellTree> tree_;
};

TEST_F(ShellTreeTest, SelectsPathsFillingAndExpandingOnTheWay) {
    ScratchFolder folder(L"shell-tree-select");
    folder.Write(L"Beta\\deeper\\x.txt", {'x'});
    folder.Write(L"alpha\\x.txt", {'x'});
    folder.Write(L"Hidden\\x.txt", {'x'});
    SetFileAttributesW((folder.Path() + L"Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::wstring base = TrimFolderPath(folder.Path());

    EXPECT_FALSE(tree_->RootFilled());
    EXPECT_EQ(tree_->SelectedPath(), L"");
    std::vector<HTREEITEM> changes;
    tree_->OnChange = [&changes](HTREEITEM node) { changes.push_back(node); };
    std::vector<std::wstring> expanded;
    tree_->OnExpanded = [&](HTREEITEM node) { expanded.push_back(tree_->NodePath(node)); };

    ASSERT_TRUE(tree_->SelectPath(folder.Path() + L"beta\\DEEPER\\")) << "letter case and a trailing backslash";
    EXPECT_TRUE(tree_->RootFilled());
    EXPECT_EQ(tree_->SelectedPath(), base + L"\\Beta\\deeper") << "the names as they are on disk";
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], tree_->Selected());
    EXPECT_EQ(expanded.back(), base + L"\\Beta") << "ancestors are expanded";

    const HTREEITEM parent = TreeView_GetParent(tree_->Hwnd(), TreeView_GetParent(tree_->Hwnd(), tree_->Selected()));
    EXPECT_EQ(tree_->NodePath(parent), base);
    EXPECT_EQ(ChildPaths(parent),
              (std::vector<std::wstring>{base + L"\\alpha", base + L"\\Beta", base + L"\\Hidden"}))
        << "sorted without case, hidden folders included";

    EXPECT_FALSE(tree_->SelectPath(folder.Path() + L"missing")) << "no node for a missing folder";
    EXPECT_EQ(tree_->SelectedPath(), base + L"\\Beta\\deeper") << "the selection stays";

    tree_->SetMark(parent, true);
    EXPECT_TRUE(tree_->Mark(parent));
    EXPECT_FALSE(tree_->Mark(tree_->Selected()));
}

// A deep folder with a long name in a narrow tree: its icon and the start of
// its name stay in view, not just the end of the name.
TEST_F(ShellTreeTest, ADeepSelectionKeepsItsIconAndTheStartOfItsNameInView) {
    ScratchFolder folder(L"shell-tree-deep");
    const std::wstring deep = L"a\\b\\c\\d\\e\\f\\A folder whose name is far too long for a narrow tree";
    folder.Write(deep + L"\\x.txt", {'x'});
    MoveWindow(tree_->Hwnd(), 0, 0, 150, 300, TRUE);
    ASSERT_TRUE(tree_->SelectPath(folder.Path() + deep));
    RECT text{};
    ASSERT_TRUE(TreeView_GetItemRect(tree_->Hwnd(), tree_->Selected(), &text, TRUE));
    RECT client{};
    GetClientRect(tree_->Hwnd(), &client);
    EXPECT_GE(text.left, GetSystemMetrics(SM_CXSMICON)) << "the icon before the name is in view";
    EXPECT_LT(text.left + 20, client.right) << "and the start of the name";
}

TEST_F(ShellTreeTest, NewFolderRefreshAndChangesOnDisk) {
    ScratchFolder folder(L"shell-tree-change");
    folder.Write(L"keep\\x.txt", {'x'});
    folder.Write(L"gone\\x.txt", {'x'});
    const std::wstring base = TrimFolderPath(folder.Path());
    ASSERT_TRUE(tree_->SelectPath(base));
    tree_->Expand(tree_->Selected());
    const HTREEITEM node = tree_->Selected();
    EXPECT_EQ(ChildPaths(node), (std::vector<std::wstring>{base + L"\\gone", base + L"\\keep"}));

    EXPECT_EQ(tree_->NewFolder(L"新建文件夹"), base + L"\\新建文件夹");
    EXPECT_EQ(tree_->SelectedPath(), base + L"\\新建文件夹") << "the new folder is selected";
    ASSERT_TRUE(tree_->SelectPath(base));
    EXPECT_EQ(tree_->NewFolder(L"新建文件夹"), base + L"\\新建文件夹 (2)") << "a free name";
    EXPECT_EQ(GetFileAttributesW((base + L"\\新建文件夹 (2)").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    // Changes on disk: Refresh follows them at once...
    ASSERT_TRUE(test::DeleteTree(base + L"\\gone"));
    tree_->Refresh();
    EXPECT_EQ(ChildPaths(node), (std::vector<std::wstring>{base + L"\\keep", base + L"\\新建文件夹",
                                                          base + L"\\新建文件夹 (2)"}));
    // ... and the tree follows them by itself after a while, but not while a
    // dialog holds the window (the window's list may change with the tree).
    EnableWindow(parent_, FALSE);
    ASSERT_TRUE(CreateDirectoryW((base + L"\\added").c_str(), nullptr));
    PumpFor(1500, [&] { return ChildPaths(node).size() == 4; });
    EXPECT_EQ(ChildPaths(node).size(), 3u) << "held while the window is disabled";
    EnableWindow(parent_, TRUE);
    PumpFor(5000, [&] { return ChildPaths(node).size() == 4; });
    EXPECT_EQ(ChildPaths(node).front(), base + L"\\added") << "noticed without a refresh";
}

TEST(ShellTreeText, TrimFolderPath) {
    EXPECT_EQ(TrimFolderPath(L"C:\\a\\b\\\\"), L"C:\\a\\b");
    EXPECT_EQ(TrimFolderPath(L"C:\\"), L"C:\\");
    EXPECT_EQ(TrimFolderPath(L"C:"), L"C:\\");
}

}  // namespace
}  // namespace typorama::ui
