#include "ui/shell_tree.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "win/com.h"
#include "win/folders.h"
#include "win/text_compare.h"

namespace typorama::ui {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchInterval = 700;  // ms between looks at the change notifications
// Change notifications are a scarce kernel resource (inotify watches under
// Wine): only so many open folders are followed.
constexpr std::size_t kMaxWatches = 48;

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L'\\' + name;
}

bool IsFixedDrivePath(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return false;
    const wchar_t root[] = {path[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_FIXED;
}

// The subfolders of `folder`, hidden ones included, sorted by name as Explorer does.
std::vector<std::wstring> ReadSubfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    win::ForEachFolderEntry(folder, L"*", win::EntryKind::Folders,
                            [&](const WIN32_FIND_DATAW& data) { names.emplace_back(data.cFileName); });
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return win::CompareForDisplay(a, b) < 0; });
    return names;
}

int SystemIconIndex(const std::wstring& path, bool open) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    // A removable or network drive is not touched just to draw its node.
    if (!IsFixedDrivePath(path)) flags |= SHGFI_USEFILEATTRIBUTES;
    if (!SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags)) return 0;
    return info.iIcon;
}

// The shell's context menu of one folder. COM stays initialised while it lives.
class FolderContextMenu {
public:
    FolderContextMenu(HWND owner, const std::wstring& path) {
        win::UniqueCoMemory<PIDLIST_ABSOLUTE> pidl;
        if (FAILED(SHParseDisplayName(path.c_str(), nullptr, pidl.put(), 0, nullptr))) return;
        win::ComPtr<IShellFolder> parent;
        PCUITEMID_CHILD child = nullptr;
        if (SUCCEEDED(SHBindToParent(pidl.get(), IID_IShellFolder, parent.put_void(), &child)))
            parent->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, menu_.put_void());
    }
    FolderContextMenu(const FolderContextMenu&) = delete;
    FolderContextMenu& operator=(const FolderContextMenu&) = delete;

    IContextMenu* get() const { return menu_.get(); }

    bool Invoke(HWND owner, LPCSTR verb) const {
        if (!menu_) return false;
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.lpVerb = verb;
        info.nShow = SW_SHOWNORMAL;
        // Some handlers only accept a verb after the menu was queried.
        win::UniqueMenu popup(CreatePopupMenu());
        if (popup) menu_->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL);
        return SUCCEEDED(menu_->InvokeCommand(&info));
    }

private:
    win::ComInitialization com_;
    win::ComPtr<IContextMenu> menu_;
};

}  // namespace

std::wstring TrimFolderPath(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    return path;
}

struct ShellTree::Node {
    std::wstring path;  // empty for a virtual folder
    bool filled = false;
    bool mark = false;
};

ShellTree::ShellTree(const ShellTreeArgs& args) : id_(args.id), font_(args.font) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS;
    if (args.visible) style |= WS_VISIBLE;
    if (!CreateControl(WS_EX_CLIENTEDGE, WC_TREEVIEWW, style, args.x, args.y, args.width, args.height, args.parent,
                       args.id))
        return;
    if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);  // makes the bold one too
    SHFILEINFOW info{};
    const auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    // The system image list belongs to the shell: the tree must not destroy it.
    if (images) TreeView_SetImageList(window_, images, TVSIL_NORMAL);
    SetTimer(window_, kWatchTimer, kWatchInterval, nullptr);
}

ShellTree::~ShellTree() {
    if (window_) DestroyWindow(window_);
}

ShellTree::Node* ShellTree::NodeOf(HTREEITEM item) const {
    if (!item || !window_) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!TreeView_GetItem(window_, &tv)) return nullptr;
    return reinterpret_cast<Node*>(tv.lParam);
}

HTREEITEM ShellTree::InsertNode(HTREEITEM parent, std::unique_ptr<Node> node, const std::wstring& text) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = 1;  // known once the folder is read
    insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
    const HTREEITEM item = TreeView_InsertItem(window_, &insert);
    if (item) nodes_.emplace(node.get(), std::move(node));
    return item;
}

void ShellTree::FillRoot() {
    if (rootFilled_ || !window_) return;
    rootFilled_ = true;
    wchar_t desktop[MAX_PATH]{};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)) &&
        win::IsFolder(desktop)) {
        SHFILEINFOW info{};
        SHGetFileInfoW(desktop, 0, &info, sizeof info, SHGFI_DISPLAYNAME);
        auto node = std::make_unique<Node>();
        node->path = desktop;
        InsertNode(nullptr, std::move(node), info.szDisplayName[0] ? info.szDisplayName : desktop);
    }
    wchar_t drives[512]{};
    const DWORD length = GetLogicalDriveStringsW(ARRAYSIZE(drives) - 1, drives);
    for (const wchar_t* drive = drives; length && *drive; drive += lstrlenW(drive) + 1) {
        std::wstring root = drive;
        std::wstring text = root.substr(0, 2);
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED) {
            SHFILEINFOW info{};
            if (SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) && info.szDisplayName[0])
                text = info.szDisplayName;
        }
        auto node = std::make_unique<Node>();
        node->path = root;
        InsertNode(nullptr, std::move(node), text);
    }
}

