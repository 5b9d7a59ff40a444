#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <utility>

#include "app/features.h"
#include "app/single_instance.h"
#include "base/list_view_rules.h"
#include "catalog/font_facts_cache.h"
#include "settings/settings_store.h"
#include "ui/font_texts.h"
#include "ui/help.h"
#include "ui/help_topics.h"
#include "ui/image_strip.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/folders.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/window_text.h"

namespace typorama::app {
namespace {

TfrmMain* g_mainWindow = nullptr;

// Posted by the font list when several of its fonts could not be loaded.
constexpr UINT kLoadProblemMessage = WM_APP + 0x100;
// Posted by a resize: lay the client area out again once the menu bar has settled.
constexpr UINT kRelayoutMessage = WM_APP + 0x101;
// The smallest window, in pixels at 96 dpi.
constexpr int kMinWindowWidth = 440;
constexpr int kMinWindowHeight = 300;

HFONT CreateNameLineFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace

catalog::TFontList* TheFontList() { return g_mainWindow ? &g_mainWindow->FontList() : nullptr; }

void TfrmMain::DescribeClass(WNDCLASSEXW& wc) {
    wc.style = CS_DBLCLKS;
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_MAINICON));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // the client panel's colour
}

RECT TfrmMain::DefaultBounds(int screenWidth, int screenHeight) {
    const int left = screenWidth / 2 - 220;
    return RECT{left, 50, left + 440, 50 + screenHeight - 100};
}

RECT TfrmMain::KeepOnScreen(RECT bounds, int screenWidth, int screenHeight) {
    if (bounds.left > screenWidth || bounds.left < 0) OffsetRect(&bounds, -bounds.left, 0);
    if (bounds.top > screenHeight || bounds.top < 0) OffsetRect(&bounds, 0, -bounds.top);
    return bounds;
}

TfrmMain::TfrmMain(const catalog::SystemLocations& where) : where_(where) {
    settings_.startupSpecialFolder = where.fontsFolder;
}

