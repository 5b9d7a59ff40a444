#include "charmap/char_map_window.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <span>

#include "app/clipboard_text.h"
#include "base/text_format.h"
#include "charmap/glyph_vector.h"
#include "charmap/rich_text.h"
#include "settings/setting_values.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "win/busy_cursor.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::charmap {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Its own taskbar button: the window has no owner.
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
// Widths at 96 dpi of the status bar's first two panels and of the toolbar's edit boxes.
constexpr int kCharPanelWidth = 160;
constexpr int kAltPanelWidth = 70;
constexpr int kScriptBoxWidth = 130;
constexpr int kCopyEditWidth = 90;
constexpr std::size_t kLayoutCap = 50;

constexpr settings::ValueSetting<CharMapSettings> kPlacementValues[] = {
    {L"左", &CharMapSettings::left, settings::kCoordinateRange},
    {L"顶", &CharMapSettings::top, settings::kCoordinateRange},
    {L"宽度", &CharMapSettings::width, settings::kCoordinateRange},
    {L"高度", &CharMapSettings::height, settings::kCoordinateRange},
};
constexpr settings::ValueSetting<CharMapSettings> kOptionValues[] = {
    {L"DisplayCharAttributes", &CharMapSettings::labelMode, {0, 3}},
    {L"Maximized", &CharMapSettings::maximized},
    {L"Topmost", &CharMapSettings::topmost},
    {L"UseCustomMaxPos", &CharMapSettings::useCustomMaxPos},
};
constexpr std::wstring_view kMaxPosNames[] = {L"MaxPosLeft", L"MaxPosTop", L"MaxPosWidth", L"MaxPosHeight"};

template <std::size_t N>
std::span<const settings::ValueSetting<CharMapSettings>> Values(
    const settings::ValueSetting<CharMapSettings> (&values)[N]) {
    return std::span<const settings::ValueSetting<CharMapSettings>>(values, N);
}

// The command behind a toolbar button, whose caption is the button's tip.
UINT CommandCaption(int id) {
    switch (id) {
    case IDC_CHARMAP_COPY_BUFFER:
        return IDS_CHARMAP_COPY;
    case IDC_CHARMAP_COPY_TEXT:
        return IDS_CHARMAP_COPY_TEXT;
    case IDC_CHARMAP_COPY_RTF:
        return IDS_CHARMAP_COPY_RTF;
    case IDC_CHARMAP_COPY_VECTOR:
        return IDS_CHARMAP_COPY_VECTOR;
    case IDC_CHARMAP_TOPMOST:
        return IDS_CHARMAP_TOPMOST;
    default:
        return IDS_CHARMAP_MORE;
    }
}

// The three copy commands' captions are too long for a bar beside the grid.
std::wstring ButtonText(int id) {
    switch (id) {
    case IDC_CHARMAP_COPY_TEXT:
        return win::LoadResString(IDS_CHARMAP_BUTTON_TEXT);
    case IDC_CHARMAP_COPY_RTF:
        return win::LoadResString(IDS_CHARMAP_BUTTON_RTF);
    case IDC_CHARMAP_COPY_VECTOR:
        return win::LoadResString(IDS_CHARMAP_BUTTON_VECTOR);
    default:
        return ui::CaptionAsTip(win::LoadResString(CommandCaption(id)));
    }
}

bool SameFont(const std::optional<CharMapFont>& shown, const CharMapFont& font) {
    return shown && shown->name == font.name && shown->file == font.file &&
           std::memcmp(&shown->logFont, &font.logFont, sizeof font.logFont) == 0;
}

struct ScriptSearch {
    const std::wstring* fullName;
    std::vector<TScriptData>* scripts;
    std::wstring* defaultScript;
};

int CALLBACK CollectScript(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM data) {
    const auto& entry = *reinterpret_cast<const ENUMLOGFONTEXW*>(logFont);
    auto& search = *reinterpret_cast<ScriptSearch*>(data);
    const std::wstring script(entry.elfScript, wcsnlen(entry.elfScript, LF_FACESIZE));
    const std::wstring fullName(entry.elfFullName, wcsnlen(entry.elfFullName, LF_FULLFACESIZE));
    if (script.empty() || lstrcmpiW(fullName.c_str(), search.fullName->c_str()) != 0) return 1;
    if (search.defaultScript->empty()) *search.defaultScript = script;
    const bool known = std::any_of(search.scripts->begin(), search.scripts->end(),
                                   [&](const TScriptData& s) { return s.name == script; });
    if (!known) search.scripts->push_back({script, entry.elfLogFont});
    return 1;
}

