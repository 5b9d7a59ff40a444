#include "ui/shell_list.h"

#include <shellapi.h>

#include <algorithm>

#include "win/folders.h"
#include "win/text_compare.h"

namespace typorama::ui {

ShellList::ShellList(const ShellListArgs& args) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    if (!CreateControl(WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_LIST | LVS_SHAREIMAGELISTS | LVS_SINGLESEL |
                           LVS_SHOWSELALWAYS,
                       args.x, args.y, args.width, args.height, args.parent, args.id))
        return;
    SendMessageW(window_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(args.font ? args.font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SHFILEINFOW info{};
    // The system image list is shared (LVS_SHAREIMAGELISTS): the view leaves it alone.
    const auto images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L"x.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    if (images) ListView_SetImageList(window_, images, LVSIL_SMALL);
}

ShellList::~ShellList() {
    if (window_) DestroyWindow(window_);
}

void ShellList::SetFolder(const std::wstring& folder) {
    folder_ = folder;
    files_.clear();
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(window_);
    if (!folder.empty()) {
        const std::wstring base = folder.back() == L'\\' ? folder : folder + L'\\';
        win::ForEachFolderEntry(base, L"*", win::EntryKind::Files,
                                [&](const WIN32_FIND_DATAW& data) { files_.push_back(base + data.cFileName); });
        std::sort(files_.begin(), files_.end(),
                  [](const std::wstring& a, const std::wstring& b) { return win::CompareForDisplay(a, b) < 0; });
        int index = 0;
        for (const std::wstring& file : files_) {
            SHFILEINFOW info{};
            // The icon by file type only: reading each file's own icon is slow on big folders.
            SHGetFileInfoW(file.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
            item.iItem = index;
            item.pszText = const_cast<wchar_t*>(file.c_str() + base.size());
            item.iImage = info.iIcon;
            item.lParam = index;
            ListView_InsertItem(window_, &item);
            ++index;
        }
    }
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

void ShellList::Open(int index) {
    if (index < 0 || index >= static_cast<int>(files_.size())) return;
    const std::wstring& file = files_[static_cast<std::size_t>(index)];
    bool handled = false;
    if (OnDblClickOpen) OnDblClickOpen(file, handled);
    if (!handled) ShellExecuteW(GetAncestor(window_, GA_ROOT), nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool ShellList::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != NM_DBLCLK) return false;
    Open(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    result = 0;
    return true;
}

}  // namespace typorama::ui
