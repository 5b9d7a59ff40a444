#include "tools/repair_feature.h"

#include <span>

#include "app/main_window.h"
#include "catalog/font_registry.h"
#include "settings/setting_values.h"
#include "ui/font_listing_dialog.h"
#include "ui/help_topics.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

using RepairValue = settings::ValueSetting<RepairSettings>;
constexpr RepairValue kRepairValues[] = {
    {L"CheckRegistry", &RepairSettings::checkRegistry},
    {L"IncludeRemovable", &RepairSettings::includeRemovable},
    {L"RebuildCache", &RepairSettings::rebuildCache},
};

void ReadRepairSettings(const settings::SettingsRoot& root, RepairSettings& values) {
    settings::TRegistryEx reg(root);
    // Without the subkey the defaults stay.
    if (reg.OpenKeyReadOnly(kRepairSettingsKey))
        settings::ReadValues(reg, std::span<const RepairValue>(kRepairValues), values);
}

void WriteRepairSettings(const settings::SettingsRoot& root, const RepairSettings& values,
                         settings::WriteOutcome& outcome) {
    settings::TRegistryEx reg(root);
    if (!reg.OpenKey(kRepairSettingsKey, true)) {
        outcome.Fail(reg.LastError());
        return;
    }
    settings::WriteValues(reg, std::span<const RepairValue>(kRepairValues), values, outcome);
}

std::wstring SystemWindowsFolder() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    std::wstring folder = length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

void RequestRestart() {
    ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED);
}

}  // namespace

RepairCommands::RepairCommands(app::TfrmMain& host)
    : WindowsFolder(SystemWindowsFolder()), Restart(RequestRestart), host_(host) {
    host.AddSettings(app::SettingsPart{
        [this](const settings::TRegistryEx& reg) { ReadRepairSettings(reg.Base(), settings_); },
        [this](settings::TRegistryEx& reg, settings::WriteOutcome& outcome) {
            WriteRepairSettings(reg.Base(), settings_, outcome);
        }});
    host.Commands().Add(IDM_TOOLS_REPAIR, {[this] { OpenWizard(); }, {}, {}});
    host.Commands().Add(IDM_TOOLS_TWEAK, {[this] { SwitchFontsView(); }, {}, {}});
}

void RepairCommands::OpenWizard() {
    TfrmRepair wizard;
    wizard.Choice.settings = settings_;
    wizard.CacheAvailable = !host_.Where().isNT;
    wizard.Run = [this](HWND owner, const RepairChoice& choice) { Run(owner, choice); };
    ui::CreateAndShowForm(wizard, host_.Handle(), false, ui::kCenterOnOwner | ui::kShowModal);
}

void RepairCommands::Run(HWND owner, const RepairChoice& choice) {
    {
        win::BusyCursor busy;
        if (!choice.settings.checkRegistry || RemoveInvalidRegistrations(owner, choice)) {
            if (choice.repairFontsFolder) RepairFontsFolder(owner);
            if (choice.settings.rebuildCache && !host_.Where().isNT) RebuildFontCache(owner);
        }
    }
    // Stored also when the run ended in the list: the choices were made.
    settings_ = choice.settings;
    StoreSettings();
}

