// The font list: drawing its rows, mouse, keys and the sample size.
#include "app/font_list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "base/list_view_rules.h"
#include "ui/font_texts.h"
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

TfrmMain::FontListView::FontListView(TfrmMain& main)
    : main_(main),
      backBrush_(CreateSolidBrush(main.Colors().back)),
      marks_(std::make_unique<MarkImages>(main.Images())),
      statusBar_(main) {
    ui::ThVirtualListBox& list = main_.ListBox();
    list.OnDrawItem = [this](int index, const RECT& rect, UINT state, HDC dc) { DrawRow(index, rect, state, dc); };
    list.OnPaint = [this](HDC dc) { PaintEmpty(dc); };
    list.OnClick = [this] { SelectionChanged(); };
    list.OnCharToItem = [this](wchar_t ch, int& index) { CharToItem(ch, index); };
    list.OnScroll = [this](int code, int position, bool& doDefault) { Scroll(code, position, doDefault); };
    list.OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ListMessage(message, wParam, lParam, result);
    };
    main_.ColorsChanged += [this] { backBrush_.reset(CreateSolidBrush(main_.Colors().back)); };
    // The list box asks its parent for the colour beyond its rows.
    main_.AddMessageHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_CTLCOLORLISTBOX || reinterpret_cast<HWND>(lParam) != main_.ListBox().Hwnd()) return false;
        SetBkColor(reinterpret_cast<HDC>(wParam), main_.Colors().back);
        result = reinterpret_cast<LRESULT>(backBrush_.get());
        return backBrush_.get() != nullptr;
    });
}

RowPaintOptions TfrmMain::FontListView::PaintOptions() const {
    const MainSettings& settings = main_.Settings();
    RowPaintOptions options;
    options.size = main_.ScaleToDpi(settings.fontSize);
    options.nameLineHeight = main_.ScaleToDpi(kNameLineHeight);
    options.showFontName = settings.showFontName;
    options.showCheckBoxes = settings.showCheckBoxes;
    options.showInstalledGlyph = settings.showInstalledGlyph;
    options.folderSource = main_.IsFolderSource();
    options.colors = main_.Colors();
    options.images = main_.Images();
    options.marks = marks_.get();
    options.nameLineFont = main_.NameLineFont();
    options.useUserText = settings.showUserString;
    if (options.useUserText) options.userText = UserSampleText(win::WindowText(main_.UserStringBox()));
    return options;
}

void TfrmMain::FontListView::DrawRow(int index, const RECT& rect, UINT state, HDC dc) const {
    catalog::TFontListItem* item = main_.FontList().Item(index);
    if (!item) {
        FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        return;
    }
    PaintFontRow(dc, rect, (state & ODS_SELECTED) != 0, *item, PaintOptions());
}

void TfrmMain::FontListView::PaintEmpty(HDC dc) const {
    if (main_.FontList().Count() > 0) return;
    RECT clip{};
    GetClipBox(dc, &clip);
    win::UniqueBrush brush(CreateSolidBrush(main_.Colors().back));
    FillRect(dc, &clip, brush.get());
    const std::wstring text = win::LoadResString(IDS_LIST_EMPTY);
    win::SelectedObject font(dc, main_.ListBox().Font() ? static_cast<HGDIOBJ>(main_.ListBox().Font())
                                                        : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client{};
    GetClientRect(main_.ListBox().Hwnd(), &client);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, main_.Colors().font);
    TextOutW(dc, client.right / 2 - extent.cx / 2, main_.ListBox().ItemHeight(), text.c_str(),
             static_cast<int>(text.size()));
}

void TfrmMain::FontListView::SelectionChanged() {
    const int row = main_.CurrentIndex();
    main_.ShiftClickAnchor = row;
    std::wstring text;
    if (catalog::TFontListItem* item = main_.FontList().Item(row))
        text = std::to_wstring(row + 1) + L": " + ui::StatusLine(*item);
    main_.SetStatusText(StatusPanel::Message, text, true);
    main_.UpdateCommandStates();
    main_.CurrentFontChanged();
}

