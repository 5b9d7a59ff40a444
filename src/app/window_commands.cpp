#include "app/window_commands.h"

#include <optional>
#include <string>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/web_pages.h"
#include "settings/settings_export.h"
#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"

namespace typorama::app {

WindowCommands::WindowCommands(TfrmMain& host) : host_(host) {
    CommandTable& commands = host.Commands();
    commands.Add(IDM_HELP_CONTENTS, {[&host] { ui::ShowHelpContents(host.Handle()); }, {}, {}});
    commands.Add(IDM_HELP_SAVE_SETTINGS, {[this] { SaveSettingsToFile(); }, {}, {}});
    commands.Add(IDM_HELP_HOMEPAGE, {[&host] { OpenWebPage(host.Handle(), HomepageUrl()); }, {}, {}});
    commands.Add(IDM_HELP_CHECK_UPDATE, {[&host] { OpenWebPage(host.Handle(), CheckUpdateUrl()); }, {}, {}});
    commands.Add(IDM_HELP_ABOUT, {[&host] { ShowAboutWindow(host.Handle()); }, {}, {}});
    commands.Add(IDM_FONT_CLOSE, {[&host] { SendMessageW(host.Handle(), WM_CLOSE, 0, 0); }, {}, {}});
}

void WindowCommands::SaveSettingsToFile() {
    const HWND window = host_.Handle();
    ui::SaveFileRequest request;
    request.title = ui::CaptionAsTip(win::LoadResString(IDS_MENU_CAPTION(IDM_HELP_SAVE_SETTINGS)));
    request.filter = win::LoadResString(IDS_WINDOW_SETTINGS_FILTER);
    request.defaultExtension = L"reg";
    const std::optional<std::wstring> file = ui::AskSaveFileName(window, request);
    if (!file) return;
    settings::SettingsExport exported;
    {
        win::BusyCursor busy;
        exported = settings::ExportSettingsToFile(*file, settings::ActiveSettingsRoot());
    }
    if (!exported.Saved()) ui::ShowSystemError(window, exported.error);
}

}  // namespace typorama::app
