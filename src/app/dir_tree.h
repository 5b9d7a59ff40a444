// DirTree: the folder tree beside the main window's font list, with its
// splitter. Choosing a folder in it shows that folder's fonts; folders that
// hold font files are drawn in bold.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/client_layout.h"
#include "ui/shell_tree.h"
#include "ui/window_base.h"

namespace typorama::app {

class TfrmMain;

// The object's own window is the splitter.
class DirTree : public ui::Window<DirTree> {
public:
    static constexpr wchar_t kClassName[] = L"TyporamaSplitter";
    static void DescribeClass(WNDCLASSEXW& wc);

    explicit DirTree(TfrmMain& main);
    ~DirTree() override;

    ui::ShellTree& Tree() { return *tree_; }
    HWND Splitter() const { return window_; }

    // Shows or hides the tree and its splitter; the window grows or shrinks
    // by their width so that the list keeps its size.
    void SetVisible(bool visible);
    // Selects `folder` without reacting to the change (no second fill).
    void SelectQuietly(const std::wstring& folder);
    // Places the tree and the splitter where the layout put them.
    void Place(const ClientLayout& layout);

private:
    void OnChange(HTREEITEM node);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    TfrmMain& main_;
    std::unique_ptr<ui::ShellTree> tree_;
    int quiet_ = 0;  // >0 while the tree's change event is disconnected
    bool dragging_ = false;
};

// Gives a shell tree the main window's handlers: on expansion the children
// that hold font files (.ttf, .otf, .ttc, .otc) get their mark (never on drives that
// are not fixed disks), and marked nodes draw in bold, while
// HighlightFontFolders is on.
void AttachFontFolderMarks(TfrmMain& main, ui::ShellTree& tree);
// Whether `folder` holds a font or collection file (not its
// subfolders). False without looking for folders on drives that are not fixed.
bool IsFontFolder(const std::wstring& folder);

}  // namespace typorama::app
