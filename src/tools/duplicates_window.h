// The duplicate finder's window (TfrmFindDuplicates): the folders to search,
// the search on a worker thread with its counts and Cancel, the groups of
// files that hold a font of the same full name with their sizes, CRC-32s and
// install states, and what can be done with one file of a group.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/font_search.h"
#include "catalog/system_locations.h"
#include "settings/settings_store.h"
#include "tools/duplicate_search.h"
#include "ui/dialog.h"
#include "ui/resource.h"
#include "win/unique_handle.h"

namespace typorama::tools {

inline constexpr wchar_t kDuplicatesSettingsKey[] = L"FindDuplicates";

// The folder list as stored: entries with an empty path are left out.
std::vector<FolderEntry> ReadDuplicateFolders(const settings::SettingsRoot& root);
bool WriteDuplicateFolders(const settings::SettingsRoot& root, const std::vector<FolderEntry>& folders);

class TfrmFindDuplicates : public ui::Dialog {
public:
    TfrmFindDuplicates(const catalog::SystemLocations& where, HIMAGELIST images,
                       settings::SettingsRoot settingsRoot = settings::ActiveSettingsRoot());
    ~TfrmFindDuplicates() override;

    // Creates the window, hidden, without an owner (its own taskbar button).
    bool Create();

    const std::vector<FolderEntry>& Folders() const { return folders_; }
    // Adds an entry, or sets the subfolder flag of the one with this path.
    void AddFolder(const FolderEntry& entry);
    void RemoveSelectedFolder();
    void Clear();
    // butStart: the search, then the tree; false when it was cancelled or
    // could not run (the tree is then empty).
    bool Search();
    std::wstring StatusText() const;
    std::wstring InfoText() const;
    HWND Tree() const { return Item(IDC_DUP_RESULTS); }
    const std::vector<DuplicateSet>& Groups() const { return groups_; }

    // The folder picker: folder and subfolder flag in and out, true for OK.
    std::function<bool(HWND owner, std::wstring& folder, bool& subfolders)> BrowseFolder;
    // The deletion of one file: to the recycle bin with the shell's
    // confirmation, owned by the window (tests delete or keep it themselves).
    std::function<void(HWND owner, const std::wstring& path)> DeleteCall = DeleteToRecycleBin;
    // Given to the search's progress window (tests press Cancel through it).
    app::SearchProgressHook ProgressShown;
    std::function<void()> Destroyed;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroyed() override;

private:
    void Layout();
    // `pixels` at 96 dpi in the pixels of the monitor the window is on.
    int Px(int pixels) const;
    int InfoBoxHeight() const;
    void ShowFolders();
    void ShowResults();
    void ShowInfo();
    void AddFolderByBrowsing();
    // The selected node's file, or null for a group node or no selection.
    const DuplicateFile* SelectedFile(HTREEITEM* node = nullptr, std::size_t* group = nullptr,
                                      std::size_t* position = nullptr) const;
    void ViewFile();
    void DeleteFile();
    void ShowProperties();
    void ExpandAll(bool expand);
    void ShowTreeMenu();
    bool OnTreeKey(WORD key);
    void SetStatus(const std::wstring& text);
    void StoreFolders();

    const catalog::SystemLocations& where_;
    HIMAGELIST images_;
    settings::SettingsRoot settingsRoot_;
    std::vector<FolderEntry> folders_;
    std::vector<DuplicateSet> groups_;  // group node's lParam indexes it
    std::wstring status_;
    win::UniqueFont boldFont_;
};

}  // namespace typorama::tools
