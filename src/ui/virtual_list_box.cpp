#include "ui/virtual_list_box.h"

#include <optional>

#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::ui {

void ThVirtualListBox::DescribeClass(WNDCLASSEXW& wc) {
    wc.style &= ~(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS);
    wc.style |= CS_DBLCLKS;
}

ThVirtualListBox::ThVirtualListBox(const VirtualListBoxArgs& args) : args_(args) {
    if (args_.itemHeight <= 0) args_.itemHeight = 16;
    Create();
}

ThVirtualListBox::~ThVirtualListBox() {
    if (window_) DestroyWindow(window_);
}

DWORD ThVirtualListBox::WindowStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_NODATA | LBS_NOTIFY | LBS_WANTKEYBOARDINPUT;
    if (args_.visible) style |= WS_VISIBLE;
    if (args_.tabStop) style |= WS_TABSTOP;
    if (args_.style == ListBoxStyle::OwnerDrawFixed) style |= LBS_OWNERDRAWFIXED;
    if (args_.style == ListBoxStyle::OwnerDrawVariable) style |= LBS_OWNERDRAWVARIABLE;
    if (args_.scrollBar) style |= WS_VSCROLL;
    if (args_.disabledScrollBar) style |= LBS_DISABLENOSCROLL;
    if (args_.multiSelect) style |= args_.extendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!args_.integralHeight) style |= LBS_NOINTEGRALHEIGHT;
    if (args_.border == ListBoxBorder::Single && !args_.ctl3d) style |= WS_BORDER;
    return style;
}

DWORD ThVirtualListBox::WindowExStyle() const {
    return args_.border == ListBoxBorder::Single && args_.ctl3d ? WS_EX_CLIENTEDGE : 0;
}

