#include "tools/repair_dialog.h"


namespace typorama::tools {
namespace {

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetChecked(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace

bool TfrmRepair::OnInitDialog() {
    Show(Choice);
    return true;
}

void TfrmRepair::Show(const RepairChoice& choice) {
    SetChecked(Handle(), IDC_REP_VALIDATE, choice.settings.checkRegistry);
    SetChecked(Handle(), IDC_REP_INC_REMOVABLE, choice.settings.includeRemovable);
    SetChecked(Handle(), IDC_REP_FONTS_FOLDER, choice.repairFontsFolder);
    SetChecked(Handle(), IDC_REP_REBUILD_CACHE, CacheAvailable && choice.settings.rebuildCache);
    UpdateStates();
}

RepairChoice TfrmRepair::Shown() const {
    RepairChoice choice;
    choice.settings.checkRegistry = Checked(Handle(), IDC_REP_VALIDATE);
    choice.settings.includeRemovable = Checked(Handle(), IDC_REP_INC_REMOVABLE);
    choice.settings.rebuildCache = CacheAvailable && Checked(Handle(), IDC_REP_REBUILD_CACHE);
    choice.repairFontsFolder = Checked(Handle(), IDC_REP_FONTS_FOLDER);
    return choice;
}

void TfrmRepair::UpdateStates() {
    const RepairChoice choice = Shown();
    EnableWindow(Item(IDC_REP_INC_REMOVABLE), choice.settings.checkRegistry);
    EnableWindow(Item(IDC_REP_REBUILD_CACHE), CacheAvailable);
    EnableWindow(Item(IDOK), choice.settings.checkRegistry || choice.repairFontsFolder || choice.settings.rebuildCache);
}

bool TfrmRepair::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
        case IDC_REP_VALIDATE:
        case IDC_REP_INC_REMOVABLE:
        case IDC_REP_FONTS_FOLDER:
        case IDC_REP_REBUILD_CACHE:
            if (code == BN_CLICKED) UpdateStates();
            return true;
        case IDC_REP_DEFAULTS:
            Show(RepairChoice{});
            return true;
        case IDOK: {
            // Enter reaches OK even while it is disabled.
            if (!IsWindowEnabled(Item(IDOK))) return true;
            Choice = Shown();
            if (Run) Run(Handle(), Choice);
            End(IDOK);
            return true;
        }
        default: return false;
    }
}

}  // namespace typorama::tools
