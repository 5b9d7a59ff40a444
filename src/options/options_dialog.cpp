#include "options/options_dialog.h"

#include <commdlg.h>
#include <shlwapi.h>

#include "app/browse_folder_dialog.h"
#include "app/browsing.h"
#include "app/dir_tree.h"
#include "app/main_window.h"
#include "app/run_programs.h"
#include "app/sample_strings.h"
#include "base/current_font_rules.h"
#include "base/list_edit_rules.h"
#include "settings/command_variables.h"
#include "ui/color_dialog.h"
#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/ui_language.h"
#include "win/color_value.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/text_compare.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::options {
namespace {

constexpr int kListIds[] = {IDC_OPT_STRINGS, IDC_OPT_PROGRAMS, IDC_OPT_FAVORITES, IDC_OPT_DESTINATIONS};
constexpr int kTreeItemCount = IDS_OPT_TREE_LAST - IDS_OPT_TREE_FIRST + 1;

std::wstring RowText(HWND list, int row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) rows.push_back(RowText(list, row));
    return rows;
}

void SetRows(HWND list, const std::vector<std::wstring>& rows) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& row : rows) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

std::wstring Trimmed(const std::wstring& text) { return win::ToWide(TrimSample(win::AsU16(text))); }

// Common controls 4.70 and older draw a tree on the button face badly.
bool OldCommonControls() {
    const HMODULE module = GetModuleHandleW(L"comctl32.dll");
    const auto getVersion =
        module ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")))
               : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (!getVersion || FAILED(getVersion(&info))) return true;
    return info.dwMajorVersion < 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion <= 70);
}

}  // namespace

TfrmConfig::TfrmConfig(app::TfrmMain& main, OptionsPage page, bool alone, ShellEntryPlaces places,
                       std::wstring program)
    : Dialog(IDD_OPTIONS),
      main_(main),
      first_(page),
      active_(page),
      alone_(alone),
      places_(std::move(places)),
      program_(std::move(program)) {
    BrowseFolder = [this](HWND owner, std::wstring& folder) {
        bool checked = false;
        return app::BrowseForFolder(main_, owner, folder, L"", false, checked);
    };
    PickColor = ui::ChooseColorValue;
}

ThDragListBox& TfrmConfig::List(OptionsPage page) {
    const int index = static_cast<int>(page) - 1;
    return lists_[static_cast<std::size_t>(index < 0 ? 0 : index)];
}

ThGenericOptionItem* TfrmConfig::TreeItem(UINT captionId) const {
    const auto index = static_cast<std::size_t>(captionId - IDS_OPT_TREE_FIRST);
    return index < treeItems_.size() ? treeItems_[index] : nullptr;
}

std::wstring TfrmConfig::PageCaption(OptionsPage page) const {
    return win::LoadResString(IDS_OPT_PAGE_FIRST + static_cast<UINT>(page));
}

std::vector<OptionsPage> TfrmConfig::Tabs() const {
    std::vector<OptionsPage> tabs;
    const HWND tab = Item(IDC_OPT_TAB);
    const int count = TabCtrl_GetItemCount(tab);
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_PARAM;
        if (TabCtrl_GetItem(tab, i, &item)) tabs.push_back(static_cast<OptionsPage>(item.lParam));
    }
    return tabs;
}