bool RepairCommands::RemoveInvalidRegistrations(HWND owner, const RepairChoice& choice) {
    const catalog::SystemLocations& where = host_.Where();
    const std::vector<Registration> invalid =
        FindInvalidRegistrations(choice.settings.includeRemovable, where, DriveType);
    if (invalid.empty()) {
        ui::ShowInformation(owner, win::LoadResString(IDS_REP_NO_PROBLEMS));
        return true;
    }
    ui::TfrmFontListing listing;
    listing.Caption = win::LoadResString(IDS_REP_CAPTION);
    listing.TopText = win::LoadResString(IDS_REP_LIST_TOP);
    for (const Registration& entry : invalid) listing.Names.push_back(entry.valueName + L": " + entry.stored);
    listing.BottomText = win::LoadResString(IDS_REP_LIST_BOTTOM);
    listing.ButtonCaptions = {win::LoadResString(IDS_REP_YES), win::LoadResString(IDS_REP_SKIP),
                              win::LoadResString(IDS_REP_CANCEL)};
    // Skipping the removal makes sense whenever a later repair is to run.
    listing.ButtonEnabled = {true, choice.repairFontsFolder || choice.settings.rebuildCache, true};
    listing.CancelButton = 2;
    host_.Beep();
    const INT_PTR answer = ui::CreateAndShowForm(listing, owner, false, ui::kCenterOnOwner | ui::kShowModal);
    if (answer == ui::TfrmFontListing::kButton2) return true;
    if (answer != ui::TfrmFontListing::kButton1) return false;
    const std::vector<RemovalFailure> failures = RemoveRegistrations(invalid, where);
    if (!failures.empty()) {
        // The reason that tells the user what to do: a want of rights first.
        DWORD code = static_cast<DWORD>(failures.front().error);
        for (const RemovalFailure& failure : failures)
            if (failure.error == ERROR_ACCESS_DENIED) code = ERROR_ACCESS_DENIED;
        ReportFailure(owner, win::FormatRes(IDS_REP_NOT_REMOVED, {static_cast<std::int64_t>(failures.size())}), code);
    }
    catalog::BroadcastFontChange();
    return true;
}

void RepairCommands::RepairFontsFolder(HWND owner) {
    DWORD code = static_cast<DWORD>(WriteFontsFolderClass(ClassesRoot));
    const std::wstring& folder = host_.Where().fontsFolder;
    const DWORD iniCode = folder.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : WriteFontsViewEntry(folder);
    if (code == ERROR_SUCCESS) code = iniCode;
    if (code != ERROR_SUCCESS) ReportFailure(owner, win::LoadResString(IDS_REP_FOLDER_FAILED), code);
}

void RepairCommands::RebuildFontCache(HWND owner) {
    const DWORD code = DeleteFontCache(WindowsFolder);
    if (code != ERROR_SUCCESS) {
        ReportFailure(owner, {}, code);
        return;
    }
    if (ui::ShowMessage(owner, win::LoadResString(IDS_REP_RESTART), MB_ICONQUESTION | MB_YESNOCANCEL) == IDYES &&
        Restart)
        Restart();
}

void RepairCommands::SwitchFontsView() {
    HWND owner = host_.Handle();
    const int answer = ui::ShowMessage(owner, win::LoadResString(IDS_REP_VIEW_QUESTION),
                                       MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON2, ui::kFontsViewHelpContext);
    if (answer != IDYES && answer != IDNO) return;
    const std::wstring& folder = host_.Where().fontsFolder;
    if (folder.empty()) {
        ReportFailure(owner, {}, ERROR_PATH_NOT_FOUND);
        return;
    }
    const DWORD code = answer == IDYES ? RemoveFontsViewEntry(folder) : WriteFontsViewEntry(folder);
    if (code != ERROR_SUCCESS) ReportFailure(owner, {}, code);
}

void RepairCommands::ReportFailure(HWND owner, const std::wstring& lead, DWORD code) {
    std::wstring text = lead.empty() ? std::wstring() : lead + L"\r\n\r\n";
    text += win::FormatRes(IDS_MSG_COMMAND_FAILED, {win::AsU16(win::SystemErrorText(code))});
    if (code == ERROR_ACCESS_DENIED) text += L"\r\n\r\n" + win::LoadResString(IDS_REP_NEEDS_ADMIN);
    ui::ShowError(owner, text);
}

void RepairCommands::StoreSettings() {
    // A failure shows when the host writes every setting at close.
    settings::WriteOutcome outcome;
    WriteRepairSettings(settings::ActiveSettingsRoot(), settings_, outcome);
}

}  // namespace typorama::tools
