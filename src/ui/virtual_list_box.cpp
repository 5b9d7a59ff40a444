#include "ui/virtual_list_box.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "ui/virtual_list_accessible.h"
#include "win/gdi.h"

namespace typorama::ui {
namespace {

RECT ToRect(int left, long long top, int right, long long bottom) {
    // Rows far from the top row lie beyond GDI's coordinates: kept within LONG.
    const auto clampLong = [](long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    return RECT{left, clampLong(top), right, clampLong(bottom)};
}

}  // namespace

void ThVirtualListBox::DescribeClass(WNDCLASSEXW& wc) {
    // No CS_HREDRAW/CS_VREDRAW: a resize must not repaint every row.
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = nullptr;  // the rows and the space below them are painted in WM_PAINT
}

ThVirtualListBox::ThVirtualListBox(const VirtualListBoxArgs& args) : args_(args) {
    if (args_.itemHeight <= 0) args_.itemHeight = 16;
    if (!CreateBound(WindowExStyle(), L"", WindowStyle(), args_.x, args_.y, args_.width, args_.height, args_.parent,
                     ControlId(args_.id)))
        return;
    UpdateScrollBar();
}

ThVirtualListBox::~ThVirtualListBox() {
    if (window_) DestroyWindow(window_);
}

DWORD ThVirtualListBox::WindowStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | LBS_NODATA | LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT;
    if (args_.visible) style |= WS_VISIBLE;
    if (args_.tabStop) style |= WS_TABSTOP;
    style |= args_.style == ListBoxStyle::OwnerDrawVariable ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED;
    if (args_.scrollBar) style |= WS_VSCROLL;
    if (args_.disabledScrollBar) style |= LBS_DISABLENOSCROLL;
    if (args_.border == ListBoxBorder::Single && !args_.ctl3d) style |= WS_BORDER;
    return style;
}

DWORD ThVirtualListBox::WindowExStyle() const {
    return args_.border == ListBoxBorder::Single && args_.ctl3d ? WS_EX_CLIENTEDGE : 0;
}

void ThVirtualListBox::ApplyStyles() {
    if (!window_) return;
    // The window's own state (shown, enabled) stays as it is.
    const LONG_PTR kept = GetWindowLongPtrW(window_, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    if (!args_.scrollBar) ShowScrollBar(window_, SB_VERT, FALSE);
    SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(WindowStyle() & ~WS_VISIBLE) | kept);
    SetWindowLongPtrW(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(WindowExStyle()));
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    heights_.assign(args_.style == ListBoxStyle::OwnerDrawVariable ? static_cast<std::size_t>(count_) : 0u, 0);
    ScrollTo(top_);
    UpdateScrollBar();
    InvalidateRect(window_, nullptr, TRUE);
}

void ThVirtualListBox::SetItemCount(int count) {
    if (!window_ || count < 0 || count == count_) return;
    SendMessageW(window_, LB_SETCOUNT, count, 0);
}

void ThVirtualListBox::SetItemHeight(int height) {
    if (!window_ || height <= 0 || height == args_.itemHeight) return;
    // Variable rows keep the value as the height a measurement starts from.
    if (args_.style == ListBoxStyle::OwnerDrawVariable) {
        args_.itemHeight = height;
        ApplyStyles();
        return;
    }
    SendMessageW(window_, LB_SETITEMHEIGHT, 0, height);
}

void ThVirtualListBox::SetStyle(ListBoxStyle style) {
    if (style == args_.style) return;
    args_.style = style;
    ApplyStyles();
}

void ThVirtualListBox::SetBorderStyle(ListBoxBorder border) {
    if (border == args_.border) return;
    args_.border = border;
    ApplyStyles();
}

void ThVirtualListBox::SetCtl3D(bool on) {
    if (on == args_.ctl3d) return;
    args_.ctl3d = on;
    ApplyStyles();
}

void ThVirtualListBox::SetScrollBar(bool on) {
    if (on == args_.scrollBar) return;
    args_.scrollBar = on;
    ApplyStyles();
}

void ThVirtualListBox::SetDisabledScrollBar(bool on) {
    if (on == args_.disabledScrollBar) return;
    args_.disabledScrollBar = on;
    if (window_ && !on) ShowScrollBar(window_, SB_VERT, FALSE);  // shown again below if rows overflow
    ApplyStyles();
}

void ThVirtualListBox::SetFont(HFONT font) {
    if (window_) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    else args_.font = font;
}

void ThVirtualListBox::SetItemIndex(int index) {
    if (!window_ || index == selected_) return;
    Select(index, true);
}

void ThVirtualListBox::SetTopIndex(int index) {
    if (!window_ || index == top_) return;
    SendMessageW(window_, LB_SETTOPINDEX, index, 0);
}

int ThVirtualListBox::ClientHeight() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return client.bottom;
}

