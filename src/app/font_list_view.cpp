// The font list: drawing its rows, mouse, keys and the sample size.
#include "app/font_list_view.h"

#include "app/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "base/list_view_rules.h"
#include "ui/font_texts.h"
#include "ui/image_strip.h"
#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::app {
namespace {

constexpr int kHintMaxWidth = 150;

// The list's look: colours, sample size, what each row shows.
constexpr MainValue kDisplayValues[] = {
    {L"UseCustomColors", &MainSettings::useCustomColors},
    {L"ColorFont", &MainSettings::colorFont},
    {L"ColorBack", &MainSettings::colorBack},
    {L"ColorSmallText", &MainSettings::colorSmallText},
    {L"ColorSelection", &MainSettings::colorSelection},
    {L"ColorSelectionText", &MainSettings::colorSelectionText},
    {L"FontSize", &MainSettings::fontSize, {kMinFontSize, kMaxFontSize}},
    {L"FontSizes", &MainSettings::fontSizes},
    {L"ShowFontName", &MainSettings::showFontName},
    {L"ShowInstalledGlyph", &MainSettings::showInstalledGlyph},
    {L"ShowCheckBoxes", &MainSettings::showCheckBoxes},
    {L"ShowUserString", &MainSettings::showUserString},
    {L"HighlightFontFolders", &MainSettings::highlightFontFolders},
};

std::vector<std::wstring> SizeEntries(MainSettings& settings) {
    // The setting keeps the cleaned text.
    settings.fontSizes = win::ToWide(CleanFontSizes(win::AsU16(settings.fontSizes)));
    std::vector<std::wstring> entries;
    for (const std::u16string& entry : SplitFontSizes(win::AsU16(settings.fontSizes)))
        entries.push_back(win::ToWide(entry));
    return entries;
}

bool SizeListed(MainSettings& settings) {
    for (const std::wstring& entry : SizeEntries(settings))
        if (FontSizeEntryValue(win::AsU16(entry)) == settings.fontSize) return true;
    return false;
}

}  // namespace

FontListView::FontListView(TfrmMain& host)
    : host_(host),
      backBrush_(CreateSolidBrush(host.Colors().back)),
      marks_(std::make_unique<MarkImages>(host.Images())),
      statusBar_(host) {
    ui::ThVirtualListBox& list = host_.ListBox();
    list.OnDrawItem = [this](int index, const RECT& rect, UINT state, HDC dc) { DrawRow(index, rect, state, dc); };
    list.OnPaint = [this](HDC dc) { PaintEmpty(dc); };
    list.OnClick = [this] { SelectionChanged(); };
    list.OnItemName = [this](int index) {
        const catalog::TFontListItem* item = host_.FontList().Item(index);
        return item ? item->Name : std::wstring();
    };
    list.OnCharToItem = [this](wchar_t ch, int& index) { CharToItem(ch, index); };
    list.OnScroll = [this](int code, int position, bool& doDefault) { Scroll(code, position, doDefault); };
    list.OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ListMessage(message, wParam, lParam, result);
    };
    host_.ColorsChanged += [this] { backBrush_.reset(CreateSolidBrush(host_.Colors().back)); };
    host_.AddSettings(kDisplayValues);
    host_.SettingsApplied += [this] { SetFontSize(host_.Settings().fontSize); };
    host_.DpiChanged += [this] { SetFontSize(host_.Settings().fontSize); };
    host_.FontListRebuilt += [this] {
        shiftClickAnchor_ = -1;
        hoveredRow_ = -1;
        // A row of the list that was: its text would name a font no longer shown.
        host_.SetStatusText(StatusPanel::Message, L"", false);
    };
    // The list asks its parent for the colour below its rows, as list boxes do.
    host_.AddMessageHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_CTLCOLORLISTBOX || reinterpret_cast<HWND>(lParam) != host_.ListBox().Hwnd()) return false;
        SetBkColor(reinterpret_cast<HDC>(wParam), host_.Colors().back);
        result = reinterpret_cast<LRESULT>(backBrush_.get());
        return backBrush_.get() != nullptr;
    });
    RegisterCommands();
    CreateMarkTips();
}

