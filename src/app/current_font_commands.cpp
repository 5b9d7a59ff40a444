#include "app/current_font_commands.h"

#include <shellapi.h>

#include "app/main_window.h"
#include "app/run_programs.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

bool ShellProperties(const std::wstring& file) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace

CurrentFontCommands::CurrentFontCommands(TfrmMain& host) : ShowPropertiesSheet(ShellProperties), host_(host) {
    const auto hasFont = [&host] { return host.CurrentFont() != nullptr; };
    host.Commands().Add(IDM_FONT_PROPERTIES, {[this] { ShowProperties(); }, hasFont, {}});
    host.Commands().Add(IDM_FONT_VIEW, {[this] { View(); }, hasFont, {}});

    ui::ThVirtualListBox& list = host.ListBox();
    list.OnDblClick = [this] { Open(); };
    list.OnMessage = [this, previous = std::move(list.OnMessage)](UINT message, WPARAM wParam, LPARAM lParam,
                                                                    LRESULT& result) {
        if (message == WM_KEYDOWN && wParam == VK_RETURN) {
            Open();
            result = 0;
            return true;
        }
        return previous && previous(message, wParam, lParam, result);
    };
}

std::wstring CurrentFontCommands::CurrentFile() {
    catalog::TFontListItem* font = host_.CurrentFont();
    if (!font) return {};
    std::wstring file = font->FileName();
    if (file.empty()) ui::ShowError(host_.Handle(), win::LoadResString(IDS_PROG_NO_FILE_LOCATION));
    return file;
}

void CurrentFontCommands::Open() {
    if (host_.Settings().dblClickOpenType == 0) {
        host_.RunCommand(IDM_VIEW_CHARMAP);
        return;
    }
    catalog::TFontListItem* font = host_.CurrentFont();
    RunPrograms* programs = host_.Feature<RunPrograms>();
    if (!font || !programs || CurrentFile().empty()) return;
    const std::wstring commandLine =
        programs->ExpandCommandVariables(host_.Settings().dblClickOpenCmdLine, font, settings::kViewerCommandSet);
    if (programs->BrowseCancelled()) return;
    if (!RunCommandLine(commandLine, false)) {
        const DWORD error = GetLastError();
        ui::ShowError(host_.Handle(), win::FormatRes(IDS_PROG_RUN_FAILED, {win::AsU16(commandLine),
                                                                           win::AsU16(win::SystemErrorText(error))}));
    }
}

void CurrentFontCommands::ShowProperties() {
    if (!host_.RequireFonts(FontNeed::Current)) return;
    const std::wstring file = CurrentFile();
    if (!file.empty()) ShowPropertiesSheet(file);  // the shell reports nothing: no UI on failure
}

void CurrentFontCommands::View() {
    if (!host_.RequireFonts(FontNeed::Current)) return;
    const std::wstring file = CurrentFile();
    if (file.empty()) return;
    if (RunFontViewer(file)) return;
    const std::wstring reason = win::SystemErrorText(GetLastError());
    ui::ShowError(host_.Handle(), win::FormatRes(IDS_FOP_FONTVIEW_FAILED, {win::AsU16(reason)}));
}

}  // namespace typorama::app