void TfrmMain::FontListView::RepaintCheckBoxColumn() const {
    const HWND list = main_.ListBox().Hwnd();
    if (!list) return;
    const RECT first = CheckBoxHitArea(main_.ListBox().ItemRect(0), false);
    RECT client{};
    GetClientRect(main_.Handle(), &client);
    const RECT column{first.left, 0, first.right, client.bottom};
    InvalidateRect(list, &column, FALSE);
}

void TfrmMain::FontListView::RepaintCheckBox(int row) const {
    const HWND list = main_.ListBox().Hwnd();
    if (!list) return;
    const RECT area = CheckBoxHitArea(main_.ListBox().ItemRect(row), false);
    InvalidateRect(list, &area, FALSE);
}

bool TfrmMain::FontListView::ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    ui::ThVirtualListBox& list = main_.ListBox();
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            // The list box selects first (which moves the anchor); a shift-click
            // ranges from where the anchor was before.
            const int anchor = main_.ShiftClickAnchor;
            result = list.DefaultHandling(message, wParam, lParam);
            MouseDown(message == WM_RBUTTONDOWN, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, anchor);
            return true;
        }
        case WM_MOUSEMOVE:
            MouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return false;
        case WM_MOUSEWHEEL:
            Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
            result = 0;
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                main_.ToggleTag(main_.CurrentIndex());
                main_.UpdateStatusPanels();
                main_.UpdateCommandStates();
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void TfrmMain::FontListView::MouseDown(bool rightButton, WPARAM keys, POINT point, int anchor) {
    ui::ThVirtualListBox& list = main_.ListBox();
    const int row = list.ItemAtPos(point, true);
    if (row < 0 || row >= main_.FontList().Count()) return;
    const RECT hit = CheckBoxHitArea(list.ItemRect(row), true);
    if (main_.Settings().showCheckBoxes && PtInRect(&hit, point)) {
        if ((keys & MK_SHIFT) && anchor >= 0 && anchor < main_.FontList().Count()) {
            for (int i = std::min(anchor, row); i <= std::max(anchor, row); ++i) main_.FontList()[i].Tagged = true;
            RepaintCheckBoxColumn();
        } else {
            main_.ToggleTag(row);
        }
        main_.UpdateStatusPanels();
        main_.UpdateCommandStates();  // tags decide which commands are offered
        return;
    }
    if (!rightButton) return;
    list.SetItemIndex(row);
    // The right button with the left held down belongs to the information pane.
    if (keys & MK_LBUTTON) return;
    POINT screen = point;
    ClientToScreen(list.Hwnd(), &screen);
    main_.TrackPopup(FontListMenuStructure(), screen);
}

void TfrmMain::FontListView::MouseMove(POINT point) {
    const int row = main_.ListBox().ItemAtPos(point, true);
    if (row == main_.HoveredRow) return;
    main_.HoveredRow = row;
    std::wstring text;
    if (catalog::TFontListItem* item = main_.FontList().Item(row))
        text = std::to_wstring(row + 1) + L": " + ui::StatusLine(*item);
    main_.SetStatusText(StatusPanel::Message, text, true);
}

