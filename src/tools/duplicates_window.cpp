#include "tools/duplicates_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <stop_token>

#include "app/run_programs.h"
#include "catalog/font_file.h"
#include "tools/duplicate_groups.h"
#include "ui/font_texts.h"
#include "ui/help.h"
#include "ui/help_topics.h"
#include "ui/image_strip.h"
#include "ui/message_box.h"
#include "win/dpi.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

// Far more than anyone lists; bounds what a damaged settings key makes us read.
constexpr std::int32_t kMaxStoredFolders = 1000;
// The window's size rules and layout, in pixels at 96 dpi.
constexpr int kMinWidth = 350;
constexpr int kMinHeight = 380;
constexpr int kMaxWidth = 800;
constexpr int kMargin = 9;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kFolderListHeight = 97;
constexpr int kLabelHeight = 14;

int ImageOf(const catalog::InstallState& state) {
    switch (state.Status()) {
        case catalog::InstallStatus::InstalledFromThisFile: return ui::kImageBadgeBlue;
        case catalog::InstallStatus::InstalledFromOtherFile: return ui::kImageBadgePurple;
        default: return ui::kImageBadgeGreen;
    }
}

std::wstring FolderRowText(const FolderEntry& entry) { return entry.path + (entry.includeSubfolders ? L"*" : L""); }

}  // namespace

std::vector<FolderEntry> ReadDuplicateFolders(const settings::SettingsRoot& root) {
    std::vector<FolderEntry> folders;
    settings::TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(kDuplicatesSettingsKey)) return folders;
    const std::int32_t count = reg.ReadIntegerDef(L"FolderCount", 0, {0, kMaxStoredFolders});
    for (std::int32_t n = 0; n < count; ++n) {
        std::wstring path = reg.ReadStringDef(L"Folder" + std::to_wstring(n), L"");
        if (path.empty()) continue;
        folders.push_back({std::move(path), reg.ReadBoolDef(L"SubDirs" + std::to_wstring(n), false)});
    }
    return folders;
}

bool WriteDuplicateFolders(const settings::SettingsRoot& root, const std::vector<FolderEntry>& folders) {
    settings::TRegistryEx reg(root);
    // Written anew, so that no entry of a longer old list is left behind.
    if (!reg.DeleteKey(kDuplicatesSettingsKey) || !reg.OpenKey(kDuplicatesSettingsKey, true)) return false;
    bool written = reg.WriteInteger(L"FolderCount", static_cast<std::int32_t>(folders.size()));
    for (std::size_t n = 0; n < folders.size(); ++n) {
        written = reg.WriteString(L"Folder" + std::to_wstring(n), folders[n].path) && written;
        written = reg.WriteBool(L"SubDirs" + std::to_wstring(n), folders[n].includeSubfolders) && written;
    }
    return written;
}

TfrmFindDuplicates::TfrmFindDuplicates(const catalog::SystemLocations& where, HIMAGELIST images,
                                       settings::SettingsRoot settingsRoot)
    : ui::Dialog(IDD_FIND_DUPLICATES), where_(where), images_(images), settingsRoot_(std::move(settingsRoot)) {}

TfrmFindDuplicates::~TfrmFindDuplicates() = default;