bool TfrmConfig::OnInitDialog() {
    const HWND tab = Item(IDC_OPT_TAB);
    // The tab control lies under the pages' controls.
    SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int page = 0; page < kPageCount; ++page) {
        if (alone_ && page != static_cast<int>(first_)) continue;
        std::wstring caption = PageCaption(static_cast<OptionsPage>(page));
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = page;
        TabCtrl_InsertItem(tab, TabCtrl_GetItemCount(tab), &item);
    }
    if (alone_) ShowWindow(Item(IDC_OPT_DEFAULTS), SW_HIDE);
    for (const auto& [id, at] : {std::pair{IDC_OPT_EDIT, &editAt_}, std::pair{IDC_OPT_REMOVE, &removeAt_}}) {
        RECT bounds{};
        GetWindowRect(Item(id), &bounds);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        *at = {bounds.left, bounds.top};
    }

    tree_.Attach(Item(IDC_OPT_TREE));
    tree_.Beep = [this] { main_.Beep(); };
    tree_.OnEditText = [this](ThTextOptionItem& item) { EditText(item); };
    tree_.OnEditColor = [this](ThColorOptionItem& item) { EditColor(item); };
    TreeView_SetBkColor(tree_.Hwnd(), GetSysColor(OldCommonControls() ? COLOR_WINDOW : COLOR_BTNFACE));
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        lists_[i].Attach(Item(kListIds[i]));
        lists_[i].Beep = [this] { main_.Beep(); };
    }
    List(OptionsPage::Programs).OnAfterReorder = [this](int from, int to) { MoveElement(programs_, from, to); };
    List(OptionsPage::Programs).OnDeleteQuery = [this](int row, bool&) {
        if (row >= 0 && row < static_cast<int>(programs_.size())) programs_.erase(programs_.begin() + row);
    };
    // One line of the dialog's font, with room above and below.
    const HWND programs = Item(IDC_OPT_PROGRAMS);
    TEXTMETRICW metrics{};
    if (const HDC dc = GetDC(programs)) {
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(programs, dc);
    }
    SendMessageW(programs, LB_SETITEMHEIGHT, 0, metrics.tmHeight + main_.ScaleToDpi(4));

    FillTree();
    FillLists();
    const HWND language = Item(IDC_OPT_LANGUAGE);
    for (UINT id = IDS_LANGUAGE_CHOICE_FIRST; id <= IDS_LANGUAGE_CHOICE_LAST; ++id)
        SendMessageW(language, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::LoadResString(id).c_str()));
    SendMessageW(language, CB_SETCURSEL, static_cast<WPARAM>(ui::StoredLanguageChoice()), 0);
    ShowPage(first_);
    return true;
}

void TfrmConfig::FillTree() {
    const app::MainSettings& s = main_.Settings();
    treeItems_.assign(kTreeItemCount, nullptr);
    const auto caption = [](UINT id) { return win::LoadResString(id); };
    const auto keep = [this](UINT id, ThGenericOptionItem& item) -> ThGenericOptionItem* {
        treeItems_[id - IDS_OPT_TREE_FIRST] = &item;
        return &item;
    };
    ThGenericOptionItem* group = keep(6210, tree_.Add<ThOptionGroup>(nullptr, caption(6210)));
    ThGenericOptionItem* custom = keep(6211, tree_.Add<ThCheckOptionItem>(group, caption(6211), s.useCustomColors));
    const std::uint32_t colors[] = {s.colorFont, s.colorBack, s.colorSmallText, s.colorSelection,
                                    s.colorSelectionText};
    for (UINT i = 0; i < 5; ++i) keep(6212 + i, tree_.Add<ThColorOptionItem>(custom, caption(6212 + i), colors[i]));
    group = keep(6217, tree_.Add<ThOptionGroup>(nullptr, caption(6217)));
    keep(6218, tree_.Add<ThRadioOptionItem>(group, caption(6218), s.dblClickOpenType == 0));
    ThGenericOptionItem* external =
        keep(6219, tree_.Add<ThRadioOptionItem>(group, caption(6219), s.dblClickOpenType != 0));
    keep(6220, tree_.Add<ThTextOptionItem>(external, caption(6220), s.dblClickOpenCmdLine));
    group = keep(6221, tree_.Add<ThOptionGroup>(nullptr, caption(6221)));
    ThGenericOptionItem* fixed = nullptr;
    for (UINT i = 0; i < 3; ++i)
        fixed = keep(6222 + i, tree_.Add<ThRadioOptionItem>(group, caption(6222 + i),
                                                             s.startupRestoreFolderType == static_cast<int>(i)));
    keep(6225, tree_.Add<ThTextOptionItem>(fixed, caption(6225), s.startupSpecialFolder));
    group = keep(6226, tree_.Add<ThOptionGroup>(nullptr, caption(6226)));
    keep(6227, tree_.Add<ThCheckOptionItem>(group, caption(6227), ShellEntryPresent(program_, places_)));
    group = keep(6228, tree_.Add<ThOptionGroup>(nullptr, caption(6228)));
    keep(6229, tree_.Add<ThTextOptionItem>(group, caption(6229), s.fontSizes));
    keep(6230, tree_.Add<ThCheckOptionItem>(group, caption(6230), s.highlightFontFolders));
    keep(6231, tree_.Add<ThCheckOptionItem>(group, caption(6231), s.minimizeToTray));
    keep(6232, tree_.Add<ThCheckOptionItem>(group, caption(6232), s.hideSystemFonts));
    tree_.FullExpand();
}

