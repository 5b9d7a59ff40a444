// TfrmMultiFolders: the list of folders that "browse several folders"
// searches, each with or without its subfolders. The list is loaded from
// the settings when the dialog is made and stored after a search found fonts.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "ui/dialog.h"
#include "ui/virtual_list_box.h"

namespace typorama::app {

class TfrmMain;

struct TFolderEntry {
    std::wstring folder;
    bool includeSubfolders = false;
};

// The subkey of the settings that keeps the list.
inline constexpr wchar_t kMultiFoldersKey[] = L"BrowseMultiFolders";
// The most entries loaded: a FolderCount typed into the registry by hand
// must not turn loading into millions of reads.
inline constexpr int kMultiFoldersCap = 1000;

// Entries from the settings (empty folders skipped; registry failures give
// what could be read; at most kMultiFoldersCap) and back (the subkey is
// written anew).
std::vector<TFolderEntry> LoadFolderEntries(const settings::SettingsRoot& root = settings::ActiveSettingsRoot());
void StoreFolderEntries(const std::vector<TFolderEntry>& entries,
                        const settings::SettingsRoot& root = settings::ActiveSettingsRoot());

// A folder already listed (as text, A-Z without case) only takes the new
// include-subfolders flag; another one is appended. Returns its position.
int AddFolderEntry(std::vector<TFolderEntry>& entries, const std::wstring& folder, bool includeSubfolders);

class TfrmMultiFolders : public ui::Dialog {
public:
    explicit TfrmMultiFolders(TfrmMain& main);

    const std::vector<TFolderEntry>& Entries() const { return entries_; }
    ui::ThVirtualListBox* Folders() { return folders_.get(); }
    // What the buttons do.
    void AddFolder();
    void RemoveFolder();
    void ClearFolders();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Changed(int current = -1);
    void DrawRow(int index, const RECT& rect, HDC dc) const;

    TfrmMain& main_;
    std::vector<TFolderEntry> entries_;
    std::unique_ptr<ui::ThVirtualListBox> folders_;
};

}  // namespace typorama::app
