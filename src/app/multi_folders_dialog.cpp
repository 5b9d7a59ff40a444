#include "app/multi_folders_dialog.h"

#include <windowsx.h>

#include "app/browse_folder_dialog.h"
#include "app/main_window.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"

namespace typorama::app {

std::vector<TFolderEntry> LoadFolderEntries(const settings::SettingsRoot& root) {
    std::vector<TFolderEntry> entries;
    settings::TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(kMultiFoldersKey)) return entries;
    const int count = reg.ReadIntegerDef(L"FolderCount", 0, settings::IntRange{0, kMultiFoldersCap});
    for (int n = 0; n < count; ++n) {
        const std::wstring number = std::to_wstring(n);
        std::wstring folder = reg.ReadStringDef(L"Folder" + number, L"");
        if (folder.empty()) continue;
        entries.push_back({std::move(folder), reg.ReadBoolDef(L"SubDirs" + number, false)});
    }
    return entries;
}

void StoreFolderEntries(const std::vector<TFolderEntry>& entries, const settings::SettingsRoot& root) {
    settings::TRegistryEx reg(root);
    reg.DeleteKey(kMultiFoldersKey);
    if (!reg.OpenKey(kMultiFoldersKey, true)) return;
    reg.WriteInteger(L"FolderCount", static_cast<std::int32_t>(entries.size()));
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const std::wstring number = std::to_wstring(n);
        reg.WriteString(L"Folder" + number, entries[n].folder);
        reg.WriteBool(L"SubDirs" + number, entries[n].includeSubfolders);
    }
}

int AddFolderEntry(std::vector<TFolderEntry>& entries, const std::wstring& folder, bool includeSubfolders) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!win::EqualFoldedAscii(entries[i].folder, folder)) continue;
        entries[i].includeSubfolders = includeSubfolders;
        return static_cast<int>(i);
    }
    entries.push_back({folder, includeSubfolders});
    return static_cast<int>(entries.size()) - 1;
}

TfrmMultiFolders::TfrmMultiFolders(TfrmMain& main)
    : ui::Dialog(IDD_MULTI_FOLDERS), main_(main), entries_(LoadFolderEntries()) {}

bool TfrmMultiFolders::OnInitDialog() {
    const HWND frame = Item(IDC_MULTI_LIST);
    RECT rect{};
    GetWindowRect(frame, &rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    ui::VirtualListBoxArgs args;
    args.parent = Handle();
    args.id = IDC_MULTI_LIST + 100;
    args.x = rect.left;
    args.y = rect.top;
    args.width = rect.right - rect.left;
    args.height = rect.bottom - rect.top;
    args.itemHeight = win::ScaleForWindow(Handle(), 16);
    args.font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    folders_ = std::make_unique<ui::ThVirtualListBox>(args);
    SetWindowPos(folders_->Hwnd(), frame, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    folders_->OnDrawItem = [this](int index, const RECT& row, UINT, HDC dc) { DrawRow(index, row, dc); };
    folders_->OnItemName = [this](int index) {
        return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[static_cast<std::size_t>(index)].folder
                                                                        : std::wstring();
    };
    folders_->OnKeyToItem = [this](UINT key, int& index) {
        if (key != VK_DELETE) return;
        RemoveFolder();
        index = -2;  // handled
    };
    Changed();
    return true;
}

void TfrmMultiFolders::DrawRow(int index, const RECT& rect, HDC dc) const {
    FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    const TFolderEntry& entry = entries_[static_cast<std::size_t>(index)];
    const std::wstring text = entry.folder + (entry.includeSubfolders ? L"*" : L"");
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, rect.left + 2, rect.top + 1, text.c_str(), static_cast<int>(text.size()));
}

void TfrmMultiFolders::Changed(int current) {
    if (!folders_) return;
    folders_->SetItemCount(static_cast<int>(entries_.size()));
    if (current >= 0) folders_->SetItemIndex(current);
    InvalidateRect(folders_->Hwnd(), nullptr, TRUE);
    EnableWindow(Item(IDOK), !entries_.empty());
}

void TfrmMultiFolders::AddFolder() {
    std::wstring folder;
    bool subfolders = false;
    if (!BrowseForFolder(main_, Handle(), folder, win::LoadResString(IDS_BROWSE_INCLUDE_SUBFOLDERS), true, subfolders))
        return;
    if (folder.empty()) return;
    Changed(AddFolderEntry(entries_, folder, subfolders));
}

void TfrmMultiFolders::RemoveFolder() {
    int index = folders_ ? folders_->ItemIndex() : -1;
    if (index < 0 && entries_.size() == 1) index = 0;
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        MessageBeep(MB_OK);
        return;
    }
    entries_.erase(entries_.begin() + index);
    if (folders_) folders_->SetItemIndex(-1);
    Changed();
}

void TfrmMultiFolders::ClearFolders() {
    if (entries_.empty()) return;
    entries_.clear();
    Changed();
}

bool TfrmMultiFolders::OnCommand(int id, int code, HWND control) {
    (void)control;
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_MULTI_ADD:
            AddFolder();
            return true;
        case IDC_MULTI_REMOVE:
            RemoveFolder();
            return true;
        case IDC_MULTI_CLEAR:
            ClearFolders();
            return true;
        default:
            return false;
    }
}

}  // namespace typorama::app