// Puts `bytes` on the open clipboard under `format`.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    win::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return false;
    {
        win::LockedGlobal locked(memory.get());
        if (!locked.get()) return false;
        std::memcpy(locked.get(), bytes, size);
    }
    if (!SetClipboardData(format, memory.get())) return false;
    memory.release();  // the clipboard's now
    return true;
}

std::wstring TrimmedCopy(std::wstring text) {
    const auto notSpace = [](wchar_t c) { return !std::iswspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

}  // namespace

std::vector<TScriptData> EnumerateScripts(const LOGFONTW& font, const std::wstring& fullName,
                                          std::wstring& defaultScript) {
    std::vector<TScriptData> scripts;
    defaultScript.clear();
    LOGFONTW query = font;
    // Every character set of the face: the default set and no pitch or family.
    query.lfCharSet = DEFAULT_CHARSET;
    query.lfPitchAndFamily = 0;
    ScriptSearch search{&fullName, &scripts, &defaultScript};
    win::MemoryDC dc(nullptr, nullptr);
    if (dc.get()) EnumFontFamiliesExW(dc.get(), &query, CollectScript, reinterpret_cast<LPARAM>(&search), 0);
    std::stable_sort(scripts.begin(), scripts.end(), [](const TScriptData& a, const TScriptData& b) {
        return lstrcmpiW(a.name.c_str(), b.name.c_str()) < 0;
    });
    return scripts;
}

void TfrmCharMap::DescribeClass(WNDCLASSEXW& wc) {
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

TfrmCharMap::TfrmCharMap(settings::SettingsRoot settingsRoot)
    : settingsRoot_(std::move(settingsRoot)), layout_(DefaultToolbarLayout()) {}

TfrmCharMap::~TfrmCharMap() {
    if (window_) DestroyWindow(window_);
}

const std::vector<int>& TfrmCharMap::DefaultToolbarLayout() {
    static const std::vector<int> layout = {IDC_CHARMAP_SCRIPT_LABEL, IDC_CHARMAP_SCRIPTS,     0,
                                            IDC_CHARMAP_COPY_LABEL,   IDC_CHARMAP_COPY_EDIT,   IDC_CHARMAP_COPY_BUFFER,
                                            0,                        IDC_CHARMAP_COPY_TEXT,   IDC_CHARMAP_COPY_RTF,
                                            IDC_CHARMAP_COPY_VECTOR,  0,                       IDC_CHARMAP_TOPMOST,
                                            0,                        IDC_CHARMAP_MORE};
    return layout;
}

bool TfrmCharMap::Create() {
    if (window_) return true;
    if (!CreateBound(kExStyle, win::LoadResString(IDS_CHARMAP_TITLE).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return false;
    CreateControls();
    ReadSettings();
    return grid_ && grid_->Hwnd();
}

void TfrmCharMap::Show() {
    if (!window_) return;
    ShowWindow(window_, startMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    startMaximized_ = false;
    SetFocus(grid_->Hwnd());
}

void TfrmCharMap::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                                   TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER,
                               0, 0, 0, 0, window_, ui::ControlId(IDC_CHARMAP_TOOLBAR), instance, nullptr);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                              ui::ControlId(IDC_CHARMAP_STATUS), instance, nullptr);
    scriptLabel_ = CreateWindowExW(0, L"STATIC", win::LoadResString(IDS_CHARMAP_SCRIPTS_LABEL).c_str(),
                                   WS_CHILD | SS_CENTERIMAGE | SS_RIGHT, 0, 0, 0, 0, window_,
                                   ui::ControlId(IDC_CHARMAP_SCRIPT_LABEL), instance, nullptr);
    scripts_box_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                                   0, 0, window_, ui::ControlId(IDC_CHARMAP_SCRIPTS), instance, nullptr);
    copyLabel_ = CreateWindowExW(0, L"STATIC", win::LoadResString(IDS_CHARMAP_COPY_LABEL).c_str(),
                                 WS_CHILD | SS_CENTERIMAGE | SS_RIGHT, 0, 0, 0, 0, window_,
                                 ui::ControlId(IDC_CHARMAP_COPY_LABEL), instance, nullptr);
    copyEdit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                window_, ui::ControlId(IDC_CHARMAP_COPY_EDIT), instance, nullptr);
    grid_ = std::make_unique<ThCharMap>(CharMapArgs{window_, IDC_CHARMAP_GRID, 1, 0, CharGridGeometry::kMinCellSize,
                                                    CharGridGeometry::kMinCellSize, true});
    // The toolbar must not paint over the controls that sit on it.
    for (HWND control : {scriptLabel_, scripts_box_, copyLabel_, copyEdit_})
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    grid_->SetFontColor(win::SystemColorValue(COLOR_WINDOWTEXT));
    grid_->SetBackColor(win::SystemColorValue(COLOR_WINDOW));
    grid_->SetSelColor(RGB(0, 0, 0));
    grid_->OnCharChange = [this](int code) { OnCharChange(code); };
    grid_->OnInput = [this](UINT message, WPARAM wParam, LPARAM lParam) { OnGridInput(message, wParam, lParam); };
    ApplyFonts();
    BuildToolbar();
    OnCharChange(grid_->GetCurrentChar());
}

