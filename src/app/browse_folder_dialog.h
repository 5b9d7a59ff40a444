// TfrmBrowseFolder: the folder picker that several commands share. A shell
// folder tree with the files of the chosen folder beside it, favourites, new
// folder and delete buttons, and an optional check box.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/dialog.h"
#include "ui/shell_list.h"
#include "ui/shell_tree.h"
#include "win/unique_handle.h"

namespace typorama::app {

class TfrmMain;

class TfrmBrowseFolder : public ui::Dialog {
public:
    TfrmBrowseFolder(TfrmMain& main, HWND caller, std::wstring folder, std::wstring checkCaption, bool showCheckBox,
                     bool checked);

    ui::ShellTree& Tree() { return *tree_; }
    ui::ShellList& Files() { return *files_; }
    // What the dialog hands back: the tree's selected folder (empty for a
    // virtual one) and the check box.
    const std::wstring& SelectedFolder() const { return selected_; }
    bool Checked() const { return checked_; }
    // Chooses favourite `index` (the last entry after them is the system
    // fonts folder), as the favourites button's menu does.
    void ChooseFavorite(int index);
    // The cursor put back once the dialog is ready (null: left alone).
    HCURSOR RestoreCursor = nullptr;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateState();
    void ShowFavoritesMenu();
    void NewFolder();
    void DeleteFolder();
    void SetupButton(int id, HICON icon, UINT hint);
    void Capture();

    TfrmMain& main_;
    HWND caller_;
    std::wstring folder_;
    std::wstring checkCaption_;
    bool showCheckBox_;
    bool checked_;
    std::wstring selected_;
    std::unique_ptr<ui::ShellTree> tree_;
    std::unique_ptr<ui::ShellList> files_;
    win::UniqueIcon favIcon_, newFolderIcon_, deleteIcon_;
    HWND tooltip_ = nullptr;
};

// Runs the folder picker for `owner` starting at `folder`. The folder and
// the check state are always written back (also on Cancel); true only for OK.
bool BrowseForFolder(TfrmMain& main, HWND owner, std::wstring& folder, const std::wstring& checkCaption,
                     bool showCheckBox, bool& checked);

}  // namespace typorama::app