void ShellTree::FillNode(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node || node->filled) return;
    node->filled = true;
    const std::vector<std::wstring> names = node->path.empty() ? std::vector<std::wstring>{}
                                                               : ReadSubfolders(node->path);
    for (const std::wstring& name : names) {
        auto child = std::make_unique<Node>();
        child->path = Join(node->path, name);
        InsertNode(item, std::move(child), name);
    }
    if (names.empty()) {
        TVITEMW tv{};
        tv.mask = TVIF_CHILDREN;
        tv.hItem = item;
        tv.cChildren = 0;
        TreeView_SetItem(window_, &tv);
    }
}

void ShellTree::Expand(HTREEITEM item) {
    if (!item) return;
    FillNode(item);
    const bool wasExpanded = (TreeView_GetItemState(window_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    expandingInCode_ = true;
    TreeView_Expand(window_, item, TVE_EXPAND);
    expandingInCode_ = false;
    if (!wasExpanded) AfterExpand(item);
}

void ShellTree::AfterExpand(HTREEITEM item) {
    Watch(item);
    if (OnExpanded) OnExpanded(item);
}

std::vector<HTREEITEM> ShellTree::Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    if (!window_) return children;
    for (HTREEITEM child = item ? TreeView_GetChild(window_, item) : TreeView_GetRoot(window_); child;
         child = TreeView_GetNextSibling(window_, child))
        children.push_back(child);
    return children;
}

std::wstring ShellTree::NodePath(HTREEITEM item) const {
    const Node* node = NodeOf(item);
    return node ? node->path : std::wstring();
}

HTREEITEM ShellTree::Selected() const { return window_ ? TreeView_GetSelection(window_) : nullptr; }

std::wstring ShellTree::SelectedPath() const { return NodePath(Selected()); }

bool ShellTree::Mark(HTREEITEM item) const {
    const Node* node = NodeOf(item);
    return node && node->mark;
}

void ShellTree::SetMark(HTREEITEM item, bool mark) {
    Node* node = NodeOf(item);
    if (!node || node->mark == mark) return;
    node->mark = mark;
    RECT rect{};
    if (TreeView_GetItemRect(window_, item, &rect, FALSE)) InvalidateRect(window_, &rect, TRUE);
}

bool ShellTree::SelectPath(const std::wstring& requested) {
    if (!window_ || requested.empty()) return false;
    FillRoot();
    wchar_t full[MAX_PATH * 2]{};
    const DWORD length = GetFullPathNameW(requested.c_str(), ARRAYSIZE(full), full, nullptr);
    const std::wstring path = TrimFolderPath(length && length < ARRAYSIZE(full) ? full : requested);
    if (path.size() < 3 || path[1] != L':') return false;  // drives only; network shares have no node
    HTREEITEM node = nullptr;
    for (HTREEITEM top : Children(nullptr))
        if (win::EqualNoCase(NodePath(top), path.substr(0, 3)))
            node = top;
    if (!node) return false;
    std::size_t pos = 3;
    std::vector<HTREEITEM> ancestors;
    while (pos < path.size()) {
        std::size_t end = path.find(L'\\', pos);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring prefix = path.substr(0, end);
        FillNode(node);
        HTREEITEM found = nullptr;
        for (HTREEITEM child : Children(node))
            if (win::EqualNoCase(NodePath(child), prefix)) {
                found = child;
                break;
            }
        if (!found) return false;
        ancestors.push_back(node);
        node = found;
        pos = end + 1;
    }
    for (HTREEITEM ancestor : ancestors) Expand(ancestor);
    TreeView_SelectItem(window_, node);
    ShowStartOf(node);
    return true;
}

void ShellTree::ShowStartOf(HTREEITEM node) {
    TreeView_EnsureVisible(window_, node);
    // Sideways, the tree would show the whole name and hide the expand boxes
    // and icons of every row: it keeps this row's icon and the start of its
    // name in view instead, as far to the left as that allows.
    SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);  // Wine's tree ignores SB_LEFT
    RECT text{};
    if (!TreeView_GetItemRect(window_, node, &text, TRUE)) return;
    RECT client{};
    GetClientRect(window_, &client);
    const int icon = GetSystemMetrics(SM_CXSMICON) + 3;
    const int startShown = std::min<int>(text.right - text.left, GetSystemMetrics(SM_CXSMICON) * 4);
    const int scroll = std::min<int>(text.left + startShown - client.right, text.left - icon);
    if (scroll > 0) SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, scroll), 0);
}

