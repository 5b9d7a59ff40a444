// The main window's own commands: the button bar, about, help and web pages, settings export.
#include <algorithm>
#include <memory>
#include <string>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/web_pages.h"
#include "settings/settings_export.h"
#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/image_strip.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"

namespace typorama::app {
namespace {

// The help page the toolbar's customise dialog opens.
constexpr wchar_t kCustomizeHelpTopic[] = L"Customize_Toolbar";

// The buttons the bar may hold. The size button (lnkFontSize) stands for the
// size sub-menu: a click asks for a size, its arrow offers the list.
const std::vector<ui::ToolbarButton>& ButtonCatalogue() {
    static const std::vector<ui::ToolbarButton> buttons = {
        {IDM_VIEW_BROWSER, ui::kImageFolderBrowser, true, false},
        {IDM_VIEW_SCREEN_FONTS, ui::kImageLoadedFonts, false, false},
        {IDM_VIEW_CHARMAP, ui::kImageCharacterMap, false, false},
        {IDM_FONT_PRINT, ui::kImagePrint, false, false},
        {IDM_FONT_INSTALL, ui::kImageInstall, false, false},
        {IDM_FONT_UNINSTALL, ui::kImageUninstall, false, false},
        {IDM_FONT_DELETE, ui::kImageDelete, false, false},
        {IDM_VIEW_FONT_SIZE, I_IMAGENONE, true, true},
        {IDM_FILTER_SELECTED_FILES, ui::kImageOnlySelectedFiles, false, false},
        {IDM_VIEW_CHECKBOXES, ui::kImageCheckBoxes, false, false},
        {IDM_VIEW_INSTALLED_GLYPHS, ui::kImageInstalledMarks, false, false},
        {IDM_VIEW_FULL_NAMES, ui::kImageNameLine, false, false},
        {IDM_VIEW_USER_STRING, ui::kImageSampleText, false, false},
        {IDM_VIEW_FONT_INFO, ui::kImageFontInformation, false, false},
    };
    return buttons;
}

// pmnuFav: the favourites, the system fonts folder, several folders.
const std::vector<MenuNode>& FavoritesDropDown() {
    static const std::vector<MenuNode> nodes = {
        MenuNode{IDM_FAV_LIST, {}, {}}, MenuNode{}, MenuNode{IDM_FAV_SYS_FONTS, {}, {}},
        MenuNode{IDM_VIEW_MULTI_FOLDERS, {}, {}}};
    return nodes;
}

// pmnuFontSize: the sizes and the custom size.
const std::vector<MenuNode>& FontSizeDropDown() {
    static const std::vector<MenuNode> nodes = {MenuNode{IDM_VIEW_FONT_SIZE_LIST, {}, {}}, MenuNode{},
                                                MenuNode{IDM_VIEW_FONT_SIZE_CUSTOM, {}, {}}};
    return nodes;
}

}  // namespace

struct TfrmMain::WindowParts {
    std::unique_ptr<ui::Toolbar> toolbar;
};

const std::vector<UINT>& TfrmMain::DefaultButtonBarLayout() {
    static const std::vector<UINT> layout = {
        IDM_VIEW_BROWSER, 0, IDM_VIEW_SCREEN_FONTS, 0, IDM_VIEW_CHARMAP, 0, IDM_FONT_PRINT, 0, IDM_FONT_INSTALL,
        IDM_FONT_UNINSTALL, 0, IDM_FONT_DELETE, 0, IDM_VIEW_FONT_SIZE, 0, IDM_FILTER_SELECTED_FILES, 0,
        IDM_VIEW_CHECKBOXES, IDM_VIEW_INSTALLED_GLYPHS, IDM_VIEW_FULL_NAMES, 0, IDM_VIEW_USER_STRING,
        IDM_VIEW_FONT_INFO,
    };
    return layout;
}

HWND TfrmMain::ButtonBar() const {
    return windowParts_ && windowParts_->toolbar ? windowParts_->toolbar->Hwnd() : nullptr;
}

void TfrmMain::RegisterWindowCommands() {
    windowParts_ = std::make_shared<WindowParts>();

    ui::ToolbarArgs args;
    args.parent = window_;
    args.id = kToolbarId;
    args.images = Images();
    args.font = uiFont_.get();
    args.catalogue = ButtonCatalogue();
    for (UINT id : DefaultButtonBarLayout()) args.defaultLayout.push_back(static_cast<int>(id));
    windowParts_->toolbar = std::make_unique<ui::Toolbar>(args);
    ui::Toolbar& bar = *windowParts_->toolbar;

    bar.IsAvailable = [this](int id) {
        if (id == IDM_VIEW_FONT_SIZE)
            return commands_.Has(IDM_VIEW_FONT_SIZE_CUSTOM) || commands_.HasList(IDM_VIEW_FONT_SIZE_LIST);
        return commands_.Has(static_cast<UINT>(id));
    };
    bar.Caption = [](int id) { return ui::CaptionAsTip(win::LoadResString(IDS_MENU_CAPTION(id))); };
    bar.OnClick = [this](int id) {
        RunCommand(id == IDM_VIEW_FONT_SIZE ? IDM_VIEW_FONT_SIZE_CUSTOM : static_cast<UINT>(id));
    };
    bar.OnDropDown = [this](int id, POINT where) {
        if (id == IDM_VIEW_BROWSER) TrackPopup(FavoritesDropDown(), where);
        if (id == IDM_VIEW_FONT_SIZE) TrackPopup(FontSizeDropDown(), where);
    };
    bar.OnCustomizeHelp = [this] { ui::ShowHelpTopic(window_, kCustomizeHelpTopic); };
    bar.OnChanged = [this] {
        if (window_) LayoutClient();
    };
    bar.LoadLayout(settings::ActiveSettingsRoot(), kButtonBarKey);
    if (bar.Hwnd()) AddTopBar(bar.Hwnd());

    CommandStatesChanged += [this] {
        ui::Toolbar* toolbar = windowParts_ ? windowParts_->toolbar.get() : nullptr;
        if (!toolbar || !window_) return;
        toolbar->SetText(IDM_VIEW_FONT_SIZE, std::to_wstring(settings_.fontSize));
        toolbar->Refresh();
        for (int id : toolbar->ShownButtons()) {
            if (id == 0) continue;
            const UINT command = id == IDM_VIEW_FONT_SIZE ? IDM_VIEW_FONT_SIZE_CUSTOM : static_cast<UINT>(id);
            const bool enabled = !commands_.Has(command) || commands_.Enabled(command);
            toolbar->SetState(id, enabled, commands_.Has(command) && commands_.Checked(command));
        }
    };
    SettingsWriting += [this](settings::WriteOutcome& outcome) {
        if (!windowParts_ || !windowParts_->toolbar) return;
        DWORD error = ERROR_SUCCESS;
        if (!windowParts_->toolbar->SaveLayout(settings::ActiveSettingsRoot(), kButtonBarKey, &error))
            outcome.Fail(error);
    };

    commands_.Add(IDM_TOOLS_CUSTOMIZE, {[this] {
                                            if (windowParts_ && windowParts_->toolbar) windowParts_->toolbar->Customize();
                                        },
                                        [this] { return ButtonBar() != nullptr; },
                                        {}});
    commands_.Add(IDM_HELP_CONTENTS, {[this] { ui::ShowHelpContents(window_); }, {}, {}});
    commands_.Add(IDM_HELP_SAVE_SETTINGS, {[this] { SaveSettingsToFile(); }, {}, {}});
    commands_.Add(IDM_HELP_HOMEPAGE, {[this] { OpenWebPage(window_, HomepageUrl()); }, {}, {}});
    commands_.Add(IDM_HELP_CHECK_UPDATE, {[this] { OpenWebPage(window_, CheckUpdateUrl()); }, {}, {}});
    commands_.Add(IDM_HELP_ABOUT, {[this] { ShowAboutWindow(window_); }, {}, {}});
}

void TfrmMain::SaveSettingsToFile() {
    ui::SaveFileRequest request;
    request.title = ui::CaptionAsTip(win::LoadResString(IDS_MENU_CAPTION(IDM_HELP_SAVE_SETTINGS)));
    request.filter = win::LoadResString(IDS_WINDOW_SETTINGS_FILTER);
    request.defaultExtension = L"reg";
    const std::optional<std::wstring> file = ui::AskSaveFileName(window_, request);
    if (!file) return;
    settings::SettingsExport exported;
    {
        win::BusyCursor busy;
        exported = settings::ExportSettingsToFile(*file, settings::ActiveSettingsRoot());
    }
    if (!exported.Saved()) ui::ShowSystemError(window_, exported.error);
}

}  // namespace typorama::app