int ThVirtualListBox::RowHeight(int index) const {
    if (args_.style != ListBoxStyle::OwnerDrawVariable) return args_.itemHeight;
    if (index < 0 || index >= count_) return args_.itemHeight;
    if (heights_.size() != static_cast<std::size_t>(count_)) heights_.assign(static_cast<std::size_t>(count_), 0);
    int& height = heights_[static_cast<std::size_t>(index)];
    if (height == 0) {
        int measured = args_.itemHeight;
        if (OnMeasureItem) OnMeasureItem(index, measured);
        height = std::max(1, measured);
    }
    return height;
}

long long ThVirtualListBox::RowOffset(int index) const {
    if (args_.style != ListBoxStyle::OwnerDrawVariable)
        return (static_cast<long long>(index) - top_) * args_.itemHeight;
    long long offset = 0;
    for (int i = top_; i < index; ++i) offset += RowHeight(i);
    for (int i = index; i < top_; ++i) offset -= RowHeight(i);
    return offset;
}

int ThVirtualListBox::PageFrom(int top) const {
    const int client = ClientHeight();
    if (args_.style != ListBoxStyle::OwnerDrawVariable) return std::max(1, client / args_.itemHeight);
    int rows = 0;
    long long used = 0;
    for (int i = top; i < count_; ++i) {
        used += RowHeight(i);
        if (used > client) break;
        ++rows;
    }
    return std::max(1, rows);
}

int ThVirtualListBox::MaxTop() const {
    if (count_ <= 0) return 0;
    const int client = ClientHeight();
    if (args_.style != ListBoxStyle::OwnerDrawVariable)
        return std::max(0, count_ - std::max(1, client / args_.itemHeight));
    // The last rows that fit wholly; a last row taller than the list is a page of its own.
    int first = count_;
    long long used = 0;
    while (first > 0 && used + RowHeight(first - 1) <= client) used += RowHeight(--first);
    return std::min(first, count_ - 1);
}

void ThVirtualListBox::UpdateScrollBar() {
    if (!window_ || !args_.scrollBar) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (args_.disabledScrollBar) info.fMask |= SIF_DISABLENOSCROLL;
    // Positions are row numbers: 32 bits hold any count of rows.
    info.nMin = 0;
    info.nMax = std::max(0, count_ - 1);
    info.nPage = static_cast<UINT>(count_ > 0 ? count_ - MaxTop() : 1);
    info.nPos = top_;
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
}

void ThVirtualListBox::ScrollTo(int top) {
    if (!window_) return;
    top = std::clamp(top, 0, MaxTop());
    if (top == top_) return;
    const int old = top_;
    top_ = top;
    const int client = ClientHeight();
    const long long moved = static_cast<long long>(old - top);
    // Moving the pixels pays only while most of them stay; a page down repaints anyway.
    if (args_.style != ListBoxStyle::OwnerDrawVariable && std::llabs(moved) * args_.itemHeight * 2 <= client) {
        ScrollWindowEx(window_, 0, static_cast<int>(moved * args_.itemHeight), nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE);
    } else {
        InvalidateRect(window_, nullptr, FALSE);
    }
    UpdateScrollBar();
}

void ThVirtualListBox::EnsureVisible(int index) {
    if (index < 0 || index >= count_) return;
    if (index < top_) {
        ScrollTo(index);
        return;
    }
    const long long bottom = RowOffset(index) + RowHeight(index);
    if (bottom <= ClientHeight()) return;
    // The lowest top row that shows the row whole; a row taller than the list goes to the top.
    int top = index;
    long long used = RowHeight(index);
    while (top > top_ && used + RowHeight(top - 1) <= ClientHeight()) used += RowHeight(--top);
    ScrollTo(top);
}

