#include "options/options_feature.h"

#include "app/main_window.h"
#include "ui/dialog.h"
#include "ui/resource.h"
#include "win/folders.h"

namespace typorama::options {

OptionsFeature::OptionsFeature(app::TfrmMain& host) : ProgramPath(win::ProgramPath()), host_(host) {
    app::CommandTable& commands = host.Commands();
    commands.Add(IDM_TOOLS_OPTIONS, {[this] { Open(OptionsPage::General, false); }, {}, {}});
    // The sample strings' pop-up edits the stored strings here.
    commands.Add(IDM_USER_STRING_EDIT_LIST, {[this] { Open(OptionsPage::UserText, false); }, {}, {}});
    commands.Add(IDM_RUN_CONFIG, {[this] { Open(OptionsPage::Programs, true); }, {}, {}});
    commands.Add(IDM_FAV_ORGANIZE, {[this] { Open(OptionsPage::Favorites, true); }, {}, {}});
}

void OptionsFeature::Open(OptionsPage page, bool alone) {
    TfrmConfig dialog(host_, page, alone, ShellPlaces, ProgramPath);
    ui::CreateAndShowForm(dialog, host_.Handle(), true, ui::kCenterOnOwner | ui::kShowModal);
}

void OpenOptionsDialog(app::TfrmMain& main, OptionsPage page, bool alone) {
    if (auto* feature = main.Feature<OptionsFeature>()) feature->Open(page, alone);
}

}  // namespace typorama::options
