// TfrmRepair: the repair wizard's choices. Three repairs of the system's font
// set-up (invalid registrations, the fonts folder's special view, the font
// cache of the old systems); OK runs the checked ones while the wizard is
// still up, so that their questions come over it.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/dialog.h"
#include "ui/resource.h"

namespace typorama::tools {

// The stored choices (settings subkey "Repair"); the fonts-folder repair is
// not kept and starts unchecked each time.
struct RepairSettings {
    bool checkRegistry = true;
    bool includeRemovable = true;
    bool rebuildCache = false;
};

struct RepairChoice {
    RepairSettings settings;
    bool repairFontsFolder = false;
};

class TfrmRepair : public ui::Dialog {
public:
    TfrmRepair() : Dialog(IDD_REPAIR) {}

    RepairChoice Choice;
    // The font cache exists only on the old systems; elsewhere its box is
    // unchecked and disabled.
    bool CacheAvailable = false;
    // Runs the repairs of Choice (as OK left it) with the wizard as owner.
    std::function<void(HWND owner, const RepairChoice& choice)> Run;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Show(const RepairChoice& choice);
    RepairChoice Shown() const;
    void UpdateStates();
};

}  // namespace typorama::tools
