#include "app/browse_folder_dialog.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/dir_tree.h"
#include "app/main_window.h"
#include "ui/image_strip.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// Posted on every selection change, so that the state follows once the
// messages pending at that moment are through.
constexpr UINT kUpdateState = WM_APP + 1;
constexpr UINT kFavoriteBase = 1;

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TfrmBrowseFolder::TfrmBrowseFolder(TfrmMain& main, HWND caller, std::wstring folder, std::wstring checkCaption,
                                   bool showCheckBox, bool checked)
    : ui::Dialog(IDD_BROWSE_FOLDER),
      main_(main),
      caller_(caller),
      folder_(std::move(folder)),
      checkCaption_(std::move(checkCaption)),
      showCheckBox_(showCheckBox),
      checked_(checked) {}

void TfrmBrowseFolder::SetupButton(int id, HICON icon, UINT hint) {
    const HWND button = Item(id);
    if (!button) return;
    if (icon) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    if (!tooltip_) return;
    const std::wstring text = win::LoadResString(hint);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool TfrmBrowseFolder::OnInitDialog() {
    const HWND dialog = Handle();
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));

    // At the caller's top left, 25 pixels in, with the designed size.
    RECT caller{};
    if (caller_ && GetWindowRect(caller_, &caller))
        SetWindowPos(dialog, nullptr, caller.left + 25, caller.top + 25, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The shell controls take the places of their frames in the template.
    auto placeOver = [&](auto& args, int frameId) {
        const RECT frame = ChildRect(dialog, Item(frameId));
        args.parent = dialog;
        args.id = frameId + 100;
        args.x = frame.left;
        args.y = frame.top;
        args.width = frame.right - frame.left;
        args.height = frame.bottom - frame.top;
        args.font = font;
    };
    ui::ShellTreeArgs treeArgs;
    placeOver(treeArgs, IDC_BROWSE_TREE);
    tree_ = std::make_unique<ui::ShellTree>(treeArgs);
    ui::ShellListArgs listArgs;
    placeOver(listArgs, IDC_BROWSE_LIST);
    files_ = std::make_unique<ui::ShellList>(listArgs);
    // Tab order as designed: each control where its frame is.
    SetWindowPos(tree_->Hwnd(), Item(IDC_BROWSE_TREE), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(files_->Hwnd(), Item(IDC_BROWSE_LIST), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    files_->OnDblClickOpen = [](const std::wstring&, bool& handled) { handled = true; };
    AttachFontFolderMarks(main_, *tree_);
    tree_->OnChange = [this](HTREEITEM) { PostMessageW(Handle(), kUpdateState, 0, 0); };

    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (main_.Images()) {
        favIcon_.reset(ImageList_GetIcon(main_.Images(), ui::kImageFolderBrowser, ILD_TRANSPARENT));
        deleteIcon_.reset(ImageList_GetIcon(main_.Images(), ui::kImageDelete, ILD_TRANSPARENT));
    }
    SHFILEINFOW folderIcon{};
    if (SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &folderIcon, sizeof folderIcon,
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        newFolderIcon_.reset(folderIcon.hIcon);
    SetupButton(IDC_BROWSE_FAV, favIcon_.get(), IDS_BROWSE_HINT_FAVORITES);
    SetupButton(IDC_BROWSE_NEW_FOLDER, newFolderIcon_.get(), IDS_BROWSE_HINT_NEW_FOLDER);
    SetupButton(IDC_BROWSE_DELETE, deleteIcon_.get(), IDS_BROWSE_HINT_DELETE);

    tree_->FillRoot();
    if (!folder_.empty()) tree_->SelectPath(folder_);
    if (const HTREEITEM selected = tree_->Selected()) tree_->Expand(selected);
    SetDlgItemTextW(dialog, IDC_BROWSE_CHECKBOX, checkCaption_.c_str());
    Button_SetCheck(Item(IDC_BROWSE_CHECKBOX), checked_ ? BST_CHECKED : BST_UNCHECKED);
    if (!showCheckBox_) {
        // Without the check box the dialog ends one margin below the buttons.
        ShowWindow(Item(IDC_BROWSE_CHECKBOX), SW_HIDE);
        const RECT ok = ChildRect(dialog, Item(IDOK));
        RECT client{}, window{};
        GetClientRect(dialog, &client);
        GetWindowRect(dialog, &window);
        const int margin = ChildRect(dialog, Item(IDC_BROWSE_TREE)).left;
        const int height = (window.bottom - window.top) + ok.bottom + margin - client.bottom;
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateState();
    if (RestoreCursor) SetCursor(RestoreCursor);
    // A tree view that gets the focus selects its first node: without a
    // folder to start from, the choice stays with the user.
    if (!tree_->Selected()) return true;
    SetFocus(tree_->Hwnd());
    return false;
}

void TfrmBrowseFolder::UpdateState() {
    if (!tree_) return;
    const std::wstring path = tree_->SelectedPath();
    const bool usable = win::IsFolder(path);
    for (int id : {IDOK, IDC_BROWSE_NEW_FOLDER, IDC_BROWSE_DELETE}) EnableWindow(Item(id), usable);
    SetDlgItemTextW(Handle(), IDC_BROWSE_SELECTED,
                    usable ? path.c_str() : win::LoadResString(IDS_BROWSE_CHOOSE_FS_FOLDER).c_str());
    if (files_ && files_->Folder() != (usable ? path : std::wstring())) files_->SetFolder(usable ? path : L"");
}

void TfrmBrowseFolder::ChooseFavorite(int index) {
    const std::vector<std::wstring>& favorites = main_.Settings().favorites;
    if (index >= 0 && index < static_cast<int>(favorites.size())) {
        const std::wstring& folder = favorites[static_cast<std::size_t>(index)];
        if (win::IsFolder(folder)) {
            tree_->SelectPath(folder);
        } else {
            ui::ShowMessage(Handle(), win::FormatRes(IDS_BROWSE_FOLDER_MISSING, {win::AsU16(folder)}),
                            MB_ICONEXCLAMATION | MB_OK);
        }
    } else if (index == static_cast<int>(favorites.size())) {
        tree_->SelectPath(catalog::Locations().fontsFolder);
    }
    UpdateState();
}

void TfrmBrowseFolder::ShowFavoritesMenu() {
    win::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    const std::vector<std::wstring>& favorites = main_.Settings().favorites;
    UINT id = kFavoriteBase;
    for (const std::wstring& folder : favorites) AppendMenuW(menu.get(), MF_STRING, id++, folder.c_str());
    if (!favorites.empty()) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kFavoriteBase + favorites.size(),
                win::LoadResString(IDS_BROWSE_SYS_FONTS).c_str());
    RECT button{};
    GetWindowRect(Item(IDC_BROWSE_FAV), &button);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom,
                         Handle(), nullptr));
    if (chosen >= kFavoriteBase) ChooseFavorite(static_cast<int>(chosen - kFavoriteBase));
}

void TfrmBrowseFolder::NewFolder() {
    if (tree_->NewFolder(win::LoadResString(IDS_BROWSE_NEW_FOLDER_NAME)).empty()) ui::ShowSystemError(Handle());
    UpdateState();
}

void TfrmBrowseFolder::DeleteFolder() {
    tree_->InvokeVerb(tree_->Selected(), "delete");
    tree_->Refresh();
    UpdateState();
}

void TfrmBrowseFolder::Capture() {
    if (tree_ && tree_->Hwnd()) selected_ = tree_->SelectedPath();
    if (Item(IDC_BROWSE_CHECKBOX)) checked_ = Button_GetCheck(Item(IDC_BROWSE_CHECKBOX)) == BST_CHECKED;
}

bool TfrmBrowseFolder::OnCommand(int id, int code, HWND control) {
    (void)control;
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_BROWSE_FAV:
            ShowFavoritesMenu();
            return true;
        case IDC_BROWSE_NEW_FOLDER:
            NewFolder();
            return true;
        case IDC_BROWSE_DELETE:
            DeleteFolder();
            return true;
        default:
            return false;
    }
}

bool TfrmBrowseFolder::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam, (void)lParam;
    if (message == kUpdateState) {
        UpdateState();
        result = TRUE;
        return true;
    }
    if (message == WM_DESTROY) {
        // The answer is read while the controls still exist, however the dialog ends.
        Capture();
    }
    return false;
}

bool BrowseForFolder(TfrmMain& main, HWND owner, std::wstring& folder, const std::wstring& checkCaption,
                     bool showCheckBox, bool& checked) {
    // A picker given no folder starts where the user last chose one, in any
    // picker of this run: folders are mostly picked near each other.
    static std::wstring lastChosen;
    if (folder.empty()) folder = lastChosen;
    TfrmBrowseFolder dialog(main, owner, folder, checkCaption, showCheckBox, checked);
    // The hourglass while the tree reads its folders; back before the dialog waits for the user.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    dialog.RestoreCursor = previous;
    const INT_PTR result = ui::CreateAndShowForm(dialog, owner, false, ui::kShowModal);
    SetCursor(previous);
    folder = dialog.SelectedFolder();
    checked = dialog.Checked();
    if (result == IDOK && !folder.empty()) lastChosen = folder;
    return result == IDOK;
}

}  // namespace typorama::app
