// TfrmInstall and TfrmRemove: where the files of the fonts to install go, and
// what becomes of the files of the fonts to uninstall. Both list the fonts,
// offer three choices, the third with a folder box whose remembered folders
// and choice are kept under their own settings subkey (not the list
// convention of other lists): read when the dialog opens, written when it
// closes, by OK and Cancel alike.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"
#include "ui/dialog.h"

namespace typorama::tools {

inline constexpr std::wstring_view kInstallSettingsKey = L"Install";
inline constexpr std::wstring_view kRemoveSettingsKey = L"UnInstall";

class TfrmFolderChoice : public ui::Dialog {
public:
    // Install: in place, the fonts folder, another folder. Remove: uninstall
    // only, and delete the files, and move them to a folder.
    enum Choice : int { kFirst = 0, kSecond = 1, kThird = 2 };

    std::vector<std::wstring> Names;  // the fonts, shown one per line
    // The folder picker of the "..." button: true with the chosen folder.
    std::function<bool(HWND owner, std::wstring& folder)> Browse;
    // Asked when OK is pressed with the first choice; false keeps the dialog open.
    std::function<bool(HWND owner)> ConfirmFirst;

    // After OK: the choice and the trimmed, checked folder of the third.
    int Choice() const { return choice_; }
    const std::wstring& Folder() const { return folder_; }

protected:
    TfrmFolderChoice(UINT templateId, UINT infoId, std::wstring_view settingsKey,
                     settings::SettingsRoot root);
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Load();
    void Save();
    void UpdateFolderState();
    int CheckedChoice() const;
    std::wstring FolderText() const;

    UINT infoId_;
    std::wstring settingsKey_;
    settings::SettingsRoot root_;
    std::wstring valueName_;
    int choice_ = kFirst;
    std::wstring folder_;
};

class TfrmInstall : public TfrmFolderChoice {
public:
    explicit TfrmInstall(settings::SettingsRoot root = settings::ActiveSettingsRoot());
};

class TfrmRemove : public TfrmFolderChoice {
public:
    explicit TfrmRemove(settings::SettingsRoot root = settings::ActiveSettingsRoot());
};

}  // namespace typorama::tools