void ThVirtualListBox::InvalidateRow(int index) {
    if (!window_ || index < 0 || index >= count_) return;
    RECT row = ItemRect(index);
    RECT client{};
    GetClientRect(window_, &client);
    if (IntersectRect(&row, &row, &client)) InvalidateRect(window_, &row, FALSE);
}

void ThVirtualListBox::Select(int index, bool notify) {
    if (index < -1 || index >= count_) index = -1;
    const int old = selected_;
    const int oldCaret = caret_;
    selected_ = index;
    if (index >= 0) caret_ = index;
    InvalidateRow(old);
    InvalidateRow(oldCaret);
    EnsureVisible(index);
    InvalidateRow(index);
    if (!notify || old == index) return;
    if (index >= 0) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, window_, OBJID_CLIENT, index + 1);
        if (GetFocus() == window_) NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, index + 1);
    }
    if (OnClick) OnClick();
}

RECT ThVirtualListBox::ItemRect(int index) const {
    if (!window_ || index < 0 || index >= count_) return RECT{};
    RECT client{};
    GetClientRect(window_, &client);
    const long long top = RowOffset(index);
    return ToRect(0, top, client.right, top + RowHeight(index));
}

int ThVirtualListBox::ItemAtPos(POINT point, bool existingOnly) const {
    if (!window_) return -1;
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return -1;
    if (args_.style != ListBoxStyle::OwnerDrawVariable) {
        const long long row = top_ + static_cast<long long>(point.y) / args_.itemHeight;
        if (row < count_) return static_cast<int>(row);
    } else {
        long long top = 0;
        for (int i = top_; i < count_ && top <= point.y; ++i) {
            const long long bottom = top + RowHeight(i);
            if (point.y < bottom) return i;
            top = bottom;
        }
    }
    return existingOnly ? -1 : count_;
}

void ThVirtualListBox::MoveByKey(UINT key) {
    if (count_ <= 0) return;
    const int from = caret_;
    int to = from;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            to = from < 0 ? 0 : from - 1;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            to = from + 1;
            break;
        case VK_HOME:
            to = 0;
            break;
        case VK_END:
            to = count_ - 1;
            break;
        case VK_PRIOR: {
            // First to the top row of the page, then a page up.
            to = from > top_ ? top_ : from - PageFrom(std::max(0, from - 1));
            break;
        }
        case VK_NEXT: {
            const int last = top_ + PageFrom(top_) - 1;
            to = from < last ? last : from + PageFrom(std::max(0, from));
            break;
        }
        default:
            return;
    }
    to = std::clamp(to, 0, count_ - 1);
    if (to == selected_) {
        EnsureVisible(to);
        return;
    }
    Select(to, true);
}

