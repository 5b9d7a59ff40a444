// The two Tools commands that work on the system's own font set-up: the
// repair wizard (invalid registrations, the fonts folder's special view, the
// font cache of the old systems) and the fonts-folder view switch. Every
// change the system refuses is reported with its reason, and a refusal for
// want of administrator rights says so: a repair that was not done never
// passes for one that was.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/feature.h"
#include "tools/repair_dialog.h"
#include "tools/repair_steps.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::tools {

inline constexpr wchar_t kRepairSettingsKey[] = L"Repair";

class RepairCommands : public app::WindowFeature {
public:
    explicit RepairCommands(app::TfrmMain& host);

    // mnuToolsRepair: the wizard; its OK runs the checked repairs, then the settings are stored.
    void OpenWizard();
    // The checked repairs, in order; the wizard's OK calls it with the wizard as owner.
    void Run(HWND owner, const RepairChoice& choice);
    // mnuToolsTweak: the standard folder view or the special fonts view.
    void SwitchFontsView();

    const RepairSettings& Settings() const { return settings_; }

    // What the repairs work on; the system's own unless replaced (tests).
    HKEY ClassesRoot = HKEY_CLASSES_ROOT;
    std::wstring WindowsFolder;  // ends with a backslash
    DriveTypeOf DriveType = SystemDriveType;
    // The log-off-and-restart request after the font cache was deleted.
    std::function<void()> Restart;

private:
    // False when the user ended the run in the list of invalid entries.
    bool RemoveInvalidRegistrations(HWND owner, const RepairChoice& choice);
    void RepairFontsFolder(HWND owner);
    void RebuildFontCache(HWND owner);
    // "Command failed" with the system's text for `code` after `lead` (when
    // given), and the need for administrator rights when that is the reason.
    void ReportFailure(HWND owner, const std::wstring& lead, DWORD code);
    void StoreSettings();

    app::TfrmMain& host_;
    RepairSettings settings_;
};

}  // namespace typorama::tools