void TfrmMain::FontListView::Wheel(int delta) {
    ui::ThVirtualListBox& list = main_.ListBox();
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

void TfrmMain::FontListView::CharToItem(wchar_t ch, int& index) {
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
    index = main_.FontList().FindFont(typed, true, true, main_.ListBox().ItemIndex(), &wrapped);
    if (wrapped) main_.Beep();
    if (index < 0) main_.Beep();
}

void TfrmMain::FontListView::Scroll(int code, int position, bool& doDefault) {
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

void TfrmMain::FontListView::ShowScrollHint(int row) {
    const HWND list = main_.ListBox().Hwnd();
    const auto scale = [list](int pixels) { return win::ScaleForWindow(list, pixels); };
    if (!hint_) hint_ = std::make_unique<ui::HintWindow>(main_.ListBox().Font(), scale(kHintMaxWidth));
    catalog::TFontListItem* item = main_.FontList().Item(row);
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

void TfrmMain::ToggleTag(int row) {
    catalog::TFontListItem* item = fontList_ ? fontList_->Item(row) : nullptr;
    if (!item) return;
    item->Tagged = !item->Tagged;
    if (settings_.showCheckBoxes && listView_) listView_->RepaintCheckBox(row);
}

void TfrmMain::ApplyFontSizeText(const std::wstring& text) { SetFontSize(ParseFontSize(win::AsU16(text))); }

void TfrmMain::RegisterListViewCommands() {
    listView_ = std::make_shared<FontListView>(*this);

    commands_.AddList(IDM_VIEW_FONT_SIZE_LIST,
                      {[this] {
                           std::vector<ListedItem> items;
                           for (const std::wstring& entry : SizeEntries(settings_))
                               items.push_back(
                                   {entry, FontSizeEntryValue(win::AsU16(entry)) == settings_.fontSize, true});
                           return items;
                       },
                       [this](int position) {
                           const std::vector<std::wstring> entries = SizeEntries(settings_);
                           if (position >= 0 && position < static_cast<int>(entries.size()))
                               ApplyFontSizeText(entries[static_cast<std::size_t>(position)]);
                       }});
    commands_.Add(IDM_VIEW_FONT_SIZE_CUSTOM, {[this] {
                                                  std::wstring text = std::to_wstring(settings_.fontSize);
                                                  if (ui::InputQuery(window_, ui::kMessageCaption,
                                                                     win::LoadResString(IDS_LIST_NEW_SIZE), text))
                                                      ApplyFontSizeText(text);
                                              },
                                              {},
                                              [this] { return !SizeListed(settings_); }});
    commands_.Add(IDM_VIEW_INC_FONT_SIZE, {[this] { SetFontSize(IncreasedFontSize(settings_.fontSize)); }, {}, {}});
    commands_.Add(IDM_VIEW_DEC_FONT_SIZE, {[this] { SetFontSize(DecreasedFontSize(settings_.fontSize)); }, {}, {}});
    commands_.Add(IDM_LIST_SIZE_36, {[this] { SetFontSize(kDefaultFontSize); }, {}, {}});
    AddShortcut(ACCEL{FVIRTKEY | FCONTROL, VK_MULTIPLY, IDM_LIST_SIZE_36});

    commands_.Add(IDM_VIEW_CHECKBOXES, {[this] {
                                            settings_.showCheckBoxes = !settings_.showCheckBoxes;
                                            InvalidateRect(listBox_->Hwnd(), nullptr, FALSE);
                                            UpdateCommandStates();
                                        },
                                        {},
                                        [this] { return settings_.showCheckBoxes; }});
    commands_.Add(IDM_VIEW_INSTALLED_GLYPHS, {[this] {
                                                  settings_.showInstalledGlyph = !settings_.showInstalledGlyph;
                                                  InvalidateRect(listBox_->Hwnd(), nullptr, FALSE);
                                                  UpdateCommandStates();
                                              },
                                              {},
                                              [this] { return settings_.showInstalledGlyph; }});
    commands_.Add(IDM_VIEW_FULL_NAMES, {[this] {
                                            settings_.showFontName = !settings_.showFontName;
                                            SetFontSize(settings_.fontSize);
                                            UpdateCommandStates();
                                        },
                                        {},
                                        [this] { return settings_.showFontName; }});

    // Delete deletes fonts wherever the focus is, except in the sample-string
    // box and in text being edited (a folder name in the tree), where it
    // deletes text as usual; without the delete command the key is the
    // focused control's.
    commands_.Add(IDM_LIST_DELETE_KEY, {[this] {
                                            const HWND focus = GetFocus();
                                            const bool inUserString =
                                                focus && userString_ && (focus == userString_ || IsChild(userString_, focus));
                                            wchar_t className[16]{};
                                            if (focus) GetClassNameW(focus, className, 16);
                                            const bool editing = win::EqualNoCase(className, L"Edit");
                                            if (focus && (inUserString || editing || !commands_.Has(IDM_FONT_DELETE))) {
                                                SendMessageW(focus, WM_KEYDOWN, VK_DELETE, 0);
                                                return;
                                            }
                                            RunCommand(IDM_FONT_DELETE);
                                        },
                                        {},
                                        {}});
    AddShortcut(ACCEL{FVIRTKEY, VK_DELETE, IDM_LIST_DELETE_KEY});
}

}  // namespace typorama::app