std::wstring ShellTree::NewFolder(const std::wstring& baseName) {
    const HTREEITEM parent = Selected();
    const std::wstring folder = NodePath(parent);
    if (folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    std::wstring path;
    for (int n = 1; n < 100; ++n) {
        path = Join(folder, n == 1 ? baseName : baseName + L" (" + std::to_wstring(n) + L")");
        if (CreateDirectoryW(path.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
        path.clear();
    }
    if (path.empty()) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return {};
    }
    Node* node = NodeOf(parent);
    if (node && node->filled) {
        SyncChildren(parent);
    } else {
        FillNode(parent);
    }
    SelectPath(path);
    return path;
}

bool ShellTree::InvokeVerb(HTREEITEM item, const char* verb) {
    const std::wstring path = NodePath(item);
    if (path.empty()) return false;
    FolderContextMenu menu(window_, path);
    return menu.Invoke(GetAncestor(window_, GA_ROOT), verb);
}

void ShellTree::SyncChildren(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node || !node->filled || node->path.empty()) return;
    const std::vector<std::wstring> names = ReadSubfolders(node->path);
    std::vector<bool> present(names.size(), false);
    for (HTREEITEM child : Children(item)) {
        const std::wstring childPath = NodePath(child);
        bool onDisk = false;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (!present[i] && win::EqualNoCase(Join(node->path, names[i]), childPath)) {
                present[i] = onDisk = true;
                break;
            }
        if (!onDisk) TreeView_DeleteItem(window_, child);
    }
    bool added = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (present[i]) continue;
        auto child = std::make_unique<Node>();
        child->path = Join(node->path, names[i]);
        InsertNode(item, std::move(child), names[i]);
        added = true;
    }
    if (added) TreeView_SortChildren(window_, item, FALSE);
    TVITEMW tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    tv.cChildren = names.empty() ? 0 : 1;
    TreeView_SetItem(window_, &tv);
    if (added && OnExpanded && (TreeView_GetItemState(window_, item, TVIS_EXPANDED) & TVIS_EXPANDED))
        OnExpanded(item);
}

void ShellTree::RefreshBelow(HTREEITEM item) {
    const Node* node = NodeOf(item);
    if (!node || !node->filled) return;
    SyncChildren(item);
    for (HTREEITEM child : Children(item)) RefreshBelow(child);
}

void ShellTree::Refresh() {
    if (!window_) return;
    for (HTREEITEM top : Children(nullptr)) RefreshBelow(top);
}

void ShellTree::Watch(HTREEITEM item) {
    const std::wstring path = NodePath(item);
    if (path.empty() || !IsFixedDrivePath(path) || watches_.size() >= kMaxWatches) return;
    for (const Watcher& watch : watches_)
        if (watch.item == item) return;
    win::UniqueChangeNotification change(
        FindFirstChangeNotificationW(path.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME));
    if (change) watches_.push_back({item, std::move(change)});
}

void ShellTree::Unwatch(HTREEITEM item) {
    for (auto it = watches_.begin(); it != watches_.end(); ++it) {
        if (it->item != item) continue;
        watches_.erase(it);
        return;
    }
}

void ShellTree::PollWatches() {
    std::vector<HTREEITEM> changed;
    for (Watcher& watch : watches_) {
        if (WaitForSingleObject(watch.change.get(), 0) != WAIT_OBJECT_0) continue;
        FindNextChangeNotification(watch.change.get());
        changed.push_back(watch.item);
    }
    // Syncing may delete nodes and with them watches: work from the copy.
    for (HTREEITEM item : changed)
        if (std::any_of(watches_.begin(), watches_.end(), [item](const Watcher& w) { return w.item == item; }))
            SyncChildren(item);
}

void ShellTree::ShowContextMenu(POINT screen) {
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(window_, &hit.pt);
    const HTREEITEM item = TreeView_HitTest(window_, &hit);
    if (!item || !(hit.flags & TVHT_ONITEM)) return;
    const std::wstring path = NodePath(item);
    if (path.empty()) return;
    FolderContextMenu menu(window_, path);
    if (!menu.get()) return;
    win::UniqueMenu popup(CreatePopupMenu());
    if (!popup || FAILED(menu.get()->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL))) return;
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, window_, nullptr));
    if (chosen == 0) return;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = GetAncestor(window_, GA_ROOT);
    info.lpVerb = MAKEINTRESOURCEA(chosen - 1);
    info.nShow = SW_SHOWNORMAL;
    menu.get()->InvokeCommand(&info);
    Refresh();
}

