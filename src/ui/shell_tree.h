// ShellTree: the folder tree of the file system as the shell shows it (the
// desktop folder and the drives at the top, hidden folders included, the
// shell's icons and context menus). Folders are read when their node is
// first expanded, and folders whose contents the tree shows are watched so
// that the tree follows changes on disk.
//
// The tree view sends its notifications to the parent window, which reflects
// them back to the tree (ui/window_base.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/window_base.h"
#include "win/unique_handle.h"

namespace typorama::ui {

struct ShellTreeArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 150;
    int height = 200;
    bool visible = true;
    HFONT font = nullptr;  // null: the system's default GUI font
};

class ShellTree : public SubclassedWindow {
public:
    explicit ShellTree(const ShellTreeArgs& args);
    ~ShellTree() override;

    HWND Hwnd() const { return window_; }
    int Id() const { return id_; }

    // Whether the top nodes exist; FillRoot adds them (once).
    bool RootFilled() const { return rootFilled_; }
    void FillRoot();

    // Selects the node of `path`, filling and expanding its ancestors; false
    // (selection unchanged) when some part of the path has no node.
    bool SelectPath(const std::wstring& path);
    // Scrolls the node into view keeping its icon and the start of its name
    // on screen (never sideways past the expand boxes for a long name).
    void ShowStartOf(HTREEITEM node);
    HTREEITEM Selected() const;
    // The file-system path of the selected node; empty for none or a virtual one.
    std::wstring SelectedPath() const;

    // A node's path (empty for virtual nodes) and its children.
    std::wstring NodePath(HTREEITEM node) const;
    std::vector<HTREEITEM> Children(HTREEITEM node) const;
    // Reads a node's folders unless they were read before.
    void FillNode(HTREEITEM node);
    void Expand(HTREEITEM node);

    // The mark handlers use for drawing (font folders show in bold).
    bool Mark(HTREEITEM node) const;
    void SetMark(HTREEITEM node, bool mark);

    // Creates a new folder below the selected node and selects it; returns its
    // path, or empty on failure (the system's error stays in GetLastError).
    std::wstring NewFolder(const std::wstring& baseName);
    // Runs a verb of the shell's context menu ("delete", "properties"...) on
    // the node; true when the shell accepted it.
    bool InvokeVerb(HTREEITEM node, const char* verb);
    // Reads again every folder whose contents the tree shows.
    void Refresh();

    // Raised after the selection changed (node may be null).
    std::function<void(HTREEITEM node)> OnChange;
    // Raised after a node was expanded and its children exist.
    std::function<void(HTREEITEM node)> OnExpanded;
    // Asked before a node is drawn; set bold to draw it in bold.
    std::function<void(HTREEITEM node, bool& bold)> OnCustomDraw;


private:
    struct Node;
    Node* NodeOf(HTREEITEM item) const;
    HTREEITEM InsertNode(HTREEITEM parent, std::unique_ptr<Node> node, const std::wstring& text);
    void AfterExpand(HTREEITEM item);
    void SyncChildren(HTREEITEM item);
    void RefreshBelow(HTREEITEM item);
    void Watch(HTREEITEM item);
    void Unwatch(HTREEITEM item);
    void PollWatches();
    void ShowContextMenu(POINT screen);
    LRESULT OnNotify(NMHDR* header);
    // The tree's notifications to its parent, reflected.
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    int id_ = 0;
    bool rootFilled_ = false;
    bool expandingInCode_ = false;  // Expand reports the expansion itself
    // Every node, owned here so that nothing leaks when the view goes without
    // reporting each deleted item.
    std::unordered_map<Node*, std::unique_ptr<Node>> nodes_;
    win::UniqueFont boldFont_;
    HFONT font_ = nullptr;
    struct Watcher {
        HTREEITEM item;
        win::UniqueChangeNotification change;
    };
    std::vector<Watcher> watches_;
};

// The path without a trailing backslash (a drive root keeps its own).
std::wstring TrimFolderPath(std::wstring path);

}  // namespace typorama::ui