void FontListView::CreateMarkTips() {
    const HWND list = host_.ListBox().Hwnd();
    markTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host_.Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!markTips_) return;
    // The tips are Chinese: the list's font links to CJK glyphs, the tip's own may not.
    SendMessageW(markTips_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.ListBox().Font()), FALSE);
    SendMessageW(markTips_, TTM_SETMAXTIPWIDTH, 0, host_.ScaleToDpi(320));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = host_.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(markTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    host_.AddMessageHandler([this](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        if (message != WM_NOTIFY) return false;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom != markTips_ || header->code != TTN_GETDISPINFOW) return false;
        // Asked each time the tip shows: the text of the part under the mouse.
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = markTip_.data();
        result = 0;
        return true;
    });
}

std::wstring FontListView::MarkTipAt(POINT point) const {
    const ui::ThVirtualListBox& list = host_.ListBox();
    const int row = list.ItemAtPos(point, true);
    catalog::TFontListItem* item = host_.FontList().Item(row);
    if (!item) return {};
    const MainSettings& settings = host_.Settings();
    const RECT rect = list.ItemRect(row);
    const RECT box = CheckBoxHitArea(rect, false);
    if (settings.showCheckBoxes && PtInRect(&box, point)) return win::LoadResString(IDS_LIST_TIP_CHECK_BOX);
    const RECT mark = MarkArea(rect, settings.showCheckBoxes);
    if (!settings.showInstalledGlyph || !PtInRect(&mark, point)) return {};
    switch (InstalledMark(*item, host_.IsFolderSource())) {
        case ui::kImageBadgeBlue:
            return win::LoadResString(IDS_LIST_TIP_BLUE);
        case ui::kImageBadgePurple:
            return win::LoadResString(IDS_LIST_TIP_PURPLE);
        case ui::kImageBadgeGreen:
            return win::LoadResString(host_.IsFolderSource() ? IDS_LIST_TIP_GREEN_FOLDER : IDS_LIST_TIP_GREEN_LOADED);
        default:
            return {};
    }
}

RowPaintOptions FontListView::PaintOptions() const {
    const MainSettings& settings = host_.Settings();
    RowPaintOptions options;
    options.size = host_.ScaleToDpi(settings.fontSize);
    options.nameLineHeight = host_.ScaleToDpi(kNameLineHeight);
    options.showFontName = settings.showFontName;
    options.showCheckBoxes = settings.showCheckBoxes;
    options.showInstalledGlyph = settings.showInstalledGlyph;
    options.folderSource = host_.IsFolderSource();
    options.colors = host_.Colors();
    // The colours stay as set; only a selection that would not show is drawn darker.
    options.colors.selection = VisibleSelectionColor(options.colors.selection, options.colors.back);
    options.images = host_.Images();
    options.marks = marks_.get();
    options.nameLineFont = host_.NameLineFont();
    options.useUserText = settings.showUserString;
    if (options.useUserText) options.userText = UserSampleText(win::WindowText(host_.UserStringBox()));
    return options;
}

void FontListView::DrawRow(int index, const RECT& rect, UINT state, HDC dc) const {
    catalog::TFontListItem* item = host_.FontList().Item(index);
    if (!item) {
        FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        return;
    }
    host_.FontList().PrepareToDraw(*item);
    PaintFontRow(dc, rect, (state & ODS_SELECTED) != 0, *item, PaintOptions(), (state & ODS_FOCUS) != 0);
}

void FontListView::PaintEmpty(HDC dc) const {
    if (host_.FontList().Count() > 0) return;
    RECT clip{};
    GetClipBox(dc, &clip);
    win::UniqueBrush brush(CreateSolidBrush(host_.Colors().back));
    FillRect(dc, &clip, brush.get());
    const std::wstring text = win::LoadResString(IDS_LIST_EMPTY);
    win::SelectedObject font(dc, host_.ListBox().Font() ? static_cast<HGDIOBJ>(host_.ListBox().Font())
                                                        : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client{};
    GetClientRect(host_.ListBox().Hwnd(), &client);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, host_.Colors().font);
    TextOutW(dc, client.right / 2 - extent.cx / 2, host_.ListBox().ItemHeight(), text.c_str(),
             static_cast<int>(text.size()));
}