void TfrmCharMap::ApplyFonts() {
    // The message font: captions are Chinese, and only a TrueType font links
    // to the CJK glyphs.
    uiFont_.reset(win::CreateMessageFontFor(window_));
    if (!uiFont_) return;
    for (HWND control : {toolbar_, status_, scriptLabel_, scripts_box_, copyLabel_, copyEdit_})
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);
}

void TfrmCharMap::BuildToolbar() {
    if (!toolbar_) return;
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    while (SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(toolbar_, TB_DELETEBUTTON, 0, 0);

    // The labels are as wide as their longest text.
    int labelWidth = 0;
    int copyLabelWidth = 0;
    {
        win::WindowDC dc(window_);
        win::SelectedObject selected(dc.get(), uiFont_.get());
        const auto width = [&](const std::wstring& text) {
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            return size.cx + win::ScaleForWindow(window_, 6);
        };
        labelWidth = width(win::FormatRes(IDS_CHARMAP_SCRIPT_COUNT, {std::int64_t{99}}));
        copyLabelWidth = width(win::LoadResString(IDS_CHARMAP_COPY_LABEL));
    }
    const std::pair<int, HWND> controls[] = {{IDC_CHARMAP_SCRIPT_LABEL, scriptLabel_},
                                             {IDC_CHARMAP_SCRIPTS, scripts_box_},
                                             {IDC_CHARMAP_COPY_LABEL, copyLabel_},
                                             {IDC_CHARMAP_COPY_EDIT, copyEdit_}};
    std::vector<std::wstring> texts;
    texts.reserve(layout_.size());
    std::vector<TBBUTTON> buttons;
    for (int id : layout_) {
        TBBUTTON b{};
        b.idCommand = id;
        b.iBitmap = I_IMAGENONE;
        b.fsState = TBSTATE_ENABLED;
        b.iString = -1;
        switch (id) {
        case 0:
            // The bar is two rows: the collecting part, then the commands.
            // A separator where the first row ends would only add a gap.
            if (!buttons.empty() && (buttons.back().fsState & TBSTATE_WRAP)) continue;
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 0;
            break;
        case IDC_CHARMAP_SCRIPT_LABEL:
        case IDC_CHARMAP_COPY_LABEL:
        case IDC_CHARMAP_SCRIPTS:
        case IDC_CHARMAP_COPY_EDIT:
            // A separator as wide as the control that sits on it.
            b.fsStyle = BTNS_SEP;
            b.iBitmap = id == IDC_CHARMAP_SCRIPT_LABEL ? labelWidth
                        : id == IDC_CHARMAP_COPY_LABEL ? copyLabelWidth
                        : id == IDC_CHARMAP_SCRIPTS    ? win::ScaleForWindow(window_, kScriptBoxWidth)
                                                       : win::ScaleForWindow(window_, kCopyEditWidth);
            break;
        default:
            texts.push_back(ButtonText(id));
            b.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
            b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            if (id == IDC_CHARMAP_TOPMOST) b.fsStyle |= BTNS_CHECK;
            if (id == IDC_CHARMAP_MORE) b.fsStyle |= BTNS_WHOLEDROPDOWN;
            if (id == IDC_CHARMAP_TOPMOST && topmost_) b.fsState |= TBSTATE_CHECKED;
            if (id == IDC_CHARMAP_COPY_BUFFER) b.fsState |= TBSTATE_WRAP;
            break;
        }
        buttons.push_back(b);
    }
    if (!buttons.empty())
        SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    for (const auto& [id, control] : controls) {
        const bool onBar = std::find(layout_.begin(), layout_.end(), id) != layout_.end();
        ShowWindow(control, onBar ? SW_SHOWNA : SW_HIDE);
    }
    Layout();
}

GridFrame TfrmCharMap::Frame() const {
    RECT bounds{}, client{}, bar{}, status{};
    GetWindowRect(window_, &bounds);
    GetClientRect(window_, &client);
    if (toolbar_ && IsWindowVisible(toolbar_)) GetWindowRect(toolbar_, &bar);
    if (status_) GetWindowRect(status_, &status);
    return GridFrame::Of((bounds.right - bounds.left) - client.right, (bounds.bottom - bounds.top) - client.bottom,
                         (bar.bottom - bar.top) + 1, status.bottom - status.top);
}

void TfrmCharMap::Layout() {
    if (!window_ || !grid_) return;
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT client{}, bar{}, status{};
    GetClientRect(window_, &client);
    GetWindowRect(toolbar_, &bar);
    GetWindowRect(status_, &status);
    const int statusHeight = status.bottom - status.top;
    const int gridTop = (bar.bottom - bar.top) + 1;

    const int parts[] = {win::ScaleForWindow(window_, kCharPanelWidth),
                         win::ScaleForWindow(window_, kCharPanelWidth + kAltPanelWidth), -1};
    SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));

    // The controls on the toolbar sit on their separators, vertically centred.
    const std::pair<int, HWND> controls[] = {{IDC_CHARMAP_SCRIPT_LABEL, scriptLabel_},
                                             {IDC_CHARMAP_SCRIPTS, scripts_box_},
                                             {IDC_CHARMAP_COPY_LABEL, copyLabel_},
                                             {IDC_CHARMAP_COPY_EDIT, copyEdit_}};
    for (const auto& [id, control] : controls) {
        RECT item{};
        if (!SendMessageW(toolbar_, TB_GETRECT, id, reinterpret_cast<LPARAM>(&item))) continue;
        RECT own{};
        GetWindowRect(control, &own);
        int height = item.bottom - item.top;
        if (id == IDC_CHARMAP_COPY_EDIT) height = std::min<int>(height, win::ScaleForWindow(window_, 22));
        if (id == IDC_CHARMAP_SCRIPTS) height = win::ScaleForWindow(window_, 200);  // with its drop-down list
        const int top = id == IDC_CHARMAP_SCRIPTS
                            ? item.top + std::max<int>(0, (item.bottom - item.top -
                                                           static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT,
                                                                                         static_cast<WPARAM>(-1), 0)) -
                                                           6) / 2)
                            : item.top + (item.bottom - item.top - height) / 2;
        MoveWindow(control, item.left, top, item.right - item.left, height, TRUE);
    }

    const CellSize cells = CellsForClient(client.right, client.bottom, gridTop, statusHeight);
    grid_->SetCellWidth(std::max(cells.width, 1));
    grid_->SetCellHeight(std::max(cells.height, 1));
    SetWindowPos(grid_->Hwnd(), nullptr, 1, gridTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void TfrmCharMap::PlaceAt(int left, int top, int width, int height) {
    if (!window_) return;
    // The frame's share is known only once the window exists: size it first,
    // then snap with the toolbar laid out for that width.
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const WindowSize size = SnappedWindowSize(width, height, Frame());
    SetWindowPos(window_, nullptr, left, top, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmCharMap::ReadSettings() {
    CharMapSettings s;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    std::optional<int> maxPos[4];
    {
        settings::TRegistryEx reg(settingsRoot_);
        if (reg.OpenKeyReadOnly(kSettingsKey)) {
            settings::ReadValues(reg, Values(kPlacementValues), s);
            settings::ReadValues(reg, Values(kOptionValues), s);
            for (std::size_t i = 0; i < 4; ++i)
                if (reg.ValueExists(kMaxPosNames[i]))
                    maxPos[i] = reg.ReadIntegerDef(kMaxPosNames[i], 0, settings::kCoordinateRange);
        }
        // The bar first: its height is part of what the placement snaps.
        if (reg.OpenKeyReadOnly(kToolbarKey) && reg.ValueExists(settings::kCountValue)) {
            // Only the bar's own items, each once.
            std::vector<int> layout;
            const std::vector<int>& known = DefaultToolbarLayout();
            for (int id : ui::Toolbar::ParseLayoutEntries(settings::ReadListValues(reg, kLayoutCap)))
                if (id == 0 || (std::find(known.begin(), known.end(), id) != known.end() &&
                                std::find(layout.begin(), layout.end(), id) == layout.end()))
                    layout.push_back(id);
            if (layout != layout_) {
                layout_ = std::move(layout);
                BuildToolbar();
            }
        }
    }
    PlaceAt(KeepOnScreen(s.left, screenWidth), KeepOnScreen(s.top, screenHeight), s.width, s.height);
    SetTopmost(s.topmost);
    SetLabelMode(static_cast<CodeLabelMode>(s.labelMode));
    useCustomMaxPos_ = false;
    if (s.useCustomMaxPos) {
        if (const std::optional<Placement> placement =
                CorrectedMaxPlacement(maxPos[0], maxPos[1], maxPos[2], maxPos[3], screenWidth, screenHeight)) {
            maxPos_ = *placement;
            useCustomMaxPos_ = true;
        }
    }
    startMaximized_ = useCustomMaxPos_ && s.maximized;
}

void TfrmCharMap::WriteSettings() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_, &placement)) return;
    const RECT& normal = placement.rcNormalPosition;
    CharMapSettings s;
    s.left = normal.left;
    s.top = normal.top;
    s.width = normal.right - normal.left;
    s.height = normal.bottom - normal.top;
    s.labelMode = static_cast<std::int32_t>(grid_->LabelMode());
    s.maximized = IsZoomed(window_) != FALSE;
    s.topmost = topmost_;
    s.useCustomMaxPos = useCustomMaxPos_;
    // A window's own settings are written quietly: nothing asks the user at close.
    settings::WriteOutcome outcome;
    {
        settings::TRegistryEx reg(settingsRoot_);
        if (!reg.OpenKey(kSettingsKey, true)) return;
        settings::WriteValues(reg, Values(kPlacementValues), s, outcome);
        settings::WriteValues(reg, Values(kOptionValues), s, outcome);
        if (useCustomMaxPos_) {
            const std::int32_t values[] = {maxPos_.left, maxPos_.top, maxPos_.width, maxPos_.height};
            for (std::size_t i = 0; i < 4; ++i) reg.WriteInteger(kMaxPosNames[i], values[i]);
        }
    }
    settings::TRegistryEx reg(settingsRoot_);
    const std::vector<std::wstring> entries = ui::Toolbar::LayoutEntries(layout_);
    if (reg.DeleteKey(kToolbarKey) && reg.OpenKey(kToolbarKey, true)) settings::WriteListValues(reg, entries);
}