void ThVirtualListBox::Scroll(int code) {
    switch (code) {
        case SB_LINEUP:
            ScrollTo(top_ - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(top_ + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(top_ - PageFrom(std::max(0, top_ - 1)));
            break;
        case SB_PAGEDOWN:
            ScrollTo(top_ + PageFrom(top_));
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(MaxTop());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(window_, SB_VERT, &info)) ScrollTo(info.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void ThVirtualListBox::Wheel(int delta) {
    wheelRest_ += delta;
    const int notches = wheelRest_ / WHEEL_DELTA;
    if (notches == 0) return;
    wheelRest_ -= notches * WHEEL_DELTA;
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // Never more than a page: tall samples move one row a notch.
    const int page = PageFrom(top_);
    const int step = lines == WHEEL_PAGESCROLL ? page : std::clamp(static_cast<int>(lines), 1, page);
    ScrollTo(top_ - notches * step);
}

void ThVirtualListBox::TrackMouse(POINT point) {
    // Dragging over the rows moves the selection; beyond the edges it scrolls a row at a time.
    int row = -1;
    if (point.y < 0) {
        row = top_ - 1;
    } else if (point.y >= ClientHeight()) {
        row = top_ + PageFrom(top_);
    } else {
        RECT client{};
        GetClientRect(window_, &client);
        row = ItemAtPos(POINT{std::clamp<LONG>(point.x, 0, std::max<LONG>(0, client.right - 1)), point.y}, true);
    }
    if (row < 0 || row >= count_ || row == selected_) return;
    Select(row, true);
}

HBRUSH ThVirtualListBox::BackgroundBrush(HDC dc) const {
    // The parent chooses the colour below the rows, as for any list box.
    const HWND parent = GetParent(window_);
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(
            SendMessageW(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)));
    return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void ThVirtualListBox::DrawItem(HDC dc, int index, const RECT& rect, UINT state) {
    win::SavedDC saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool focused = GetFocus() == window_;
    COLORREF back = GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
        back = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    }
    SelectObject(dc, args_.font ? static_cast<HGDIOBJ>(args_.font) : GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, back);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    if (index >= 0 && OnDrawItem) {
        OnDrawItem(index, rect, state, dc);
    } else {
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    if (args_.defaultFocusRect && (state & ODS_FOCUS)) {
        // DrawFocusRect inverts with the text colours: give it the defaults.
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &rect);
    }
}

void ThVirtualListBox::Paint(HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(window_, &client);
    const bool focused = GetFocus() == window_;
    long long y = 0;
    for (int i = top_; i < count_ && y < client.bottom; ++i) {
        const long long bottom = y + RowHeight(i);
        const RECT row = ToRect(0, y, client.right, bottom);
        if (row.bottom > area.top && row.top < area.bottom) {
            UINT state = 0;
            if (i == selected_) state |= ODS_SELECTED;
            if (i == caret_ && focused) state |= ODS_FOCUS;
            DrawItem(dc, i, row, state);
        }
        y = bottom;
    }
    if (y < client.bottom) {
        const RECT below = ToRect(0, y, client.right, client.bottom);
        win::SavedDC saved(dc);
        FillRect(dc, &below, BackgroundBrush(dc));
    }
    // The focus on an empty list shows as a first row drawn empty.
    if (count_ == 0 && focused) DrawItem(dc, -1, RECT{0, 0, client.right, args_.itemHeight}, ODS_FOCUS);
    if (OnPaint) {
        win::SavedDC saved(dc);
        OnPaint(dc);
    }
}

LRESULT ThVirtualListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Kept for whoever sets it (a change of resolution gives every control
    // that had the old font the new one).
    if (msg == WM_SETFONT) args_.font = reinterpret_cast<HFONT>(wParam);
    if (OnMessage) {
        LRESULT result = 0;
        if (OnMessage(msg, wParam, lParam, result)) return result;
    }
    return DefaultHandling(msg, wParam, lParam);
}

LRESULT ThVirtualListBox::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!window_) return 0;
    bool handled = true;
    const LRESULT result = ListMessage(msg, wParam, lParam, handled);
    return handled ? result : Window::DefaultHandling(msg, wParam, lParam);
}

LRESULT ThVirtualListBox::ListMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            // A DC in wParam (the common controls' way of printing a window) is used as given.
            if (wParam) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                RECT area{};
                GetClientRect(window_, &area);
                win::SavedDC saved(dc);
                Paint(dc, area);
                return 0;
            }
            const win::PaintDC paint(window_);
            if (paint.get()) Paint(paint.get(), paint.Area());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_SIZE:
            ScrollTo(top_);
            UpdateScrollBar();
            return 0;
        case WM_SETFONT:
            if (LOWORD(lParam)) InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(args_.font);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRow(selected_);
            InvalidateRow(caret_);
            if (count_ == 0) InvalidateRect(window_, nullptr, FALSE);
            if (msg == WM_SETFOCUS)
                NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, caret_ >= 0 ? caret_ + 1 : CHILDID_SELF);
            return 0;
        case WM_ENABLE:
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_VSCROLL: {
            const int code = LOWORD(wParam);
            if (OnScroll) {
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
            Scroll(code);
            return 0;
        }
        case WM_MOUSEWHEEL:
            Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_KEYDOWN: {
            int index = -1;
            if (OnKeyToItem) OnKeyToItem(static_cast<UINT>(wParam), index);
            if (index == -1) MoveByKey(static_cast<UINT>(wParam));
            else if (index >= 0) Select(std::min(index, count_ - 1), true);
            return 0;
        }
        case WM_CHAR: {
            int index = -2;
            if (OnCharToItem) {
                index = -1;
                OnCharToItem(static_cast<wchar_t>(wParam), index);
            }
            // The rows hold no text: the default handling of a character has nothing to find.
            if (index >= 0 && index < count_) Select(index, true);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (GetFocus() != window_) SetFocus(window_);
            const int row = ItemAtPos(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
            if (row >= 0 && row != selected_) Select(row, true);
            SetCapture(window_);
            tracking_ = true;
            if (msg == WM_LBUTTONDBLCLK && row >= 0 && OnDblClick) OnDblClick();
            return 0;
        }
        case WM_MOUSEMOVE:
            if (tracking_ && (wParam & MK_LBUTTON)) TrackMouse(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            if (tracking_) ReleaseCapture();
            tracking_ = false;
            return 0;
        case WM_CAPTURECHANGED:
            tracking_ = false;
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) return AnswerAccessibleQuery(window_, wParam);
            break;
        // The list-box queries of tools and of code that drives the list by messages.
        case LB_GETCOUNT:
            return count_;
        case LB_SETCOUNT: {
            const int count = static_cast<int>(wParam);
            if (count < 0) return LB_ERR;
            count_ = count;
            heights_.assign(args_.style == ListBoxStyle::OwnerDrawVariable ? static_cast<std::size_t>(count) : 0u, 0);
            if (selected_ >= count_) selected_ = -1;
            if (caret_ >= count_) caret_ = count_ - 1;
            top_ = std::clamp(top_, 0, MaxTop());
            UpdateScrollBar();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        }
        case LB_GETCURSEL:
            return selected_ >= 0 ? selected_ : LB_ERR;
        case LB_SETCURSEL: {
            // As for the system list box: no notification, and -1 answers LB_ERR.
            const int index = static_cast<int>(wParam);
            if (index < -1 || index >= count_) return LB_ERR;
            Select(index, false);
            return index < 0 ? LB_ERR : index;
        }
        case LB_GETSEL: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count_) return LB_ERR;
            return index == selected_ ? 1 : 0;
        }
        case LB_GETCARETINDEX:
            return caret_ >= 0 ? caret_ : (count_ > 0 ? 0 : LB_ERR);
        case LB_SETCARETINDEX: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count_) return LB_ERR;
            const int old = caret_;
            caret_ = index;
            InvalidateRow(old);
            EnsureVisible(index);
            InvalidateRow(index);
            return 0;
        }
        case LB_GETTOPINDEX:
            return top_;
        case LB_SETTOPINDEX: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= std::max(count_, 1)) return LB_ERR;
            ScrollTo(index);
            return 0;
        }
        case LB_GETITEMHEIGHT:
            return RowHeight(args_.style == ListBoxStyle::OwnerDrawVariable ? static_cast<int>(wParam) : 0);
        case LB_SETITEMHEIGHT: {
            // The whole lParam: rows are not limited to the 16 bits a list box reads.
            const int height = static_cast<int>(lParam);
            if (height <= 0) return LB_ERR;
            if (args_.style == ListBoxStyle::OwnerDrawVariable) {
                const int index = static_cast<int>(wParam);
                if (index < 0 || index >= count_) return LB_ERR;
                RowHeight(index);  // sizes the table of heights
                heights_[static_cast<std::size_t>(index)] = height;
            } else {
                args_.itemHeight = height;
            }
            top_ = std::clamp(top_, 0, MaxTop());
            EnsureVisible(selected_);
            UpdateScrollBar();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        }
        case LB_GETITEMRECT: {
            const int index = static_cast<int>(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect || index < 0 || index >= count_) return LB_ERR;
            *rect = ItemRect(index);
            return 1;
        }
        case LB_ITEMFROMPOINT: {
            // The answer's 16 bits are the list box's: a long list's far rows cannot be told.
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const int row = ItemAtPos(point, true);
            if (row >= 0) return MAKELONG(row, 0);
            return MAKELONG(count_ > 0 ? count_ - 1 : 0, 1);
        }
        default:
            break;
    }
    handled = false;
    return 0;
}

}  // namespace typorama::ui