LRESULT ShellTree::OnNotify(NMHDR* header) {
    switch (header->code) {
        case TVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            const Node* node = reinterpret_cast<const Node*>(info->item.lParam);
            if (!node) return 0;
            if (info->item.mask & TVIF_IMAGE) info->item.iImage = SystemIconIndex(node->path, false);
            if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = SystemIconIndex(node->path, true);
            info->item.mask |= TVIF_DI_SETITEM;
            return 0;
        }
        case TVN_ITEMEXPANDINGW: {
            const auto* info = reinterpret_cast<NMTREEVIEWW*>(header);
            if (info->action & TVE_EXPAND) FillNode(info->itemNew.hItem);
            return FALSE;
        }
        case TVN_ITEMEXPANDEDW: {
            const auto* info = reinterpret_cast<NMTREEVIEWW*>(header);
            if (expandingInCode_) return 0;
            if (info->action & TVE_EXPAND) {
                AfterExpand(info->itemNew.hItem);
            } else if (info->action & TVE_COLLAPSE) {
                Unwatch(info->itemNew.hItem);
            }
            return 0;
        }
        case TVN_SELCHANGEDW: {
            const auto* info = reinterpret_cast<NMTREEVIEWW*>(header);
            if (OnChange) OnChange(info->itemNew.hItem);
            return 0;
        }
        case TVN_DELETEITEMW: {
            const auto* info = reinterpret_cast<NMTREEVIEWW*>(header);
            Unwatch(info->itemOld.hItem);
            nodes_.erase(reinterpret_cast<Node*>(info->itemOld.lParam));
            return 0;
        }
        case TVN_KEYDOWN: {
            const auto* info = reinterpret_cast<NMTVKEYDOWN*>(header);
            if (info->wVKey == VK_F5) {
                Refresh();
                return TRUE;
            }
            if (info->wVKey == VK_DELETE) {
                if (InvokeVerb(Selected(), "delete")) Refresh();
                return TRUE;
            }
            return 0;
        }
        case NM_RCLICK: {
            POINT screen{};
            GetCursorPos(&screen);
            ShowContextMenu(screen);
            return TRUE;
        }
        case NM_CUSTOMDRAW: {
            auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                bool bold = false;
                if (OnCustomDraw) OnCustomDraw(reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec), bold);
                if (bold && boldFont_) {
                    SelectObject(draw->nmcd.hdc, boldFont_.get());
                    return CDRF_NEWFONT;
                }
            }
            return CDRF_DODEFAULT;
        }
        default:
            return 0;
    }
}

bool ShellTree::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (message != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
        case TVN_GETDISPINFOW:
        case TVN_ITEMEXPANDINGW:
        case TVN_ITEMEXPANDEDW:
        case TVN_SELCHANGEDW:
        case TVN_DELETEITEMW:
        case TVN_KEYDOWN:
        case NM_RCLICK:
        case NM_CUSTOMDRAW:
            result = OnNotify(header);
            return true;
        default:
            return false;
    }
}

LRESULT ShellTree::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT: {
            // Font folders are drawn in the bold cut of whatever font the tree
            // has now (a new one comes with each change of resolution).
            font_ = reinterpret_cast<HFONT>(wParam);
            boldFont_.reset();
            LOGFONTW bold{};
            if (font_ && GetObjectW(font_, sizeof bold, &bold)) {
                bold.lfWeight = FW_BOLD;
                boldFont_.reset(CreateFontIndirectW(&bold));
            }
            break;
        }
        case WM_TIMER:
            if (wParam == kWatchTimer) {
                // A folder that went may move the selection, and the window's
                // list with it: not while a dialog or a run holds the window.
                // The changes stay signalled until it is free.
                if (IsWindowEnabled(GetAncestor(window_, GA_ROOT))) PollWatches();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN: {
            // A click on the node that is selected already counts as choosing it again.
            TVHITTESTINFO hit{};
            hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const HTREEITEM item = TreeView_HitTest(window_, &hit);
            const bool again = item && (hit.flags & TVHT_ONITEM) && item == TreeView_GetSelection(window_);
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            if (again && OnChange && TreeView_GetSelection(window_) == item) OnChange(item);
            return result;
        }
        case WM_NCDESTROY:
            KillTimer(window_, kWatchTimer);
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::ui