void TfrmCharMap::ShowFont(const CharMapFont* font, bool systemSource) {
    if (!window_) return;
    if (!font) {
        // An empty main list: what is shown stays, the caption says why.
        if (!shown_) return;
        shown_.reset();
        SetWindowTextW(window_, win::LoadResString(IDS_CHARMAP_CAPTION_NO_FONT).c_str());
        SetPanel(2, L"");
        return;
    }
    if (SameFont(shown_, *font)) return;
    shown_ = *font;
    grid_->SetCharFont(font->logFont);
    RebuildScripts(systemSource);
    grid_->SetBuffered();
    InvalidateRect(grid_->Hwnd(), nullptr, FALSE);
    UpdateCaption();
    SetPanel(2, font->copyright);
    OnCharChange(grid_->GetCurrentChar());
}

void TfrmCharMap::RebuildScripts(bool systemSource) {
    scripts_ = EnumerateScripts(shown_->logFont, shown_->name, defaultScript_);
    SendMessageW(scripts_box_, CB_RESETCONTENT, 0, 0);
    for (const TScriptData& script : scripts_)
        SendMessageW(scripts_box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(script.name.c_str()));
    int selected = -1;
    for (std::size_t i = 0; i < scripts_.size() && selected < 0; ++i) {
        const bool wanted = scripts_.size() == 1 ||
                            (systemSource ? scripts_[i].logFont.lfCharSet == shown_->logFont.lfCharSet
                                          : scripts_[i].name == defaultScript_);
        if (wanted) selected = static_cast<int>(i);
    }
    // CB_SETCURSEL raises no change notification: the grid keeps the font's own description.
    SendMessageW(scripts_box_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SetWindowTextW(scriptLabel_,
                   win::FormatRes(IDS_CHARMAP_SCRIPT_COUNT, {static_cast<std::int64_t>(scripts_.size())}).c_str());
}

int TfrmCharMap::SelectedScript() const {
    return static_cast<int>(SendMessageW(scripts_box_, CB_GETCURSEL, 0, 0));
}

void TfrmCharMap::SelectScript(int index) {
    if (index < 0 || index >= static_cast<int>(scripts_.size())) return;
    SendMessageW(scripts_box_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    grid_->SetCharFont(scripts_[static_cast<std::size_t>(index)].logFont);
    grid_->SetBuffered();
    InvalidateRect(grid_->Hwnd(), nullptr, FALSE);
    OnCharChange(grid_->GetCurrentChar());
}

std::wstring TfrmCharMap::ScriptLabel() const { return win::WindowText(scriptLabel_); }

void TfrmCharMap::UpdateCaption() {
    if (!shown_) return;
    const std::wstring caption =
        shown_->file.empty()
            ? win::FormatRes(IDS_CHARMAP_CAPTION_NO_FILE, {win::AsU16(shown_->name)})
            : win::FormatRes(IDS_CHARMAP_CAPTION, {win::AsU16(shown_->name), win::AsU16(shown_->file),
                                                   std::u16string_view(FormatByteSize(shown_->fileSize))});
    SetWindowTextW(window_, caption.c_str());
}

void TfrmCharMap::ApplyColours(std::uint32_t text, std::uint32_t back, std::uint32_t selection) {
    grid_->SetFontColor(text);
    grid_->SetBackColor(back);
    grid_->SetSelColor(selection);
    grid_->SetBuffered();
    InvalidateRect(grid_->Hwnd(), nullptr, FALSE);
}

void TfrmCharMap::SetPanel(int panel, const std::wstring& text) {
    panels_[panel] = text;
    // A leading tab centres the text; the third panel is left-aligned.
    const std::wstring shown = panel < 2 ? L"\t" + text : text;
    SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(shown.c_str()));
}

std::wstring TfrmCharMap::StatusText(int panel) const {
    return panel >= 0 && panel < 3 ? panels_[panel] : std::wstring();
}

void TfrmCharMap::OnCharChange(int code) {
    SetPanel(0, win::FormatRes(IDS_CHARMAP_CHAR_PANEL,
                               {win::AsU16(grid_->CharacterText(code)), std::int64_t{code},
                                std::u16string_view(CodeLabelText(code, CodeLabelMode::Hexadecimal))}));
    SetPanel(1, grid_->GetAltKeyText());
}

std::wstring TfrmCharMap::CopyBuffer() const { return win::WindowText(copyEdit_); }

void TfrmCharMap::SetCopyBuffer(const std::wstring& text) {
    SetWindowTextW(copyEdit_, text.c_str());
    // The end stays in view as characters are added.
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(copyEdit_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(copyEdit_, EM_SCROLLCARET, 0, 0);
}

void TfrmCharMap::AppendCurrentChar() {
    SetCopyBuffer(CopyBuffer() + grid_->CharacterText(grid_->GetCurrentChar()));
    copied_ = false;
}

void TfrmCharMap::ClearAndAppendCurrentChar() {
    SetCopyBuffer(L"");
    AppendCurrentChar();
}

void TfrmCharMap::RemoveLastChar() {
    std::wstring text = CopyBuffer();
    if (text.empty()) {
        if (Beep) Beep();
        return;
    }
    // A character outside the basic plane is two code units.
    const bool pair = text.size() >= 2 && IS_LOW_SURROGATE(text.back()) && IS_HIGH_SURROGATE(text[text.size() - 2]);
    text.resize(text.size() - (pair ? 2 : 1));
    SetCopyBuffer(text);
    copied_ = false;
}

bool TfrmCharMap::CopyBufferToClipboard() {
    if (!app::CopyTextToClipboard(window_, CopyBuffer())) return false;
    copied_ = true;
    return true;
}

bool TfrmCharMap::CopyCharAsText() {
    return app::CopyTextToClipboard(window_, grid_->CharacterText(grid_->GetCurrentChar()));
}

std::string TfrmCharMap::RichTextOfCurrentChar() const {
    const LOGFONTW& font = grid_->CharFont();
    const std::wstring face(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
    // The face name in the code page of the font's character set, which is
    // how an RTF reader takes the font table's text.
    const UINT codePage = grid_->CodePage();
    std::string faceBytes;
    if (!face.empty()) {
        const int size = WideCharToMultiByte(codePage, 0, face.data(), static_cast<int>(face.size()), nullptr, 0,
                                             nullptr, nullptr);
        faceBytes.resize(static_cast<std::size_t>(std::max(size, 0)));
        if (size > 0)
            WideCharToMultiByte(codePage, 0, face.data(), static_cast<int>(face.size()), faceBytes.data(), size,
                                nullptr, nullptr);
    }
    const RichTextFont rich{font.lfCharSet, faceBytes, font.lfWeight > FW_NORMAL, font.lfItalic != 0};
    return CharRichText(rich, static_cast<unsigned char>(grid_->GetCurrentChar()));
}

bool TfrmCharMap::CopyCharAsRichText() {
    const std::string rtf = RichTextOfCurrentChar();
    const std::wstring text = grid_->CharacterText(grid_->GetCurrentChar());
    app::ClipboardGuard clipboard(window_);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    const UINT format = RegisterClipboardFormatW(L"Rich Text Format");
    if (format == 0) return false;
    return SetClipboardBytes(format, rtf.c_str(), rtf.size() + 1) &&
           SetClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool TfrmCharMap::CopyCharAsVector() {
    UniqueEnhMetaFile image;
    bool built = false;
    {
        win::BusyCursor busy;
        built = BuildCharVectorImage(grid_->CharFont(), static_cast<UINT>(grid_->GetCurrentChar()), image);
    }
    if (!built || !image) {
        ui::ShowError(window_, win::LoadResString(IDS_CHARMAP_NO_VECTOR));
        return false;
    }
    app::ClipboardGuard clipboard(window_);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_ENHMETAFILE, image.get())) return false;
    image.release();  // the clipboard's now
    return true;
}

void TfrmCharMap::SetLabelMode(CodeLabelMode mode) {
    if (static_cast<int>(mode) < 0 || static_cast<int>(mode) > 3) mode = CodeLabelMode::None;
    grid_->SetLabelMode(mode);
    grid_->SetBuffered();
    InvalidateRect(grid_->Hwnd(), nullptr, FALSE);
}

void TfrmCharMap::SetTopmost(bool on) {
    topmost_ = on;
    SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(toolbar_, TB_CHECKBUTTON, IDC_CHARMAP_TOPMOST, MAKELPARAM(on ? TRUE : FALSE, 0));
}

std::optional<Placement> TfrmCharMap::CustomMaxPlacement() const {
    return useCustomMaxPos_ ? std::optional<Placement>(maxPos_) : std::nullopt;
}

void TfrmCharMap::UseThisPlacementWhenMaximised() {
    if (ui::ShowMessage(window_, win::LoadResString(IDS_CHARMAP_ASK_MAXPOS),
                        MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    maxPos_ = {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
    useCustomMaxPos_ = true;
}

void TfrmCharMap::UseDefaultMaximisedPlacement() { useCustomMaxPos_ = false; }

HMENU TfrmCharMap::BuildPopup() const {
    const HMENU menu = CreatePopupMenu();
    const auto add = [](HMENU to, UINT id, UINT text, UINT flags = MF_STRING) {
        AppendMenuW(to, flags, id, win::LoadResString(text).c_str());
    };
    add(menu, IDC_CHARMAP_APPEND, IDS_CHARMAP_APPEND);
    add(menu, IDC_CHARMAP_CLEAR_APPEND, IDS_CHARMAP_CLEAR_APPEND);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(menu, IDC_CHARMAP_COPY_TEXT, IDS_CHARMAP_COPY_TEXT);
    add(menu, IDC_CHARMAP_COPY_RTF, IDS_CHARMAP_COPY_RTF);
    add(menu, IDC_CHARMAP_COPY_VECTOR, IDS_CHARMAP_COPY_VECTOR);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const HMENU labels = CreatePopupMenu();
    for (UINT mode = 0; mode < 4; ++mode) add(labels, IDC_CHARMAP_LABELS_NONE + mode, IDS_CHARMAP_LABELS_NONE + mode);
    const UINT current = IDC_CHARMAP_LABELS_NONE + static_cast<UINT>(grid_->LabelMode());
    CheckMenuRadioItem(labels, IDC_CHARMAP_LABELS_NONE, IDC_CHARMAP_LABELS_NONE + 3, current, MF_BYCOMMAND);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(labels), win::LoadResString(IDS_CHARMAP_LABELS).c_str());
    const HMENU options = CreatePopupMenu();
    add(options, IDC_CHARMAP_USE_MAXPOS, IDS_CHARMAP_USE_MAXPOS);
    add(options, IDC_CHARMAP_DEFAULT_MAXPOS, IDS_CHARMAP_DEFAULT_MAXPOS,
        MF_STRING | (useCustomMaxPos_ ? MF_ENABLED : MF_GRAYED));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(options), win::LoadResString(IDS_CHARMAP_OPTIONS).c_str());
    return menu;
}

void TfrmCharMap::ShowPopup(POINT screen) {
    win::UniqueMenu menu(BuildPopup());
    if (!menu) return;
    const UINT id = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                                     0, window_, nullptr));
    if (id != 0) OnCommand(static_cast<int>(id), 0, nullptr);
}

void TfrmCharMap::OnGridInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN: {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (wParam == VK_SPACE && !ctrl) AppendCurrentChar();
        if (wParam == VK_BACK && !ctrl) RemoveLastChar();
        if (ctrl && wParam == 'T') CopyCharAsText();
        if (ctrl && wParam == 'R') CopyCharAsRichText();
        if (ctrl && wParam == 'V') CopyCharAsVector();
        break;
    }
    case WM_LBUTTONDOWN:
        if (wParam & MK_CONTROL) AppendCurrentChar();
        break;
    case WM_RBUTTONUP: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(grid_->Hwnd(), &at);
        ShowPopup(at);
        break;
    }
    default:
        break;
    }
}