void ThVirtualListBox::Create() {
    if (!CreateBound(WindowExStyle(), L"", WindowStyle(), args_.x, args_.y, args_.width, args_.height, args_.parent,
                     ControlId(args_.id)))
        return;
    SendMessageW(window_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(args_.font ? args_.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
                 FALSE);
    // Fixed rows take their height from WM_MEASUREITEM at creation; setting it
    // again keeps the height right for a parent that does not pass that on.
    if (args_.style != ListBoxStyle::OwnerDrawVariable) SendMessageW(window_, LB_SETITEMHEIGHT, 0, args_.itemHeight);
}

void ThVirtualListBox::Recreate() {
    if (!window_) {
        Create();
        return;
    }
    const int count = ItemCount();
    const int top = TopIndex();
    const int index = ItemIndex();
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    MapWindowPoints(nullptr, args_.parent, reinterpret_cast<POINT*>(&bounds), 2);
    args_.x = bounds.left;
    args_.y = bounds.top;
    args_.width = bounds.right - bounds.left;
    args_.height = bounds.bottom - bounds.top;
    args_.visible = (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool enabled = IsWindowEnabled(window_) != FALSE;
    const bool focused = GetFocus() == window_;
    DestroyWindow(window_);
    Create();
    if (!window_) return;
    if (!enabled) EnableWindow(window_, FALSE);
    // In this order: the top row and the selection need the rows to exist.
    SetItemCount(count);
    SendMessageW(window_, LB_SETTOPINDEX, top, 0);
    // Putting the selection back is no selection change: no OnClick.
    if (index >= 0) {
        if (args_.multiSelect)
            SendMessageW(window_, LB_SETCARETINDEX, index, FALSE);
        else
            SendMessageW(window_, LB_SETCURSEL, index, 0);
    }
    if (focused) SetFocus(window_);
}

int ThVirtualListBox::ItemCount() const {
    if (!window_) return 0;
    const LRESULT count = SendMessageW(window_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

void ThVirtualListBox::SetItemCount(int count) {
    if (!window_ || count < 0 || count == ItemCount()) return;
    SendMessageW(window_, LB_SETCOUNT, count, 0);
}

void ThVirtualListBox::SetItemHeight(int height) {
    if (height <= 0 || height == args_.itemHeight) return;
    args_.itemHeight = height;
    Recreate();
}

void ThVirtualListBox::SetStyle(ListBoxStyle style) {
    if (style == args_.style) return;
    args_.style = style;
    Recreate();
}

void ThVirtualListBox::SetBorderStyle(ListBoxBorder border) {
    if (border == args_.border) return;
    args_.border = border;
    Recreate();
}

void ThVirtualListBox::SetCtl3D(bool on) {
    if (on == args_.ctl3d) return;
    args_.ctl3d = on;
    Recreate();
}

void ThVirtualListBox::SetMultiSelect(bool on) {
    if (on == args_.multiSelect) return;
    args_.multiSelect = on;
    Recreate();
}

void ThVirtualListBox::SetExtendedSelect(bool on) {
    if (on == args_.extendedSelect) return;
    args_.extendedSelect = on;
    Recreate();
}

void ThVirtualListBox::SetIntegralHeight(bool on) {
    if (on == args_.integralHeight) return;
    args_.integralHeight = on;
    Recreate();
}

void ThVirtualListBox::SetScrollBar(bool on) {
    if (on == args_.scrollBar) return;
    args_.scrollBar = on;
    Recreate();
}

void ThVirtualListBox::SetDisabledScrollBar(bool on) {
    if (on == args_.disabledScrollBar) return;
    args_.disabledScrollBar = on;
    Recreate();
}

void ThVirtualListBox::SetFont(HFONT font) {
    args_.font = font;
    if (window_)
        SendMessageW(window_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
                     TRUE);
}

int ThVirtualListBox::ItemIndex() const {
    if (!window_) return -1;
    const LRESULT index = SendMessageW(window_, args_.multiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ThVirtualListBox::SetItemIndex(int index) {
    if (!window_ || index == ItemIndex()) return;
    if (args_.multiSelect) {
        SendMessageW(window_, LB_SETCARETINDEX, index, FALSE);
    } else {
        SendMessageW(window_, LB_SETCURSEL, index, 0);
        // LB_SETCURSEL sends no LBN_SELCHANGE: a program's change counts as a click.
        if (OnClick) OnClick();
    }
}

int ThVirtualListBox::TopIndex() const {
    if (!window_) return 0;
    const LRESULT top = SendMessageW(window_, LB_GETTOPINDEX, 0, 0);
    return top == LB_ERR ? 0 : static_cast<int>(top);
}

void ThVirtualListBox::SetTopIndex(int index) {
    if (!window_ || index == TopIndex()) return;
    SendMessageW(window_, LB_SETTOPINDEX, index, 0);
}

RECT ThVirtualListBox::ItemRect(int index) const {
    RECT rect{};
    if (window_) SendMessageW(window_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int ThVirtualListBox::ItemAtPos(POINT point, bool existingOnly) const {
    if (!window_) return -1;
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return -1;
    const int count = ItemCount();
    for (int i = TopIndex(); i < count; ++i) {
        RECT rect{};
        if (SendMessageW(window_, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) break;
        if (PtInRect(&rect, point)) return i;
        // Rows lie one below the other: none further down can hold the point.
        if (rect.top >= client.bottom) break;
    }
    return existingOnly ? -1 : count;
}

void ThVirtualListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    win::SavedDC saved(dc);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = GetFocus() == window_;
    COLORREF back = GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
        back = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    }
    SelectObject(dc, args_.font ? args_.font : GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, back);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    const int index = static_cast<int>(item.itemID);
    if (index >= 0 && OnDrawItem) {
        OnDrawItem(index, item.rcItem, item.itemState, dc);
    } else {
        FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    if (args_.defaultFocusRect && (item.itemState & ODS_FOCUS)) {
        // DrawFocusRect inverts with the text colours: give it the defaults.
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &item.rcItem);
    }
}

void ThVirtualListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    int height = args_.itemHeight;
    if (args_.style == ListBoxStyle::OwnerDrawVariable && OnMeasureItem)
        OnMeasureItem(static_cast<int>(item.itemID), height);
    item.itemHeight = static_cast<UINT>(height > 0 ? height : 1);
}

bool ThVirtualListBox::OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_LISTBOX) return false;
        DrawItem(item);
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_LISTBOX) return false;
        MeasureItem(item);
        result = TRUE;
        return true;
    }
    case WM_COMMAND: {
        const UINT code = HIWORD(wParam);
        // Other notifications (focus, ...) stay with the parent's own handling.
        if (code != LBN_SELCHANGE && code != LBN_DBLCLK) return false;
        if (code == LBN_SELCHANGE && OnClick) OnClick();
        if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
        result = 0;
        return true;
    }
    case WM_CHARTOITEM: {
        int index = -2;  // handled, nothing to do
        if (OnCharToItem) {
            index = -1;
            OnCharToItem(static_cast<wchar_t>(LOWORD(wParam)), index);
        }
        result = index;
        return true;
    }
    case WM_VKEYTOITEM: {
        // Keyboard input is wanted for the characters; keys take the list's
        // default action unless the owner takes them.
        int index = -1;
        if (OnKeyToItem) OnKeyToItem(LOWORD(wParam), index);
        result = index;
        return true;
    }
    default:
        return false;
    }
}

LRESULT ThVirtualListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Kept for re-creation, whoever sets it (a change of resolution gives
    // every control that had the old font the new one).
    if (msg == WM_SETFONT) args_.font = reinterpret_cast<HFONT>(wParam);
    if (OnMessage) {
        LRESULT result = 0;
        if (OnMessage(msg, wParam, lParam, result)) return result;
    }
    switch (msg) {
    case WM_VSCROLL: {
        if (OnScroll) {
            const int code = LOWORD(wParam);
            int position = static_cast<int>(static_cast<short>(HIWORD(wParam)));
            if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
                // The message's 16 bits cannot hold a row of a long list.
                SCROLLINFO info{};
                info.cbSize = sizeof info;
                info.fMask = SIF_TRACKPOS;
                if (GetScrollInfo(window_, SB_VERT, &info)) position = info.nTrackPos;
            }
            bool doDefault = true;
            OnScroll(code, position, doDefault);
            if (!doDefault) return 0;
        }
        break;
    }
    case WM_PAINT: {
        if (!OnPaint) break;
        const win::UniqueRegion painted(CreateRectRgn(0, 0, 0, 0));
        const bool whole = wParam != 0 || GetUpdateRgn(window_, painted.get(), FALSE) == ERROR;
        const LRESULT result = DefaultHandling(msg, wParam, lParam);
        // A DC in wParam (the common controls' way of printing a window) is used as given.
        std::optional<win::WindowDC> own;
        if (!wParam) own.emplace(window_);
        const HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : own->get();
        if (dc) {
            win::SavedDC saved(dc);
            if (!whole) SelectClipRgn(dc, painted.get());
            OnPaint(dc);
        }
        return result;
    }
    default:
        break;
    }
    return DefaultHandling(msg, wParam, lParam);
}

}  // namespace typorama::ui