void TfrmConfig::FillLists() {
    const app::MainSettings& s = main_.Settings();
    SetRows(List(OptionsPage::UserText).Hwnd(), s.sampleStrings.items);
    SetRows(List(OptionsPage::Favorites).Hwnd(), s.favorites);
    SetRows(List(OptionsPage::Destinations).Hwnd(), s.destinations);
    if (auto* run = main_.Feature<app::RunPrograms>()) programs_ = run->Programs();
    std::vector<std::wstring> titles;
    for (const app::TRunProgramEntry& entry : programs_) titles.push_back(entry.title);
    SetRows(List(OptionsPage::Programs).Hwnd(), titles);
}

void TfrmConfig::ShowPage(OptionsPage page) {
    active_ = page;
    const HWND tab = Item(IDC_OPT_TAB);
    const std::vector<OptionsPage> tabs = Tabs();
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i] == page) TabCtrl_SetCurSel(tab, static_cast<int>(i));
    for (const HWND general : {tree_.Hwnd(), Item(IDC_OPT_LANGUAGE_LABEL), Item(IDC_OPT_LANGUAGE),
                               Item(IDC_OPT_LANGUAGE_NOTE)})
        ShowWindow(general, page == OptionsPage::General ? SW_SHOW : SW_HIDE);
    for (std::size_t i = 0; i < lists_.size(); ++i)
        ShowWindow(lists_[i].Hwnd(), static_cast<int>(page) == static_cast<int>(i) + 1 ? SW_SHOW : SW_HIDE);
    const bool listPage = page != OptionsPage::General;
    const bool editable = page == OptionsPage::UserText || page == OptionsPage::Programs;
    ShowWindow(Item(IDC_OPT_ADD), listPage ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(IDC_OPT_REMOVE), listPage ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(IDC_OPT_EDIT), editable ? SW_SHOW : SW_HIDE);
    // Without the edit button, the remove button takes its place.
    const POINT remove = editable ? removeAt_ : editAt_;
    SetWindowPos(Item(IDC_OPT_REMOVE), nullptr, remove.x, remove.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TfrmConfig::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
        case IDOK:
            Apply();
            End(IDOK);
            return true;
        case IDC_OPT_DEFAULTS: Defaults(); return true;
        case IDC_OPT_ADD: Add(); return true;
        case IDC_OPT_EDIT: Edit(); return true;
        case IDC_OPT_REMOVE: Remove(); return true;
        case IDC_OPT_STRINGS:
        case IDC_OPT_PROGRAMS:
            if (code == LBN_DBLCLK) Edit();
            return code == LBN_DBLCLK;
        default: return false;
    }
}

bool TfrmConfig::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_OPT_TAB && header->code == TCN_SELCHANGE) {
            const std::vector<OptionsPage> tabs = Tabs();
            const int selected = TabCtrl_GetCurSel(header->hwndFrom);
            if (selected >= 0 && selected < static_cast<int>(tabs.size())) ShowPage(tabs[static_cast<std::size_t>(selected)]);
            result = 0;
            return true;
        }
    } else if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlID == IDC_OPT_PROGRAMS) {
            DrawProgram(*draw);
            result = TRUE;
            return true;
        }
    }
    return false;
}