void FontListView::SelectionChanged() {
    const int row = host_.CurrentIndex();
    shiftClickAnchor_ = row;
    std::wstring text;
    if (catalog::TFontListItem* item = host_.FontList().Item(row))
        text = std::to_wstring(row + 1) + L": " + ui::StatusLine(*item);
    host_.SetStatusText(StatusPanel::Message, text, true);
    host_.UpdateCommandStates();
    host_.CurrentFontChanged();
}

void FontListView::RepaintCheckBoxColumn() const {
    const HWND list = host_.ListBox().Hwnd();
    if (!list) return;
    const RECT first = CheckBoxHitArea(host_.ListBox().ItemRect(0), false);
    RECT client{};
    GetClientRect(host_.Handle(), &client);
    const RECT column{first.left, 0, first.right, client.bottom};
    InvalidateRect(list, &column, FALSE);
}

void FontListView::RepaintCheckBox(int row) const {
    const HWND list = host_.ListBox().Hwnd();
    if (!list) return;
    const RECT area = CheckBoxHitArea(host_.ListBox().ItemRect(row), false);
    InvalidateRect(list, &area, FALSE);
}

bool FontListView::ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    ui::ThVirtualListBox& list = host_.ListBox();
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            // The list box selects first (which moves the anchor); a shift-click
            // ranges from where the anchor was before.
            const int anchor = shiftClickAnchor_;
            result = list.DefaultHandling(message, wParam, lParam);
            MouseDown(message == WM_RBUTTONDOWN, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, anchor);
            return true;
        }
        case WM_MOUSEMOVE:
            MouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return false;
        case WM_MOUSEWHEEL:
            Wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0);
            result = 0;
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                ToggleTag(host_.CurrentIndex());
                host_.UpdateStatusPanels();
                host_.UpdateCommandStates();
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void FontListView::MouseDown(bool rightButton, WPARAM keys, POINT point, int anchor) {
    ui::ThVirtualListBox& list = host_.ListBox();
    const int row = list.ItemAtPos(point, true);
    if (row < 0 || row >= host_.FontList().Count()) return;
    const RECT hit = CheckBoxHitArea(list.ItemRect(row), true);
    if (host_.Settings().showCheckBoxes && PtInRect(&hit, point)) {
        if ((keys & MK_SHIFT) && anchor >= 0 && anchor < host_.FontList().Count()) {
            for (int i = std::min(anchor, row); i <= std::max(anchor, row); ++i) host_.FontList()[i].Tagged = true;
            RepaintCheckBoxColumn();
        } else {
            ToggleTag(row);
        }
        host_.UpdateStatusPanels();
        host_.UpdateCommandStates();  // tags decide which commands are offered
        return;
    }
    if (!rightButton) return;
    list.SetItemIndex(row);
    // The right button with the left held down belongs to the information pane.
    if (keys & MK_LBUTTON) return;
    POINT screen = point;
    ClientToScreen(list.Hwnd(), &screen);
    host_.TrackPopup(FontListMenuStructure(), screen);
}

void FontListView::MouseMove(POINT point) {
    if (std::wstring tip = MarkTipAt(point); tip != markTip_ && markTips_) {
        markTip_ = std::move(tip);
        // The tip hides off the marks and shows the new text over another one.
        SendMessageW(markTips_, markTip_.empty() ? TTM_POP : TTM_UPDATE, 0, 0);
    }
    const int row = host_.ListBox().ItemAtPos(point, true);
    if (row == hoveredRow_) return;
    hoveredRow_ = row;
    std::wstring text;
    if (catalog::TFontListItem* item = host_.FontList().Item(row))
        text = std::to_wstring(row + 1) + L": " + ui::StatusLine(*item);
    host_.SetStatusText(StatusPanel::Message, text, true);
}