TfrmMain::~TfrmMain() {
    if (window_) DestroyWindow(window_);
    if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool TfrmMain::Create(const std::wstring& startFolder, int showCommand, const std::vector<std::wstring>& arguments) {
    startingUp_ = true;
    const HWND window = CreateBound(WS_EX_APPWINDOW, ui::kMessageCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
    if (!window) {
        startingUp_ = false;
        return false;
    }
    fontChangeMessage_ = RegisterWindowMessageW(kFontChangeMessageName);
    wchar_t programPath[MAX_PATH]{};
    GetModuleFileNameW(nullptr, programPath, MAX_PATH);
    programPath_ = programPath;
    programFolder_ = programPath;
    programFolder_.erase(programFolder_.find_last_of(L'\\') + 1);
    try {
        images_.reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), ui::kToolbarBitmap, ui::kImageSize, 0,
                                           ui::kImageTransparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
        nameLineFont_.reset(CreateNameLineFont(dpi_));

        fontList_ = std::make_unique<catalog::TFontList>(where_);
        g_mainWindow = this;
        ConnectFontList();
        listBox_->SetDefaultFocusRect(false);

        // The features declare their settings as they are made; the settings
        // are read once all of them are there.
        AddSettings(MainWindowValues());
        AddSettings(SettingsPart{[this](const settings::TRegistryEx& reg) { ReadKeptLists(reg.Base(), settings_); },
                                 [this](settings::TRegistryEx& reg, settings::WriteOutcome& outcome) {
                                     outcome.Add(WriteKeptLists(reg.Base(), settings_));
                                 }});
        AddFeatures(*this);
        ReadSettings();
        ApplyDisplayColors();
        SettingsApplied();
        RebuildMenus();
        ApplyViewSettings();
        const bool folderGiven = win::IsFolder(startFolder);
        if (folderGiven || arguments.empty() || !OpenStartArguments || !OpenStartArguments(arguments)) {
            const std::wstring settingsFolder = StartupFolder ? StartupFolder() : std::wstring();
            OpenStartSource(folderGiven ? startFolder : settingsFolder, showCommand);
        }
    } catch (const std::exception&) {
        // A failure while starting up leaves whatever was built; the window stays usable.
    }
    if (!fontList_) {
        fontList_ = std::make_unique<catalog::TFontList>(where_);
        g_mainWindow = this;
    }
    ui::SetHelpFolder(programFolder_ + L"help\\");
    SetStatusText(StatusPanel::Message, win::LoadResString(IDS_MAIN_WELCOME), false);
    startingUp_ = false;
    UpdateCommandStates();
    if (showCommand != SW_HIDE && !IsWindowVisible(window_)) ShowWindow(window_, ShowCommandFor(showCommand));
    return true;
}

void TfrmMain::ConnectFontList() {
    fontList_->OnBeginUpdate = [this] {
        updateCursor_ = std::make_unique<win::BusyCursor>();
        LockWindowUpdate(window_);
        listBox_->SetItemCount(0);
    };
    fontList_->OnEndUpdate = [this] {
        // The cursor comes back when the view is up to date, also when that fails.
        std::unique_ptr<win::BusyCursor> busy = std::move(updateCursor_);
        listBox_->SetItemCount(fontList_->Count());
        LockWindowUpdate(nullptr);
        UpdateTitle();
        UpdateCommandStates();
        UpdateStatusPanels();
        FontListRebuilt();
    };
    // Known while rows are drawn: the message waits until the painting is over.
    fontList_->OnLoadProblem = [this] { PostMessageW(window_, kLoadProblemMessage, 0, 0); };
}

void TfrmMain::AddSettings(std::span<const settings::ValueSetting<MainSettings>> values) {
    AddSettings(SettingsPart{[this, values](const settings::TRegistryEx& reg) { settings::ReadValues(reg, values, settings_); },
                             [this, values](settings::TRegistryEx& reg, settings::WriteOutcome& outcome) {
                                 settings::WriteValues(reg, values, settings_, outcome);
                             }});
}

void TfrmMain::ReadSettings() {
    settings::TRegistryEx reg;
    reg.OpenKey(L"", true);  // reads fall back to the defaults when it cannot be opened
    for (const SettingsPart& part : settingsParts_) part.read(reg);
    ApplyBounds(reg);
    if (userString_) {
        SetWindowTextW(userString_, settings_.sampleStrings.current.c_str());
        for (const std::wstring& item : settings_.sampleStrings.items)
            SendMessageW(userString_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    settingsLoaded_ = true;
}

namespace {

// The window's normal position as stored; the sizes may be anything between
// the smallest and the largest window the user could drag.
struct StoredBounds {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool maximized = false;
    std::int32_t splitterLeft = 150;
};

using BoundsValue = settings::ValueSetting<StoredBounds>;

std::array<BoundsValue, 6> BoundsValues() {
    const settings::IntRange widths{GetSystemMetrics(SM_CXMINTRACK),
                                    std::max(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CXMAXTRACK))};
    const settings::IntRange heights{GetSystemMetrics(SM_CYMINTRACK),
                                     std::max(GetSystemMetrics(SM_CYMINTRACK), GetSystemMetrics(SM_CYMAXTRACK))};
    return {{
        {L"FormLeft", &StoredBounds::left, settings::kCoordinateRange},
        {L"FormTop", &StoredBounds::top, settings::kCoordinateRange},
        {L"FormWidth", &StoredBounds::width, widths},
        {L"FormHeight", &StoredBounds::height, heights},
        {L"Maximized", &StoredBounds::maximized},
        {L"SplitterLeft", &StoredBounds::splitterLeft, settings::kCoordinateRange},
    }};
}

}  // namespace

void TfrmMain::ApplyBounds(const settings::TRegistryEx& reg) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT defaults = DefaultBounds(screenWidth, screenHeight);
    StoredBounds stored{defaults.left, defaults.top, defaults.right - defaults.left, defaults.bottom - defaults.top};
    const auto values = BoundsValues();
    settings::ReadValues(reg, std::span<const BoundsValue>(values), stored);
    const RECT bounds = KeepOnScreen(RECT{stored.left, stored.top, stored.left + stored.width, stored.top + stored.height},
                                     screenWidth, screenHeight);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    placement.rcNormalPosition = bounds;
    placement.showCmd = IsWindowVisible(window_) ? SW_SHOWNORMAL : SW_HIDE;
    SetWindowPlacement(window_, &placement);
    splitterLeft_ = (stored.splitterLeft >= 150 && stored.splitterLeft <= stored.width) ? stored.splitterLeft : 150;
    startMaximized_ = stored.maximized;
}

void TfrmMain::WriteSettings(bool reportFailure) {
    settings_.lastUsedFolder = fontList_ && fontList_->Source() == catalog::SourceKind::Folder ? fontList_->Folder()
                                                                                               : std::wstring();
    if (userString_) settings_.sampleStrings.current = win::WindowText(userString_);
    settings::WriteOutcome outcome;
    settings::TRegistryEx reg;
    if (reg.OpenKey(L"", true)) {
        outcome.Add(WriteBounds(reg));
    } else {
        outcome.Fail(reg.LastError());
    }
    // A settings key that cannot be opened loses its own values only: the
    // lists below it, the toolbar layout and the version record may still go.
    // Every part is tried; the first failure is the one reported.
    for (const SettingsPart& part : settingsParts_) part.write(reg, outcome);
    WriteVersionRecord(settings::ActiveVersionKey(), programPath_);  // silent: it needs rights a user may lack
    SettingsWriting(outcome);
    // Once for the whole save, with the first failure's text.
    if (outcome.Failed() && reportFailure) ui::ShowSystemError(window_, outcome.error);
}

settings::WriteOutcome TfrmMain::WriteBounds(settings::TRegistryEx& reg) {
    settings::WriteOutcome outcome;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_, &placement)) return outcome;
    RECT r = placement.rcNormalPosition;
    // The stored width is that of the window without the folder tree.
    if (treeVisible_) r.right -= kSplitterWidth + (splitterLeft_ - 1) + 2;
    const StoredBounds stored{r.left, r.top, r.right - r.left, r.bottom - r.top, IsZoomed(window_) != FALSE,
                              splitterLeft_};
    const auto values = BoundsValues();
    settings::WriteValues(reg, std::span<const BoundsValue>(values), stored, outcome);
    return outcome;
}

