#include "app/button_bar.h"

#include <string>

#include "app/main_window.h"
#include "ui/help.h"
#include "ui/help_topics.h"
#include "ui/image_strip.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "win/resource_strings.h"

namespace typorama::app {
namespace {

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

const std::vector<UINT>& ButtonBar::DefaultLayout() {
    static const std::vector<UINT> layout = {
        IDM_VIEW_BROWSER, 0, IDM_VIEW_SCREEN_FONTS, 0, IDM_VIEW_CHARMAP, 0, IDM_FONT_PRINT, 0, IDM_FONT_INSTALL,
        IDM_FONT_UNINSTALL, 0, IDM_FONT_DELETE, 0, IDM_VIEW_FONT_SIZE, 0, IDM_FILTER_SELECTED_FILES, 0,
        IDM_VIEW_CHECKBOXES, IDM_VIEW_INSTALLED_GLYPHS, IDM_VIEW_FULL_NAMES, 0, IDM_VIEW_USER_STRING,
        IDM_VIEW_FONT_INFO,
    };
    return layout;
}

ButtonBar::~ButtonBar() = default;

HWND ButtonBar::Hwnd() const { return toolbar_ ? toolbar_->Hwnd() : nullptr; }

ButtonBar::ButtonBar(TfrmMain& host) : host_(host) {
    ui::ToolbarArgs args;
    args.parent = host.Handle();
    args.id = IDC_MAIN_TOOLBAR;
    args.images = host.Images();
    args.font = host.UiFont();
    args.catalogue = ButtonCatalogue();
    for (UINT id : DefaultLayout()) args.defaultLayout.push_back(static_cast<int>(id));
    toolbar_ = std::make_unique<ui::Toolbar>(args);
    ui::Toolbar& bar = *toolbar_;

    CommandTable& commands = host.Commands();
    bar.IsAvailable = [&commands](int id) {
        if (id == IDM_VIEW_FONT_SIZE)
            return commands.Has(IDM_VIEW_FONT_SIZE_CUSTOM) || commands.HasList(IDM_VIEW_FONT_SIZE_LIST);
        return commands.Has(static_cast<UINT>(id));
    };
    bar.Caption = [](int id) { return ui::CaptionAsTip(win::LoadResString(IDS_MENU_CAPTION(id))); };
    bar.OnClick = [&host](int id) {
        host.RunCommand(id == IDM_VIEW_FONT_SIZE ? IDM_VIEW_FONT_SIZE_CUSTOM : static_cast<UINT>(id));
    };
    bar.OnDropDown = [&host](int id, POINT where) {
        if (id == IDM_VIEW_BROWSER) host.TrackPopup(FavoritesDropDown(), where);
        if (id == IDM_VIEW_FONT_SIZE) host.TrackPopup(FontSizeDropDown(), where);
    };
    bar.OnCustomizeHelp = [&host] { ui::ShowHelpTopic(host.Handle(), ui::kCustomizeToolbarHelpTopic); };
    bar.OnChanged = [&host] {
        if (host.Handle()) host.LayoutClient();
    };
    bar.LoadLayout(settings::ActiveSettingsRoot(), kSettingsKey);
    if (bar.Hwnd()) host.AddTopBar(bar.Hwnd());

    host.CommandStatesChanged += [this] { ShowCommandStates(); };
    host.SettingsWriting += [this](settings::WriteOutcome& outcome) {
        DWORD error = ERROR_SUCCESS;
        if (!toolbar_->SaveLayout(settings::ActiveSettingsRoot(), kSettingsKey, &error)) outcome.Fail(error);
    };
    commands.Add(IDM_TOOLS_CUSTOMIZE, {[this] { toolbar_->Customize(); }, [this] { return Hwnd() != nullptr; }, {}});
}

void ButtonBar::ShowCommandStates() {
    if (!host_.Handle()) return;
    const CommandTable& commands = host_.Commands();
    toolbar_->SetText(IDM_VIEW_FONT_SIZE, std::to_wstring(host_.Settings().fontSize));
    toolbar_->Refresh();
    for (int id : toolbar_->ShownButtons()) {
        if (id == 0) continue;
        const UINT command = id == IDM_VIEW_FONT_SIZE ? IDM_VIEW_FONT_SIZE_CUSTOM : static_cast<UINT>(id);
        const bool enabled = !commands.Has(command) || commands.Enabled(command);
        toolbar_->SetState(id, enabled, commands.Has(command) && commands.Checked(command));
    }
}

}  // namespace typorama::app