void FontListView::Wheel(int delta, bool control) {
    // With Ctrl the wheel sizes the samples, as in other programs that show text.
    if (control) {
        const int size = host_.Settings().fontSize;
        if (delta != 0) SetFontSize(delta > 0 ? IncreasedFontSize(size) : DecreasedFontSize(size));
        host_.UpdateCommandStates();
        return;
    }
    ui::ThVirtualListBox& list = host_.ListBox();
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    // At least one row, so that samples taller than the list still scroll.
    const int page = std::max(1, static_cast<int>(client.bottom) / std::max(1, list.ItemHeight()));
    if (delta < 0) {
        list.SetTopIndex(list.TopIndex() + page);
    } else if (delta > 0) {
        list.SetTopIndex(std::max(0, list.TopIndex() - page));
    }
}

void FontListView::CharToItem(wchar_t ch, int& index) {
    index = -2;  // nothing to look for
    // A character beyond the first plane comes as two messages, one per half.
    const wchar_t high = std::exchange(pendingHighSurrogate_, 0);
    if (IS_HIGH_SURROGATE(ch)) {
        pendingHighSurrogate_ = ch;
        return;
    }
    std::wstring typed;
    if (IS_LOW_SURROGATE(ch)) {
        if (!high) return;
        typed = {high, ch};
    } else {
        WORD type = 0;
        if (!GetStringTypeW(CT_CTYPE1, &ch, 1, &type)) return;
        // Controls and white space are no letters to look for; the space bar tags.
        if (!(type & C1_DEFINED) || (type & (C1_CNTRL | C1_SPACE | C1_BLANK))) return;
        typed = {ch};
    }
    bool wrapped = false;
    index = host_.FontList().FindFont(typed, true, true, host_.ListBox().ItemIndex(), &wrapped);
    if (wrapped) host_.Beep();
    if (index < 0) host_.Beep();
}

void FontListView::Scroll(int code, int position, bool& doDefault) {
    if (GetKeyState(VK_CONTROL) < 0) {
        if (code == SB_THUMBTRACK) {
            doDefault = false;
            ShowScrollHint(position);
        } else if (code == SB_ENDSCROLL) {
            hint_.reset();
        }
        return;
    }
    hint_.reset();
}

void FontListView::ShowScrollHint(int row) {
    const HWND list = host_.ListBox().Hwnd();
    const auto scale = [list](int pixels) { return win::ScaleForWindow(list, pixels); };
    if (!hint_) hint_ = std::make_unique<ui::HintWindow>(host_.ListBox().Font(), scale(kHintMaxWidth));
    catalog::TFontListItem* item = host_.FontList().Item(row);
    const std::wstring text = item ? item->Name : std::wstring();
    const SIZE size = hint_->Measure(text);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    RECT bounds{};
    GetWindowRect(list, &bounds);
    POINT cursor{};
    GetCursorPos(&cursor);
    hint_->Show(text, POINT{origin.x + (bounds.right - bounds.left) - scale(60), cursor.y - size.cy - scale(20)});
}

void FontListView::ToggleTag(int row) {
    catalog::TFontListItem* item = host_.FontList().Item(row);
    if (!item) return;
    item->Tagged = !item->Tagged;
    if (host_.Settings().showCheckBoxes) RepaintCheckBox(row);
}

void FontListView::SetFontSize(int size) {
    MainSettings& settings = host_.Settings();
    LockWindowUpdate(host_.Handle());
    // Sample and name line follow the resolution.
    host_.ListBox().SetItemHeight(RowHeight(size, settings.showFontName, static_cast<int>(host_.Dpi())));
    LockWindowUpdate(nullptr);
    settings.fontSize = size;
    host_.UpdateStatusPanels();
}

void FontListView::ApplyFontSizeText(const std::wstring& text) { SetFontSize(ParseFontSize(win::AsU16(text))); }

