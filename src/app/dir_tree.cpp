#include "app/dir_tree.h"

#include <windowsx.h>

#include "app/browsing.h"
#include "app/main_window.h"
#include "win/folders.h"
#include "win/text_compare.h"

namespace typorama::app {
namespace {

constexpr int kTreeId = 110;
constexpr int kSplitterId = 111;
constexpr int kMinimumSplitterLeft = 150;

bool FolderHasFile(const std::wstring& folder, const wchar_t* wildcard) {
    bool found = false;
    win::ForEachFolderEntry(folder, wildcard, win::EntryKind::Files, [&](const WIN32_FIND_DATAW&) {
        found = true;
        return false;  // one is enough
    });
    return found;
}

}  // namespace

bool IsFontFolder(const std::wstring& folder) {
    if (folder.size() < 2 || folder[1] != L':') return false;
    const wchar_t root[] = {folder[0], L':', L'\\', 0};
    // Removable, network and optical drives are never read just to draw a tree.
    if (GetDriveTypeW(root) != DRIVE_FIXED) return false;
    // Collections count: a folder of .ttc files only (CJK fonts) is a font folder.
    for (const wchar_t* pattern : {L"*.ttf", L"*.otf", L"*.ttc", L"*.otc"})
        if (FolderHasFile(folder, pattern)) return true;
    return false;
}

void AttachFontFolderMarks(TfrmMain& main, ui::ShellTree& tree) {
    tree.OnExpanded = [&main, &tree](HTREEITEM node) {
        if (!main.Settings().highlightFontFolders) return;
        for (HTREEITEM child : tree.Children(node)) tree.SetMark(child, IsFontFolder(tree.NodePath(child)));
    };
    tree.OnCustomDraw = [&main, &tree](HTREEITEM node, bool& bold) {
        if (main.Settings().highlightFontFolders && tree.Mark(node)) bold = true;
    };
}

DirTree::DirTree(TfrmMain& main) : main_(main) {
    const HWND parent = main.Handle();
    ui::ShellTreeArgs args;
    args.parent = parent;
    args.id = kTreeId;
    args.visible = false;
    args.font = reinterpret_cast<HFONT>(SendMessageW(main.ListBox().Hwnd(), WM_GETFONT, 0, 0));
    tree_ = std::make_unique<ui::ShellTree>(args);
    tree_->OnChange = [this](HTREEITEM node) { OnChange(node); };
    AttachFontFolderMarks(main, *tree_);
    CreateBound(0, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, TfrmMain::kSplitterWidth, 10, parent,
                ui::ControlId(kSplitterId));
}

DirTree::~DirTree() {
    if (window_) DestroyWindow(window_);
}

void DirTree::DescribeClass(WNDCLASSEXW& wc) {
    wc.hCursor = LoadCursorW(nullptr, IDC_SIZEWE);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void DirTree::Place(const ClientLayout& layout) {
    if (tree_->Hwnd())
        MoveWindow(tree_->Hwnd(), layout.tree.left, layout.tree.top, layout.tree.width, layout.tree.height, TRUE);
    if (window_)
        MoveWindow(window_, layout.splitter.left, layout.splitter.top, layout.splitter.width,
                   layout.splitter.height, TRUE);
}

void DirTree::SetVisible(bool visible) {
    const HWND window = main_.Handle();
    const bool changed = visible != main_.TreeVisible();
    main_.SetTreeVisible(visible);
    if (tree_->Hwnd()) ShowWindow(tree_->Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    if (changed && !main_.StartingUp() && !IsZoomed(window)) {
        // The list keeps its size: the window takes the tree's room.
        const int delta = TfrmMain::kSplitterWidth + (main_.SplitterLeft() - 1) + 2;
        const int change = visible ? delta : -delta;
        if (IsIconic(window)) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(window, &placement);
            placement.rcNormalPosition.right += change;
            placement.showCmd = SW_SHOWMINNOACTIVE;
            SetWindowPlacement(window, &placement);
        } else {
            RECT bounds{};
            GetWindowRect(window, &bounds);
            SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left + change, bounds.bottom - bounds.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    main_.LayoutClient();
    if (!visible) return;
    if (!tree_->RootFilled()) {
        ++quiet_;
        tree_->FillRoot();
        --quiet_;
    }
    const catalog::TFontList& list = main_.FontList();
    if (list.Source() == catalog::SourceKind::Folder) SelectQuietly(list.Folder());
}

void DirTree::SelectQuietly(const std::wstring& folder) {
    ++quiet_;
    tree_->SelectPath(folder);
    --quiet_;
}

void DirTree::OnChange(HTREEITEM node) {
    if (quiet_ > 0 || !node) return;
    const std::wstring path = tree_->NodePath(node);
    if (path.empty()) return;
    const catalog::TFontList& list = main_.FontList();
    // The folder shown already is not filled again (a trailing backslash of
    // a folder given on the command line does not make it another folder).
    if (list.Source() == catalog::SourceKind::Folder &&
        win::EqualFoldedAscii(path, ui::TrimFolderPath(list.Folder())))
        return;
    UpdateWindow(tree_->Hwnd());
    Browsing& browsing = *main_.Feature<Browsing>();
    if (browsing.OpenFolder(path, browsing.ControlKeyHeld && browsing.ControlKeyHeld(), false)) return;
    // The user kept the tags (or the folder is gone): the list still shows its
    // folder, and the tree goes back to it rather than name another.
    if (list.Source() == catalog::SourceKind::Folder) SelectQuietly(list.Folder());
}

LRESULT DirTree::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetCapture(window_);
            dragging_ = true;
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(window_, GetParent(window_), &point, 1);
                RECT client{};
                GetClientRect(GetParent(window_), &client);
                int left = point.x;
                if (left > client.right - 2 * TfrmMain::kSplitterWidth) left = client.right - 2 * TfrmMain::kSplitterWidth;
                if (left < kMinimumSplitterLeft) left = kMinimumSplitterLeft;
                if (left != main_.SplitterLeft()) {
                    main_.SetSplitterLeft(left);
                    main_.LayoutClient();
                }
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_) {
                dragging_ = false;
                if (GetCapture() == window_) ReleaseCapture();
                main_.LayoutClient();
            }
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace typorama::app