int TfrmMain::ShowCommandFor(int showCommand) const {
    if (showCommand == SW_HIDE) return SW_HIDE;
    return startMaximized_ ? SW_SHOWMAXIMIZED : showCommand;
}

void TfrmMain::OpenStartSource(const std::wstring& startFolder, int showCommand) {
    if (win::IsFolder(startFolder)) {
        SetWindowTextW(window_, ui::kMessageCaption);
        if (showCommand != SW_HIDE) {
            ShowWindow(window_, ShowCommandFor(showCommand));
            UpdateWindow(window_);
        }
        fontList_->IncludeSubfolders = false;
        fontList_->SetFolder(startFolder);
        fontList_->SetSourceKind(catalog::SourceKind::Folder);
        fontList_->Rebuild(false);
        startingUp_ = false;
        StartFolderOpened();
    } else {
        fontList_->Rebuild(false);
    }
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const MessageHandler& handler : messageHandlers_) {
        LRESULT result = 0;
        if (handler(message, wParam, lParam, result)) return result;
    }
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_INITMENUPOPUP:
            if (!menuBar_.Prepare(reinterpret_cast<HMENU>(wParam), commands_))
                if (!popupMenu_.Prepare(reinterpret_cast<HMENU>(wParam), commands_))
                    PrepareCommandStates(reinterpret_cast<HMENU>(wParam), commands_);
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            // Small enough for half a screen, large enough that the tree, a
            // few rows of the list and the status bar's texts stay usable.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = std::max<LONG>(limits->ptMinTrackSize.x, ScaleToDpi(kMinWindowWidth));
            limits->ptMinTrackSize.y = std::max<LONG>(limits->ptMinTrackSize.y, ScaleToDpi(kMinWindowHeight));
            return 0;
        }
        case kRelayoutMessage:
            if (!IsIconic(window_)) LayoutClient();
            return 0;
        case WM_COMMAND:
            if (GET_WM_COMMAND_HWND(wParam, lParam) == nullptr) {
                RunCommand(static_cast<UINT>(GET_WM_COMMAND_ID(wParam, lParam)));
                return 0;
            }
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession(lParam) ? TRUE : FALSE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE, lParam);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kLoadProblemMessage:
            ui::ShowMessage(window_, win::LoadResString(IDS_MAIN_LOAD_PROBLEM), MB_ICONERROR | MB_OK,
                            ui::kLoadProblemsHelpContext);
            return 0;
        case kActivateMessage:
            OnActivateInstance();
            return 0;
        case WM_ENABLE:
            if (wParam && std::exchange(fontChangeWaits_, false)) PostMessageW(window_, fontChangeMessage_, 0, 0);
            return 0;
        default:
            break;
    }
    if (message == fontChangeMessage_ && fontChangeMessage_ != 0) {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        // While a dialog or a run holds the window, it may hold the fonts of
        // the list too: the list is read again once the window is free.
        if (!IsWindowEnabled(window_)) {
            fontChangeWaits_ = true;
            return result;
        }
        // Another program changed the fonts: list again, keeping the tags.
        if (OnFontChangeMessage) {
            OnFontChangeMessage();
        } else {
            fontList_->Refresh(true);
        }
        return result;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void TfrmMain::CreateControls() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    dpi_ = GetDpiForWindow(window_);
    if (dpi_ == 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
    uiFont_.reset(win::CreateMessageFont(dpi_));
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_STATUS_BAR)), instance,
                                 nullptr);
    ui::VirtualListBoxArgs list;
    list.parent = window_;
    list.id = IDC_MAIN_FONT_LIST;
    list.disabledScrollBar = true;
    list.font = uiFont_.get();
    listBox_ = std::make_unique<ui::ThVirtualListBox>(list);
    // Read-only information pane and sample-string box: created hidden and
    // empty, shown by the features that fill them.
    // The pane scrolls long lines sideways (ES_AUTOHSCROLL: no word wrap).
    fontInfo_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                                    ES_AUTOHSCROLL,
                                0, 0, 0, 0,
                                window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_FONT_INFO)), instance,
                                nullptr);
    userString_ = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                                  0, 0, 200, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAIN_USER_STRING)),
                                  instance, nullptr);
    for (HWND control : {statusBar_, fontInfo_, userString_})
        if (control && uiFont_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);
    SizeFontInfoPane();
}