void FontListView::RegisterCommands() {
    TfrmMain& host = host_;
    MainSettings& settings = host.Settings();
    CommandTable& commands = host.Commands();

    commands.AddList(IDM_VIEW_FONT_SIZE_LIST,
                     {[&settings] {
                          std::vector<ListedItem> items;
                          for (const std::wstring& entry : SizeEntries(settings))
                              items.push_back({entry, FontSizeEntryValue(win::AsU16(entry)) == settings.fontSize, true});
                          return items;
                      },
                      [this, &settings](int position) {
                          const std::vector<std::wstring> entries = SizeEntries(settings);
                          if (position >= 0 && position < static_cast<int>(entries.size()))
                              ApplyFontSizeText(entries[static_cast<std::size_t>(position)]);
                      }});
    commands.Add(IDM_VIEW_FONT_SIZE_CUSTOM,
                 {[this, &host, &settings] {
                      std::wstring text = std::to_wstring(settings.fontSize);
                      if (ui::InputQuery(host.Handle(), ui::kMessageCaption, win::LoadResString(IDS_LIST_NEW_SIZE), text))
                          ApplyFontSizeText(text);
                  },
                  {},
                  [&settings] { return !SizeListed(settings); }});
    commands.Add(IDM_VIEW_INC_FONT_SIZE, {[this, &settings] { SetFontSize(IncreasedFontSize(settings.fontSize)); }, {}, {}});
    commands.Add(IDM_VIEW_DEC_FONT_SIZE, {[this, &settings] { SetFontSize(DecreasedFontSize(settings.fontSize)); }, {}, {}});
    commands.Add(IDM_LIST_SIZE_36, {[this] { SetFontSize(kDefaultFontSize); }, {}, {}});
    host.AddShortcut(ACCEL{FVIRTKEY | FCONTROL, VK_MULTIPLY, IDM_LIST_SIZE_36});
    // The main keyboard's = and - do what the keypad's + and - do.
    host.AddShortcut(ACCEL{FVIRTKEY | FCONTROL, VK_OEM_PLUS, IDM_VIEW_INC_FONT_SIZE});
    host.AddShortcut(ACCEL{FVIRTKEY | FCONTROL, VK_OEM_MINUS, IDM_VIEW_DEC_FONT_SIZE});

    // The three switches of what a row shows.
    const auto toggle = [&host](bool& shown) {
        shown = !shown;
        InvalidateRect(host.ListBox().Hwnd(), nullptr, FALSE);
        host.UpdateCommandStates();
    };
    commands.Add(IDM_VIEW_CHECKBOXES, {[toggle, &settings] { toggle(settings.showCheckBoxes); }, {},
                                       [&settings] { return settings.showCheckBoxes; }});
    commands.Add(IDM_VIEW_INSTALLED_GLYPHS, {[toggle, &settings] { toggle(settings.showInstalledGlyph); }, {},
                                             [&settings] { return settings.showInstalledGlyph; }});
    commands.Add(IDM_VIEW_FULL_NAMES, {[this, &host, &settings] {
                                           settings.showFontName = !settings.showFontName;
                                           SetFontSize(settings.fontSize);
                                           host.UpdateCommandStates();
                                       },
                                       {},
                                       [&settings] { return settings.showFontName; }});

    // Delete deletes fonts wherever the focus is, except in the sample-string
    // box and in text being edited (a folder name in the tree), where it
    // deletes text as usual; without the delete command the key is the
    // focused control's.
    commands.Add(IDM_LIST_DELETE_KEY, {[&host] {
                                           const HWND focus = GetFocus();
                                           const HWND box = host.UserStringBox();
                                           const bool inUserString = focus && box && (focus == box || IsChild(box, focus));
                                           wchar_t className[16]{};
                                           if (focus) GetClassNameW(focus, className, 16);
                                           const bool editing = win::EqualNoCase(className, L"Edit");
                                           if (focus && (inUserString || editing || !host.Commands().Has(IDM_FONT_DELETE))) {
                                               SendMessageW(focus, WM_KEYDOWN, VK_DELETE, 0);
                                               return;
                                           }
                                           host.RunCommand(IDM_FONT_DELETE);
                                       },
                                       {},
                                       {}});
    host.AddShortcut(ACCEL{FVIRTKEY, VK_DELETE, IDM_LIST_DELETE_KEY});
}

}  // namespace typorama::app