bool TfrmFindDuplicates::Create() {
    // The template holds a tree and a status bar.
    INITCOMMONCONTROLSEX init{sizeof init, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    CenterOver(nullptr);
    return CreateModeless(nullptr) != nullptr;
}

bool TfrmFindDuplicates::OnInitDialog() {
    const HWND tree = Tree();
    TreeView_SetImageList(tree, images_, TVSIL_NORMAL);

    // The search button stands out in bold.
    LOGFONTW font{};
    if (GetObjectW(GetWindowFont(Item(IDC_DUP_START)), sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        boldFont_.reset(CreateFontIndirectW(&font));
        if (boldFont_) SetWindowFont(Item(IDC_DUP_START), boldFont_.get(), FALSE);
    }
    folders_ = ReadDuplicateFolders(settingsRoot_);
    ShowFolders();
    // The template's size is in dialog units: the window starts at a size of
    // its own, no taller than the monitor's work area.
    int height = Px(kMinHeight + 180);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
        height = std::max(Px(kMinHeight), std::min<int>(height, monitor.rcWork.bottom - monitor.rcWork.top));
    SetWindowPos(Handle(), nullptr, 0, 0, Px(kMinWidth + 150), height, SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    return true;
}

int TfrmFindDuplicates::Px(int pixels) const { return win::ScaleForWindow(Handle(), pixels); }

int TfrmFindDuplicates::InfoBoxHeight() const {
    // Seven lines of the box's own font and 3 pixels, besides its frame and
    // the scroll bar that long lines need; measured each time, as the font
    // changes with the monitor's dpi.
    const HWND info = Item(IDC_DUP_INFO);
    TEXTMETRICW metrics{};
    if (HDC dc = GetDC(info)) {
        const HGDIOBJ old = SelectObject(dc, GetWindowFont(info));
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(info, dc);
    }
    const UINT dpi = GetDpiForWindow(info);
    return metrics.tmHeight * 7 + Px(3) + 2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi) +
           GetSystemMetricsForDpi(SM_CYHSCROLL, dpi);
}

void TfrmFindDuplicates::Layout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const HWND status = Item(IDC_DUP_STATUS);
    SendMessageW(status, WM_SIZE, 0, 0);
    RECT statusRect{};
    GetWindowRect(status, &statusRect);
    const int bottom = client.bottom - (statusRect.bottom - statusRect.top);

    auto place = [this](int id, int x, int y, int w, int h) {
        SetWindowPos(Item(id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int margin = Px(kMargin), buttonWidth = Px(kButtonWidth), buttonHeight = Px(kButtonHeight);
    const int labelHeight = Px(kLabelHeight), labelStep = Px(16), gap = Px(4);
    const int listWidth = std::max(Px(20), width - buttonWidth - Px(25));
    const int buttonsX = margin + listWidth + Px(7);
    const int listTop = Px(8) + labelStep;
    const int listBottom = listTop + Px(kFolderListHeight);
    place(IDC_DUP_FOLDERS_LABEL, margin, Px(8), listWidth, labelHeight);
    place(IDC_DUP_FOLDERS, margin, listTop, listWidth, Px(kFolderListHeight));
    place(IDC_DUP_ADD, buttonsX, listTop, buttonWidth, buttonHeight);
    place(IDC_DUP_REMOVE, buttonsX, listTop + buttonHeight + gap, buttonWidth, buttonHeight);
    place(IDC_DUP_START, buttonsX, listBottom - buttonHeight, buttonWidth, buttonHeight);

    const int infoHeight = InfoBoxHeight();
    const int infoTop = bottom - infoHeight;
    const int infoLabelTop = infoTop - labelStep;
    place(IDC_DUP_INFO, margin, infoTop, std::max(Px(20), width - 2 * margin), infoHeight);
    place(IDC_DUP_INFO_LABEL, margin, infoLabelTop, listWidth, labelHeight);

    const int resultsLabelTop = listBottom + Px(3);
    const int treeTop = resultsLabelTop + labelStep;
    const int treeBottom = std::max(treeTop + buttonHeight, infoLabelTop - Px(3));
    place(IDC_DUP_RESULTS_LABEL, margin, resultsLabelTop, listWidth, labelHeight);
    place(IDC_DUP_RESULTS, margin, treeTop, listWidth, treeBottom - treeTop);
    place(IDC_DUP_CLEAR, buttonsX, treeTop, buttonWidth, buttonHeight);
    place(IDC_DUP_CLOSE, buttonsX, treeTop + buttonHeight + gap, buttonWidth, buttonHeight);
    place(IDC_DUP_HELP, buttonsX, treeBottom - buttonHeight, buttonWidth, buttonHeight);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmFindDuplicates::ShowFolders() {
    const HWND list = Item(IDC_DUP_FOLDERS);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : folders_)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FolderRowText(entry).c_str()));
    if (selected >= 0 && static_cast<std::size_t>(selected) < folders_.size())
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void TfrmFindDuplicates::AddFolder(const FolderEntry& entry) {
    for (FolderEntry& listed : folders_) {
        if (win::EqualNoCase(listed.path, entry.path)) {
            listed.includeSubfolders = entry.includeSubfolders;
            ShowFolders();
            return;
        }
    }
    folders_.push_back(entry);
    ShowFolders();
}

void TfrmFindDuplicates::AddFolderByBrowsing() {
    if (!BrowseFolder) return;
    FolderEntry entry;
    if (BrowseFolder(Handle(), entry.path, entry.includeSubfolders) && !entry.path.empty()) AddFolder(entry);
}

void TfrmFindDuplicates::RemoveSelectedFolder() {
    LRESULT selected = SendMessageW(Item(IDC_DUP_FOLDERS), LB_GETCURSEL, 0, 0);
    if (selected < 0 && folders_.size() == 1) selected = 0;
    if (selected < 0 || static_cast<std::size_t>(selected) >= folders_.size()) {
        MessageBeep(MB_OK);
        return;
    }
    folders_.erase(folders_.begin() + selected);
    SendMessageW(Item(IDC_DUP_FOLDERS), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ShowFolders();
}

void TfrmFindDuplicates::Clear() {
    folders_.clear();
    ShowFolders();
    TreeView_DeleteAllItems(Tree());
    groups_.clear();
    SetDlgItemTextW(Handle(), IDC_DUP_INFO, L"");
    SetStatus(L"");
}

bool TfrmFindDuplicates::Search() {
    if (folders_.empty()) {
        ui::ShowError(Handle(), win::LoadResString(IDS_DUP_NO_FOLDER));
        return false;
    }
    TreeView_DeleteAllItems(Tree());
    groups_.clear();
    SetDlgItemTextW(Handle(), IDC_DUP_INFO, L"");
    SetStatus(L"");

    // The worker gets copies; the result is taken over once it has been joined.
    DuplicateSearchResult result;
    std::optional<std::vector<std::wstring>> finished = app::RunSearch(
        Handle(), win::LoadResString(IDS_DUP_SEARCHING), true,
        [&result, folders = folders_, where = where_](std::stop_token stop, SearchProgress& progress) {
            std::atomic<bool> cancel{false};
            const std::stop_callback onStop(stop, [&cancel] { cancel = true; });
            result = FindDuplicates(folders, where, &cancel, &progress);
            return std::vector<std::wstring>{};
        },
        ProgressShown);
    if (!finished || result.cancelled) return false;
    groups_ = std::move(result.groups);
    ShowResults();
    MessageBeep(MB_OK);
    return true;
}

void TfrmFindDuplicates::ShowResults() {
    const HWND tree = Tree();
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree);
    std::int64_t shown = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const DuplicateSet& set = groups_[g];
        if (set.files.size() < 2) continue;
        ++shown;
        DuplicateGroup group{std::u16string(win::AsU16(set.fullName)), {}};
        for (const DuplicateFile& file : set.files) group.files.emplace_back(win::AsU16(file.path));
        std::wstring text = win::ToWide(GroupNodeText(group));
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = text.data();
        insert.item.iImage = insert.item.iSelectedImage = ui::kImageFontInformation;
        insert.item.lParam = static_cast<LPARAM>(g);
        const HTREEITEM groupNode = TreeView_InsertItem(tree, &insert);
        for (const DuplicateFile& file : set.files) {
            const std::u16string crc = CrcText(file.crc32);
            std::wstring fileText =
                file.path + win::FormatRes(IDS_DUP_FILE_NODE, {static_cast<double>(file.size), std::u16string_view(crc)});
            TVINSERTSTRUCTW child{};
            child.hParent = groupNode;
            child.hInsertAfter = TVI_LAST;
            child.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            child.item.pszText = fileText.data();
            child.item.iImage = child.item.iSelectedImage = ImageOf(file.state);
            TreeView_InsertItem(tree, &child);
        }
    }
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    SetStatus(TreeView_GetCount(tree) > 0 ? win::FormatRes(IDS_DUP_FOUND, {shown})
                                          : win::LoadResString(IDS_DUP_NOTHING_FOUND));
}

void TfrmFindDuplicates::SetStatus(const std::wstring& text) {
    status_ = text;
    SendMessageW(Item(IDC_DUP_STATUS), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(status_.c_str()));
}

std::wstring TfrmFindDuplicates::StatusText() const { return status_; }

std::wstring TfrmFindDuplicates::InfoText() const {
    const int length = GetWindowTextLengthW(Item(IDC_DUP_INFO));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(Item(IDC_DUP_INFO), text.data(), length + 1)));
    return text;
}