void TfrmCharMap::OnCommand(int id, int code, HWND control) {
    if (control == scripts_box_) {
        if (code == CBN_SELCHANGE) SelectScript(SelectedScript());
        return;
    }
    if (control == copyEdit_) return;
    switch (id) {
    case IDOK:
        // Enter on the grid: back to the main window, which must not stay
        // under a window that keeps itself on top.
        if (GetFocus() != grid_->Hwnd()) return;
        if (topmost_) SetTopmost(false);
        if (OnShowMain) OnShowMain();
        return;
    case IDCANCEL:
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    case IDC_CHARMAP_COPY_BUFFER:
        CopyBufferToClipboard();
        return;
    case IDC_CHARMAP_COPY_TEXT:
        CopyCharAsText();
        return;
    case IDC_CHARMAP_COPY_RTF:
        CopyCharAsRichText();
        return;
    case IDC_CHARMAP_COPY_VECTOR:
        CopyCharAsVector();
        return;
    case IDC_CHARMAP_TOPMOST:
        SetTopmost(!topmost_);
        return;
    case IDC_CHARMAP_APPEND:
        AppendCurrentChar();
        return;
    case IDC_CHARMAP_CLEAR_APPEND:
        ClearAndAppendCurrentChar();
        return;
    case IDC_CHARMAP_USE_MAXPOS:
        UseThisPlacementWhenMaximised();
        return;
    case IDC_CHARMAP_DEFAULT_MAXPOS:
        UseDefaultMaximisedPlacement();
        return;
    default:
        if (id >= IDC_CHARMAP_LABELS_NONE && id <= IDC_CHARMAP_LABELS_NONE + 3)
            SetLabelMode(static_cast<CodeLabelMode>(id - IDC_CHARMAP_LABELS_NONE));
        return;
    }
}