void TfrmConfig::DrawProgram(const DRAWITEMSTRUCT& draw) const {
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int row = static_cast<int>(draw.itemID);
    if (row >= 0 && row < static_cast<int>(programs_.size())) {
        const app::TRunProgramEntry& entry = programs_[static_cast<std::size_t>(row)];
        const std::wstring text = entry.title + L" [" + entry.cmdLine + L"]";
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT area = draw.rcItem;
        area.left += 2;
        DrawTextW(draw.hDC, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
}

void TfrmConfig::Add() {
    ThDragListBox& list = List(active_);
    const HWND box = list.Hwnd();
    switch (active_) {
        case OptionsPage::UserText: {
            std::wstring text;
            if (!app::EditSampleString(Handle(), text)) return;
            text = Trimmed(text);
            if (text.empty()) return;
            list.Select(static_cast<int>(SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))));
            return;
        }
        case OptionsPage::Programs: {
            app::TRunProgramEntry entry;
            if (!app::EditProgram(Handle(), entry, true)) return;
            programs_.push_back(entry);
            list.Select(
                static_cast<int>(SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.title.c_str()))));
            return;
        }
        case OptionsPage::Favorites:
        case OptionsPage::Destinations: {
            std::wstring folder;
            if (!BrowseFolder(Handle(), folder) || folder.empty()) return;
            for (const std::wstring& row : Rows(box))
                if (win::EqualFoldedAscii(row, folder)) return;
            list.Select(static_cast<int>(SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()))));
            return;
        }
        case OptionsPage::General: return;
    }
}

void TfrmConfig::Edit() {
    if (active_ != OptionsPage::UserText && active_ != OptionsPage::Programs) return;
    ThDragListBox& list = List(active_);
    const std::optional<int> row = RowToEdit(list.Selected(), list.Count());
    if (!row) {
        main_.Beep();
        return;
    }
    list.Select(*row);
    const HWND box = list.Hwnd();
    const auto replace = [&](const std::wstring& text) {
        SendMessageW(box, LB_DELETESTRING, static_cast<WPARAM>(*row), 0);
        SendMessageW(box, LB_INSERTSTRING, static_cast<WPARAM>(*row), reinterpret_cast<LPARAM>(text.c_str()));
        list.Select(*row);
    };
    if (active_ == OptionsPage::UserText) {
        std::wstring text = RowText(box, *row);
        if (!app::EditSampleString(Handle(), text)) return;
        text = Trimmed(text);
        if (text.empty())
            list.DeleteSelected();
        else
            replace(text);
        return;
    }
    app::TRunProgramEntry& entry = programs_[static_cast<std::size_t>(*row)];
    app::TRunProgramEntry edited = entry;
    if (!app::EditProgram(Handle(), edited, false)) return;
    entry = edited;
    replace(entry.title);
}

void TfrmConfig::Remove() {
    if (active_ != OptionsPage::General) List(active_).DeleteSelected();
}

void TfrmConfig::EditText(ThTextOptionItem& item) {
    std::wstring value = item.Value();
    if (&item == TreeItem(6225)) {
        if (BrowseFolder(Handle(), value)) item.SetValue(value);
    } else if (&item == TreeItem(6220)) {
        app::TfrmEditCmdLine dialog(TreeItem(6219)->Caption(), value, settings::kViewerCommandSet);
        dialog.CenterOver(Handle());
        if (dialog.ShowModal(Handle()) == IDOK) item.SetValue(dialog.Text());
    } else if (&item == TreeItem(6229)) {
        if (ui::InputQuery(Handle(), ui::kMessageCaption, win::LoadResString(IDS_OPT_SIZES_PROMPT), value))
            item.SetValue(value);
    }
}

void TfrmConfig::EditColor(ThColorOptionItem& item) {
    std::uint32_t color = item.Color();
    if (PickColor(Handle(), color)) item.SetColor(color);
}

void TfrmConfig::ResetGeneral() {
    static_cast<ThTextOptionItem*>(TreeItem(6229))->SetValue(app::kDefaultFontSizes);
    static_cast<ThRadioOptionItem*>(TreeItem(6218))->Select();
    static_cast<ThTextOptionItem*>(TreeItem(6220))->SetValue(win::WindowsFolder() + L"\\fontview.exe $TY_FILEPATH");
    static_cast<ThCheckOptionItem*>(TreeItem(6211))->SetChecked(false);
    const std::uint32_t colors[] = {win::SystemColorValue(COLOR_WINDOWTEXT), win::SystemColorValue(COLOR_WINDOW),
                                    win::SystemColorValue(COLOR_WINDOWTEXT), win::SystemColorValue(COLOR_BTNFACE),
                                    win::SystemColorValue(COLOR_WINDOWTEXT)};
    for (UINT i = 0; i < 5; ++i) static_cast<ThColorOptionItem*>(TreeItem(6212 + i))->SetColor(colors[i]);
    static_cast<ThRadioOptionItem*>(TreeItem(6222))->Select();
    static_cast<ThCheckOptionItem*>(TreeItem(6227))->SetChecked(false);
    static_cast<ThCheckOptionItem*>(TreeItem(6232))->SetChecked(true);
    SendMessageW(Item(IDC_OPT_LANGUAGE), CB_SETCURSEL, static_cast<WPARAM>(LanguageChoice::Auto), 0);
}