const DuplicateFile* TfrmFindDuplicates::SelectedFile(HTREEITEM* node, std::size_t* group,
                                                      std::size_t* position) const {
    const HWND tree = Tree();
    const HTREEITEM selected = TreeView_GetSelection(tree);
    const HTREEITEM parent = selected ? TreeView_GetParent(tree, selected) : nullptr;
    if (!parent) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = parent;
    if (!TreeView_GetItem(tree, &item)) return nullptr;
    const auto g = static_cast<std::size_t>(item.lParam);
    std::size_t pos = 0;
    for (HTREEITEM previous = TreeView_GetPrevSibling(tree, selected); previous;
         previous = TreeView_GetPrevSibling(tree, previous))
        ++pos;
    if (g >= groups_.size() || pos >= groups_[g].files.size()) return nullptr;
    if (node) *node = selected;
    if (group) *group = g;
    if (position) *position = pos;
    return &groups_[g].files[pos];
}

void TfrmFindDuplicates::ShowInfo() {
    std::wstring text;
    if (const DuplicateFile* file = SelectedFile()) {
        catalog::TFontInfo info;
        if (catalog::ReadFontInfo(file->path, info)) {
            std::wstring state;
            switch (file->state.Status()) {
                case catalog::InstallStatus::InstalledFromThisFile: state = win::LoadResString(IDS_DUP_STATE_THIS); break;
                case catalog::InstallStatus::InstalledFromOtherFile:
                    state = win::FormatRes(IDS_DUP_STATE_OTHER, {win::AsU16(file->state.registeredFile)});
                    break;
                default: state = win::LoadResString(IDS_DUP_STATE_NONE); break;
            }
            const std::wstring size = win::FormatRes(IDS_DUP_BYTES, {static_cast<double>(file->size)});
            const std::wstring embedding = ui::EmbeddingText(info.Embedding);
            text = win::FormatRes(IDS_DUP_INFO, {win::AsU16(file->path), win::AsU16(size), win::AsU16(info.FamilyName),
                                                 win::AsU16(info.FullName), win::AsU16(info.Version),
                                                 win::AsU16(embedding), win::AsU16(state), win::AsU16(info.Copyright)});
        }
    }
    SetDlgItemTextW(Handle(), IDC_DUP_INFO, text.c_str());
}