bool TfrmCharMap::OnClose() {
    const std::wstring buffer = CopyBuffer();
    if (!TrimmedCopy(buffer).empty() && !copied_ && app::ClipboardText(window_).value_or(L"") != buffer) {
        const int answer =
            ui::ShowMessage(window_, win::LoadResString(IDS_CHARMAP_ASK_COPY), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES) CopyBufferToClipboard();
    }
    WriteSettings();
    return true;
}

LRESULT TfrmCharMap::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_SIZING: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const WindowRect snapped =
            SnapSizingRect({rect->left, rect->top, rect->right, rect->bottom}, static_cast<int>(wParam), Frame());
        *rect = RECT{snapped.left, snapped.top, snapped.right, snapped.bottom};
        return TRUE;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (grid_) {
            const WindowSize least = SnappedWindowSize(0, 0, Frame());
            info->ptMinTrackSize = POINT{least.width, least.height};
        }
        // Ctrl held while maximising gives the system's own placement.
        if (useCustomMaxPos_ && GetKeyState(VK_CONTROL) >= 0) {
            info->ptMaxPosition = POINT{maxPos_.left, maxPos_.top};
            info->ptMaxSize = POINT{maxPos_.width, maxPos_.height};
            info->ptMaxTrackSize = POINT{maxPos_.width, maxPos_.height};
        }
        return 0;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == toolbar_ && header->code == TBN_GETINFOTIPW) {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(lParam);
            const std::wstring text = ui::CaptionAsTip(win::LoadResString(CommandCaption(tip->iItem)));
            if (tip->pszText && tip->cchTextMax > 0) lstrcpynW(tip->pszText, text.c_str(), tip->cchTextMax);
            return 0;
        }
        if (header->hwndFrom == toolbar_ && header->code == TBN_DROPDOWN) {
            const auto* drop = reinterpret_cast<const NMTOOLBARW*>(lParam);
            RECT item{};
            SendMessageW(toolbar_, TB_GETRECT, static_cast<WPARAM>(drop->iItem), reinterpret_cast<LPARAM>(&item));
            POINT at{item.left, item.bottom};
            ClientToScreen(toolbar_, &at);
            ShowPopup(at);
            return TBDDRET_DEFAULT;
        }
        break;
    }
    case WM_SETTINGCHANGE:
    case WM_DPICHANGED:
        if (message == WM_DPICHANGED) {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ApplyFonts();
        BuildToolbar();
        return 0;
    case WM_ACTIVATE:
        // The focus comes back to where it was, at first to the grid.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (grid_) {
            SetFocus(lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_) ? lastFocus_ : grid_->Hwnd());
        }
        return 0;
    case WM_CLOSE:
        if (OnClose()) DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        if (OnDestroyed) OnDestroyed();
        break;
    case WM_NCDESTROY:
        shown_.reset();
        toolbar_ = status_ = scriptLabel_ = scripts_box_ = copyLabel_ = copyEdit_ = nullptr;
        break;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::charmap