void TfrmConfig::Defaults() {
    main_.Beep();
    const int answer = ui::ShowMessage(
        Handle(), win::FormatRes(IDS_OPT_DEFAULTS_QUESTION, {win::AsU16(PageCaption(active_))}),
        MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    const auto reset = [this](OptionsPage page) {
        if (page == OptionsPage::General)
            ResetGeneral();
        else
            ui::ShowInformation(Handle(), win::FormatRes(IDS_OPT_NO_DEFAULTS, {win::AsU16(PageCaption(page))}));
    };
    if (answer == IDYES)
        for (const OptionsPage page : {OptionsPage::General, OptionsPage::UserText, OptionsPage::Programs}) reset(page);
    else if (answer == IDNO)
        reset(active_);
}

void TfrmConfig::Apply() {
    app::MainSettings& s = main_.Settings();
    const auto check = [this](UINT id) { return static_cast<ThCheckOptionItem*>(TreeItem(id))->Checked(); };
    const auto radio = [this](UINT id) { return static_cast<ThRadioOptionItem*>(TreeItem(id))->Checked(); };
    const auto text = [this](UINT id) { return static_cast<ThTextOptionItem*>(TreeItem(id))->Value(); };
    s.fontSizes = text(6229);
    s.sampleStrings.items = Rows(List(OptionsPage::UserText).Hwnd());
    if (const HWND box = main_.UserStringBox()) {
        // The box's list follows; its text stays as typed.
        const std::wstring typed = win::WindowText(box);
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& item : s.sampleStrings.items)
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SetWindowTextW(box, typed.c_str());
    }
    if (auto* run = main_.Feature<app::RunPrograms>()) run->Programs() = programs_;
    s.favorites = Rows(List(OptionsPage::Favorites).Hwnd());
    s.destinations = Rows(List(OptionsPage::Destinations).Hwnd());
    s.dblClickOpenType = radio(6218) ? 0 : 1;
    s.dblClickOpenCmdLine = text(6220);
    if (auto* browsing = main_.Feature<app::Browsing>(); browsing && browsing->FolderTree())
        InvalidateRect(browsing->FolderTree()->Tree().Hwnd(), nullptr, TRUE);
    s.minimizeToTray = check(6231);
    std::uint32_t* colors[] = {&s.colorFont, &s.colorBack, &s.colorSmallText, &s.colorSelection,
                               &s.colorSelectionText};
    for (UINT i = 0; i < 5; ++i) *colors[i] = static_cast<ThColorOptionItem*>(TreeItem(6212 + i))->Color();
    s.useCustomColors = check(6211);
    main_.ApplyDisplayColors();
    for (int i = 0; i < 3; ++i)
        if (radio(6222 + static_cast<UINT>(i))) s.startupRestoreFolderType = i;
    s.startupSpecialFolder = text(6225);
    s.highlightFontFolders = check(6230);
    s.hideSystemFonts = check(6232);
    // Read once at start, so written at once: the next start takes it.
    const LRESULT language = SendMessageW(Item(IDC_OPT_LANGUAGE), CB_GETCURSEL, 0, 0);
    if (language >= 0 && language <= static_cast<LRESULT>(LanguageChoice::English))
        ui::StoreLanguageChoice(static_cast<LanguageChoice>(language));
    const ShellEntryFailure failure =
        check(6227) ? RegisterShellEntry(program_, win::LoadResString(IDS_OPT_SHELL_CAPTION), places_)
                    : RemoveShellEntry(places_);
    if (failure)
        ui::ShowError(Handle(), win::FormatRes(IDS_OPT_SHELL_FAILED, {win::AsU16(failure.key),
                                                                       win::AsU16(win::SystemErrorText(failure.error))}));
}

}  // namespace typorama::options
