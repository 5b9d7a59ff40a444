// DirTree: the folder tree beside the main window's font list, with its
// splitter. Choosing a folder in it shows that folder's fonts; folders that
// hold font files are drawn in bold.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/client_layout.h"
#include "ui/shell_tree.h"

namespace typorama::app {

class TfrmMain;

class DirTree {
public:
    explicit DirTree(TfrmMain& main);
    ~DirTree();
    DirTree(const DirTree&) = delete;
    DirTree& operator=(const DirTree&) = delete;

    ui::ShellTree& Tree() { return *tree_; }
    HWND Splitter() const { return splitter_; }

    // Shows or hides the tree and its splitter; the window grows or shrinks
    // by their width so that the list keeps its size.
    void SetVisible(bool visible);
    // Selects `folder` without reacting to the change (no second fill).
    void SelectQuietly(const std::wstring& folder);
    // Places the tree and the splitter where the layout put them.
    void Place(const ClientLayout& layout);

private:
    void OnChange(HTREEITEM node);
    static LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TfrmMain& main_;
    std::unique_ptr<ui::ShellTree> tree_;
    HWND splitter_ = nullptr;
    int quiet_ = 0;  // >0 while the tree's change event is disconnected
    bool dragging_ = false;
};

// Gives a shell tree the main window's handlers: on expansion the children
// that hold "*.ttf" or "*.otf" files get their mark (never on drives that
// are not fixed disks), and marked nodes draw in bold, while
// HighlightFontFolders is on.
void AttachFontFolderMarks(TfrmMain& main, ui::ShellTree& tree);
// Whether `folder` holds a file matching "*.ttf", or else "*.otf" (not its
// subfolders). False without looking for folders on drives that are not fixed.
bool IsFontFolder(const std::wstring& folder);

}  // namespace typorama::app