void TfrmFindDuplicates::ViewFile() {
    const DuplicateFile* file = SelectedFile();
    if (!file || app::RunFontViewer(file->path)) return;
    const std::wstring reason = win::SystemErrorText(GetLastError());
    ui::ShowError(Handle(), win::FormatRes(IDS_DUP_VIEW_FAILED, {win::AsU16(reason)}));
}

void TfrmFindDuplicates::ShowProperties() {
    const DuplicateFile* file = SelectedFile();
    if (!file) return;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"properties";
    info.lpFile = file->path.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
}

void TfrmFindDuplicates::DeleteFile() {
    HTREEITEM node = nullptr;
    std::size_t group = 0, position = 0;
    const DuplicateFile* file = SelectedFile(&node, &group, &position);
    if (!file) return;
    const std::wstring path = file->path;
    const HWND owner = Handle();
    if (!DeleteCall ||
        !DeleteDuplicateFile(path, groups_[group].fullName, [&](const std::wstring& gone) { DeleteCall(owner, gone); },
                             where_))
        return;  // cancelled or refused: the file and its node stay
    auto& files = groups_[group].files;
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(position));
    TreeView_DeleteItem(Tree(), node);
    ShowInfo();
}

void TfrmFindDuplicates::ExpandAll(bool expand) {
    const HWND tree = Tree();
    for (HTREEITEM node = TreeView_GetRoot(tree); node; node = TreeView_GetNextSibling(tree, node))
        TreeView_Expand(tree, node, expand ? TVE_EXPAND : TVE_COLLAPSE);
    if (const HTREEITEM selected = TreeView_GetSelection(tree)) TreeView_EnsureVisible(tree, selected);
}