void TfrmMain::SizeFontInfoPane() {
    // The information pane's client area holds 8 lines of its font plus 3 pixels.
    if (!fontInfo_) return;
    SIZE extent{};
    {
        win::WindowDC dc(fontInfo_);
        win::SelectedObject font(dc.get(), uiFont_ ? uiFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(dc.get(), L"Ij", 2, &extent);
    }
    RECT frame{0, 0, 100, 8 * extent.cy + 3};
    AdjustWindowRectEx(&frame, GetWindowLongW(fontInfo_, GWL_STYLE), FALSE, WS_EX_CLIENTEDGE);
    RECT now{};
    GetWindowRect(fontInfo_, &now);
    SetWindowPos(fontInfo_, nullptr, 0, 0, std::max(100L, now.right - now.left), frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

int TfrmMain::ScaleToDpi(int pixels) const { return typorama::ScaleToDpi(pixels, static_cast<int>(dpi_)); }

std::wstring TfrmMain::StatusText(StatusPanel panel) const { return statusTexts_[static_cast<int>(panel)]; }

void TfrmMain::SetStatusText(StatusPanel panel, const std::wstring& text, bool repaint) {
    statusTexts_[static_cast<int>(panel)] = text;
    if (!statusBar_) return;
    InvalidateRect(statusBar_, nullptr, TRUE);
    if (repaint) UpdateWindow(statusBar_);
}

ClientLayout TfrmMain::LayoutClient() {
    RECT client{};
    GetClientRect(window_, &client);
    RECT status{};
    if (statusBar_ && IsWindowVisible(statusBar_)) GetWindowRect(statusBar_, &status);
    RECT paneRect{}, boxRect{};
    if (fontInfo_) GetWindowRect(fontInfo_, &paneRect);
    if (userString_) GetWindowRect(userString_, &boxRect);

    int top = 0;
    for (HWND bar : topBars_) {
        // The bar's own visibility: IsWindowVisible is false for all while the window is hidden.
        if (!bar || !(GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT barRect{};
        GetWindowRect(bar, &barRect);
        top += barRect.bottom - barRect.top;
    }
    ClientLayoutInput in;
    in.width = client.right;
    in.height = client.bottom - (status.bottom - status.top) - top;
    in.treeVisible = treeVisible_;
    in.splitterLeft = splitterLeft_;
    in.splitterWidth = kSplitterWidth;
    in.infoPaneVisible = fontInfo_ && IsWindowVisible(fontInfo_);
    in.infoPaneHeight = paneRect.bottom - paneRect.top;
    in.userStringVisible = userString_ && IsWindowVisible(userString_);
    in.userStringHeight = boxRect.bottom - boxRect.top;
    ClientLayout layout = ComputeClientLayout(in);
    for (Bounds* b : {&layout.tree, &layout.splitter, &layout.infoPane, &layout.userString, &layout.fontList})
        b->top += top;

    auto place = [](HWND control, const Bounds& b) {
        if (control) MoveWindow(control, b.left, b.top, b.width, b.height, TRUE);
    };
    place(fontInfo_, layout.infoPane);
    if (listBox_) place(listBox_->Hwnd(), layout.fontList);
    ClientLaidOut(layout);
    // A combo box's height is its closed height; MoveWindow would set the drop-down's.
    if (userString_)
        SetWindowPos(userString_, nullptr, layout.userString.left, layout.userString.top, layout.userString.width,
                     ScaleToDpi(200), SWP_NOZORDER | SWP_NOACTIVATE);
    return layout;
}

bool TfrmMain::ConfirmDiscardTags() {
    const int tagged = fontList_ ? fontList_->TaggedCount() : 0;
    if (tagged == 0) return true;
    const std::wstring text = win::FormatRes(IDS_MAIN_CONFIRM_DISCARD_TAGS, {static_cast<std::int64_t>(tagged)});
    return ui::ShowMessage(window_, text, MB_ICONWARNING | MB_OKCANCEL) != IDCANCEL;
}

bool TfrmMain::RequireFonts(FontNeed need) {
    const int tagged = fontList_ ? fontList_->TaggedCount() : 0;
    const bool current = CurrentIndex() >= 0;
    UINT message = 0;
    switch (need) {
        case FontNeed::Current:
            if (!current) message = IDS_MAIN_NEED_CURRENT;
            break;
        case FontNeed::Tagged:
            if (tagged == 0) message = IDS_MAIN_NEED_TAGGED;
            break;
        case FontNeed::TaggedOrCurrent:
            if (tagged == 0 && !current) message = IDS_MAIN_NEED_TAGGED_OR_CURRENT;
            break;
    }
    if (message == 0) return true;
    ui::ShowError(window_, win::LoadResString(message));
    return false;
}

bool TfrmMain::FontCommandsAllowed() const {
    return fontList_ && (fontList_->TaggedCount() > 0 || CurrentIndex() >= 0);
}

int TfrmMain::CurrentIndex() const {
    if (!listBox_ || !fontList_) return -1;
    const int index = listBox_->ItemIndex();
    return index < fontList_->Count() ? index : -1;
}

catalog::TFontListItem* TfrmMain::CurrentFont() {
    const int index = CurrentIndex();
    return index >= 0 ? &(*fontList_)[index] : nullptr;
}

bool TfrmMain::IsFolderSource() const { return fontList_ && fontList_->Source() != catalog::SourceKind::System; }

void TfrmMain::ApplyDisplayColors() {
    colors_ = EffectiveColors(settings_);
    if (listBox_) InvalidateRect(listBox_->Hwnd(), nullptr, TRUE);
    ColorsChanged();
}

void TfrmMain::UpdateCommandStates() {
    CommandStatesChanged();
}

void TfrmMain::UpdateStatusPanels() {
    if (!fontList_) return;
    statusTexts_[static_cast<int>(StatusPanel::Size)] = std::to_wstring(settings_.fontSize);
    statusTexts_[static_cast<int>(StatusPanel::Filter)] =
        IsFolderSource() ? win::LoadResString(IDS_MAIN_FILTER_NONE)
                         : ui::FilterText(fontList_->CharsetFilter(), fontList_->FamilyFilter());
    statusTexts_[static_cast<int>(StatusPanel::TagCount)] =
        std::to_wstring(fontList_->TaggedCount()) + L"/" + std::to_wstring(fontList_->Count());
    if (statusBar_) InvalidateRect(statusBar_, nullptr, TRUE);
}

void TfrmMain::UpdateTitle() {
    if (!fontList_) return;
    std::wstring title = std::wstring(ui::kMessageCaption) + L" - ";
    switch (fontList_->Source()) {
        case catalog::SourceKind::System:
            title += win::LoadResString(IDS_MAIN_TITLE_LOADED);
            if (fontList_->CharsetFilter() != DEFAULT_CHARSET || fontList_->FamilyFilter() != 0 ||
                fontList_->ShowTaggedOnly())
                title += L"*";
            break;
        case catalog::SourceKind::FileList: {
            const std::wstring named = FileListTitle ? FileListTitle() : std::wstring();
            title += named.empty() ? win::LoadResString(IDS_MAIN_TITLE_SEARCH) : named;
            if (fontList_->ShowTaggedOnly()) title += L"*";
            break;
        }
        case catalog::SourceKind::Folder:
            title += fontList_->Folder();
            if (fontList_->IncludeSubfolders) title += L"*";
            break;
    }
    SetWindowTextW(window_, title.c_str());
}

bool TfrmMain::RunCommand(UINT id) {
    const bool ran = commands_.Run(id);
    // Every command ends with fresh command states (buttons follow toggles);
    // not when the command closed the window.
    if (ran && window_) UpdateCommandStates();
    return ran;
}

void TfrmMain::RebuildMenus() {
    menuBar_.Build(MainMenuStructure(), commands_, false);
    const HMENU old = GetMenu(window_);
    SetMenu(window_, menuBar_.Handle());
    if (old && old != menuBar_.Handle()) DestroyMenu(old);
    menuBar_.Release();  // the window destroys its menu
    std::vector<ACCEL> keys = CollectShortcuts(MainMenuStructure(), commands_);
    for (const ACCEL& key : extraShortcuts_) keys.push_back(key);
    accelerators_.reset(keys.empty() ? nullptr : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

void TfrmMain::TrackPopup(const std::vector<MenuNode>& nodes, POINT screenPoint) {
    popupMenu_.Build(nodes, commands_, true);
    if (!popupMenu_.Handle() || GetMenuItemCount(popupMenu_.Handle()) == 0) return;
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(popupMenu_.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           screenPoint.x, screenPoint.y, window_, nullptr));
    if (chosen != 0) RunCommand(chosen);
}

void TfrmMain::ApplyViewSettings() {
    if (userString_) ShowWindow(userString_, settings_.showUserString ? SW_SHOWNA : SW_HIDE);
    LayoutClient();
}

void TfrmMain::AddModeless(HWND window) { modeless_.push_back(window); }

void TfrmMain::RemoveModeless(HWND window) { std::erase(modeless_, window); }

bool TfrmMain::PreTranslate(MSG& message) {
    for (HWND dialog : modeless_)
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return true;
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return root == window_ && accelerators_ && TranslateAcceleratorW(window_, accelerators_.get(), &message);
}

void TfrmMain::OnClose() {
    if (!ConfirmDiscardTags()) return;
    ShutDown(true);
    DestroyWindow(window_);
}

bool TfrmMain::OnQueryEndSession(LPARAM reason) {
    // The one moment of a logoff when the program may still ask. A critical
    // end of session waits for nobody; without tags there is nothing to ask.
    const int tagged = fontList_ ? fontList_->TaggedCount() : 0;
    if ((reason & ENDSESSION_CRITICAL) || tagged == 0) return true;
    const std::wstring question =
        win::FormatRes(IDS_MAIN_CONFIRM_DISCARD_TAGS, {static_cast<std::int64_t>(tagged)});
    // What the system shows beside the program while the question waits.
    ShutdownBlockReasonCreate(window_, question.c_str());
    const bool agreed = ConfirmDiscardTags();
    ShutdownBlockReasonDestroy(window_);
    return agreed;
}

void TfrmMain::OnEndSession(bool ending, LPARAM reason) {
    if (!ending) return;  // another program refused: the session and the tags go on
    // The process may end as soon as this returns, and nobody may be asked
    // anything any more: save without a question and without a report.
    ShutDown(false);
    // The restart manager closes programs to replace their files: end as asked.
    if ((reason & ENDSESSION_CLOSEAPP) && window_) DestroyWindow(window_);
}

void TfrmMain::ShutDown(bool reportFailure) {
    if (shutDown_) return;
    shutDown_ = true;
    if (settingsLoaded_) WriteSettings(reportFailure);
    Closing();
    for (const std::wstring& file : TemporaryFiles) DeleteFileW(file.c_str());
    TemporaryFiles.clear();
}

void TfrmMain::OnDestroy() {
    Destroying();
    if (QuitOnDestroy) PostQuitMessage(0);
}

void TfrmMain::OnSize(UINT state, int width, int height) {
    (void)width;
    if (statusBar_) {
        SendMessageW(statusBar_, WM_SIZE, 0, 0);
        // One panel spanning the bar; the four texts are drawn into it.
        int right = -1;
        SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
        SendMessageW(statusBar_, SB_SETTEXTW, SBT_OWNERDRAW, 0);
    }
    for (HWND bar : topBars_)
        if (bar) SendMessageW(bar, WM_SIZE, 0, 0);
    (void)height;
    if (state == SIZE_MINIMIZED) return;
    LayoutClient();
    // The menu bar may wrap to another number of lines once the new width is
    // drawn, which changes the client area after this message: lay out again
    // then, or a band stays blank (or the list reaches under the status bar).
    PostMessageW(window_, kRelayoutMessage, 0, 0);
}

void TfrmMain::OnActivateInstance() {
    if (!IsIconic(window_)) {
        SetForegroundWindow(window_);
        return;
    }
    Restoring();
    Restore();
}

void TfrmMain::Restore() {
    ShowWindow(window_, SW_SHOW);
    ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
}

void TfrmMain::OnDpiChanged(UINT dpi, const RECT* suggested) {
    const UINT old = dpi_;
    dpi_ = dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    // New fonts first; every control that had the old UI font gets the new
    // one before the old one is deleted (tool tips are windows of their own).
    if (win::UniqueFont font{win::CreateMessageFont(dpi_)}) {
        const HFONT before = uiFont_.get();
        const HFONT after = font.get();
        listBox_->SetFont(after);
        struct Swap {
            HFONT before, after;
        } swap{before, after};
        const WNDENUMPROC replace = [](HWND control, LPARAM data) -> BOOL {
            const auto* fonts = reinterpret_cast<const Swap*>(data);
            if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == fonts->before)
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->after), TRUE);
            return TRUE;
        };
        EnumChildWindows(window_, replace, reinterpret_cast<LPARAM>(&swap));
        EnumThreadWindows(GetCurrentThreadId(), replace, reinterpret_cast<LPARAM>(&swap));
        uiFont_ = std::move(font);
    }
    if (win::UniqueFont font{CreateNameLineFont(dpi_)}) nameLineFont_ = std::move(font);
    splitterLeft_ = std::max(150, MulDiv(splitterLeft_, static_cast<int>(dpi_), static_cast<int>(old)));
    SizeFontInfoPane();
    DpiChanged();
    // The system's rectangle keeps the window where the user dropped it.
    if (suggested)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Bars measure themselves from their fonts; the same size sends no WM_SIZE.
    if (statusBar_) SendMessageW(statusBar_, WM_SIZE, 0, 0);
    for (HWND bar : topBars_)
        if (bar) SendMessageW(bar, WM_SIZE, 0, 0);
    LayoutClient();
    InvalidateRect(window_, nullptr, TRUE);
}

int RunMessageLoop(TfrmMain& main) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (main.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunMainWindow(const std::wstring& startFolder, int showCommand, const std::vector<std::wstring>& arguments,
                  const std::function<void()>& created) {
    // What was read from font files in earlier runs; folders listed before
    // then list without opening every file. A damaged copy is only slower.
    const std::wstring factsFile = catalog::DefaultFactsCacheFile();
    if (!factsFile.empty()) catalog::FactsCache().Load(factsFile);
    TfrmMain main;
    const bool made = main.Create(startFolder, showCommand, arguments);
    if (created) created();
    if (!made) return 1;
    const int exitCode = RunMessageLoop(main);
    // Not being able to keep it costs the next start time, never a font or a
    // setting: nothing to tell the user.
    if (!factsFile.empty()) catalog::FactsCache().Save(factsFile);
    return exitCode;
}

}  // namespace typorama::app
