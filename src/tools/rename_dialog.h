// TfrmConfirmRename: a rename meets a file that already holds the wanted
// name. The user skips the file, deletes the file in the way, renames to a
// name of their own, or stops the run. The choice is remembered for the next
// conflict (LastRenameType directly under the settings key).
#pragma once

#include <windows.h>

#include <string>

#include "settings/settings_store.h"
#include "tools/rename_run.h"
#include "ui/dialog.h"
#include "win/unique_handle.h"

namespace typorama::tools {

inline constexpr wchar_t kLastRenameTypeValue[] = L"LastRenameType";

class TfrmConfirmRename : public ui::Dialog {
public:
    enum Choice : int { kSkip = 0, kOverwrite = 1, kRename = 2 };

    // `folder`: where the file lies (the typed name must not exist there);
    // `proposed`: the alternative offered in the name box.
    TfrmConfirmRename(std::wstring folder, std::wstring message, std::wstring proposed,
                      settings::SettingsRoot root = settings::ActiveSettingsRoot());

    // After OK: the choice, and with kRename the file name the typed text gave.
    int Choice() const { return choice_; }
    const std::wstring& FileName() const { return fileName_; }
    // The answer for the run: Cancel unless the dialog ended with OK.
    RenameClashAnswer Answer(INT_PTR result) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    int CheckedChoice() const;
    void UpdateNameState();
    bool Accept();
    void SaveChoice();

    std::wstring folder_;
    std::wstring message_;
    std::wstring proposed_;
    settings::SettingsRoot root_;
    int choice_ = kSkip;
    std::wstring fileName_;
    win::UniqueFont font_;
};

}  // namespace typorama::tools