void TfrmFindDuplicates::ShowTreeMenu() {
    const HWND tree = Tree();
    POINT point{};
    GetCursorPos(&point);
    TVHITTESTINFO hit{};
    hit.pt = point;
    ScreenToClient(tree, &hit.pt);
    if (const HTREEITEM node = TreeView_HitTest(tree, &hit)) TreeView_SelectItem(tree, node);
    SetFocus(tree);

    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const UINT fileItems = SelectedFile() ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | fileItems, IDC_DUP_VIEW, win::LoadResString(IDS_DUP_MENU_VIEW).c_str());
    AppendMenuW(menu, MF_STRING | fileItems, IDC_DUP_DELETE, win::LoadResString(IDS_DUP_MENU_DELETE).c_str());
    AppendMenuW(menu, MF_STRING | fileItems, IDC_DUP_PROPERTIES, win::LoadResString(IDS_DUP_MENU_PROPERTIES).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDC_DUP_EXPAND_ALL, win::LoadResString(IDS_DUP_MENU_EXPAND).c_str());
    AppendMenuW(menu, MF_STRING, IDC_DUP_COLLAPSE_ALL, win::LoadResString(IDS_DUP_MENU_COLLAPSE).c_str());
    SetMenuDefaultItem(menu, IDC_DUP_VIEW, FALSE);
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
    if (command) OnCommand(command, 0, nullptr);
}

bool TfrmFindDuplicates::OnTreeKey(WORD key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_DELETE) {
        DeleteFile();
        return true;
    }
    if (control && (key == VK_RIGHT || key == VK_LEFT)) {
        ExpandAll(key == VK_RIGHT);
        return true;
    }
    if (key == VK_RETURN && GetKeyState(VK_MENU) < 0) {
        ShowProperties();
        return true;
    }
    return false;
}

bool TfrmFindDuplicates::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
        case IDC_DUP_ADD: AddFolderByBrowsing(); return true;
        case IDC_DUP_REMOVE: RemoveSelectedFolder(); return true;
        case IDC_DUP_START: Search(); return true;
        case IDC_DUP_CLEAR: Clear(); return true;
        case IDC_DUP_CLOSE: SendMessageW(Handle(), WM_CLOSE, 0, 0); return true;
        case IDC_DUP_HELP: ui::ShowHelpTopic(Handle(), ui::kDuplicatesHelpTopic); return true;
        case IDC_DUP_VIEW: ViewFile(); return true;
        case IDC_DUP_DELETE: DeleteFile(); return true;
        case IDC_DUP_PROPERTIES: ShowProperties(); return true;
        case IDC_DUP_EXPAND_ALL: ExpandAll(true); return true;
        case IDC_DUP_COLLAPSE_ALL: ExpandAll(false); return true;
        // Enter and Esc of the dialog manager: the window closes only by its
        // button or its frame.
        case IDOK:
        case IDCANCEL: return true;
        default: (void)code; return false;
    }
}

bool TfrmFindDuplicates::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SIZE: Layout(); return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {Px(kMinWidth), Px(kMinHeight)};
            info->ptMaxTrackSize.x = Px(kMaxWidth);
            info->ptMaxSize.x = std::min<LONG>(info->ptMaxSize.x, Px(kMaxWidth));
            return true;
        }
        case WM_CLOSE:
            StoreFolders();
            DestroyWindow(Handle());
            return true;
        case WM_VKEYTOITEM:
            if (reinterpret_cast<HWND>(lParam) == Item(IDC_DUP_FOLDERS) && LOWORD(wParam) == VK_DELETE) {
                RemoveSelectedFolder();
                result = -2;
                return true;
            }
            result = -1;
            return true;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != IDC_DUP_RESULTS) return false;
            switch (header->code) {
                case TVN_SELCHANGEDW: ShowInfo(); return true;
                case NM_DBLCLK:
                    if (!SelectedFile()) return false;  // a group node opens and closes as usual
                    ViewFile();
                    result = TRUE;
                    return true;
                case NM_RCLICK:
                    ShowTreeMenu();
                    result = TRUE;
                    return true;
                case TVN_KEYDOWN:
                    result = OnTreeKey(reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey) ? TRUE : FALSE;
                    return true;
                default: return false;
            }
        }
        default: (void)wParam; return false;
    }
}

void TfrmFindDuplicates::StoreFolders() { WriteDuplicateFolders(settingsRoot_, folders_); }

void TfrmFindDuplicates::OnDestroyed() {
    if (Destroyed) Destroyed();
}

}  // namespace typorama::tools
