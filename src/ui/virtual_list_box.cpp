#include "ui/virtual_list_box.h"

#include <utility>

#include "win/gdi.h"

namespace typorama::ui {
namespace {

constexpr wchar_t kClassName[] = L"ThVirtualListBox";
constexpr wchar_t kObjectProperty[] = L"Typorama.ThVirtualListBox";

// The list box sends WM_MEASUREITEM from inside CreateWindowEx, before the
// caller knows the new window; the object being created is found here.
thread_local ThVirtualListBox* creating = nullptr;

WNDPROC listBoxProc = nullptr;

// A superclass of the system list box: the same window procedure and extra
// bytes, without CS_HREDRAW/CS_VREDRAW (a resize must not repaint every row).
bool RegisterListClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExW(nullptr, L"LISTBOX", &wc)) return false;
        listBoxProc = wc.lpfnWndProc;
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW mine{};
        mine.cbSize = sizeof mine;
        if (GetClassInfoExW(instance, kClassName, &mine)) return true;
        wc.cbSize = sizeof wc;
        wc.style &= ~(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS);
        wc.style |= CS_DBLCLKS;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        wc.lpfnWndProc = proc;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

}  // namespace

ThVirtualListBox::ThVirtualListBox(const VirtualListBoxArgs& args) : args_(args) {
    if (args_.itemHeight <= 0) args_.itemHeight = 16;
    Create();
}

ThVirtualListBox::~ThVirtualListBox() {
    if (hwnd_) DestroyWindow(hwnd_);
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
    if (!RegisterListClass(&StaticWindowProc)) return;
    ThVirtualListBox* outer = std::exchange(creating, this);
    HWND hwnd = CreateWindowExW(WindowExStyle(), kClassName, L"", WindowStyle(), args_.x, args_.y, args_.width,
                                args_.height, args_.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args_.id)),
                                GetModuleHandleW(nullptr), nullptr);
    creating = outer;
    if (!hwnd) return;
    hwnd_ = hwnd;
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(args_.font ? args_.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
                 FALSE);
    // Fixed rows take their height from WM_MEASUREITEM at creation; setting it
    // again keeps the height right for a parent that does not pass that on.
    if (args_.style != ListBoxStyle::OwnerDrawVariable) SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, args_.itemHeight);
}

void ThVirtualListBox::Recreate() {
    if (!hwnd_) {
        Create();
        return;
    }
    const int count = ItemCount();
    const int top = TopIndex();
    const int index = ItemIndex();
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    MapWindowPoints(nullptr, args_.parent, reinterpret_cast<POINT*>(&bounds), 2);
    args_.x = bounds.left;
    args_.y = bounds.top;
    args_.width = bounds.right - bounds.left;
    args_.height = bounds.bottom - bounds.top;
    args_.visible = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    const bool focused = GetFocus() == hwnd_;
    DestroyWindow(hwnd_);
    Create();
    if (!hwnd_) return;
    if (!enabled) EnableWindow(hwnd_, FALSE);
    // In this order: the top row and the selection need the rows to exist.
    SetItemCount(count);
    SendMessageW(hwnd_, LB_SETTOPINDEX, top, 0);
    // Putting the selection back is no selection change: no OnClick.
    if (index >= 0) {
        if (args_.multiSelect)
            SendMessageW(hwnd_, LB_SETCARETINDEX, index, FALSE);
        else
            SendMessageW(hwnd_, LB_SETCURSEL, index, 0);
    }
    if (focused) SetFocus(hwnd_);
}

int ThVirtualListBox::ItemCount() const {
    if (!hwnd_) return 0;
    const LRESULT count = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

void ThVirtualListBox::SetItemCount(int count) {
    if (!hwnd_ || count < 0 || count == ItemCount()) return;
    SendMessageW(hwnd_, LB_SETCOUNT, count, 0);
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
    if (hwnd_)
        SendMessageW(hwnd_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
                     TRUE);
}

int ThVirtualListBox::ItemIndex() const {
    if (!hwnd_) return -1;
    const LRESULT index = SendMessageW(hwnd_, args_.multiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ThVirtualListBox::SetItemIndex(int index) {
    if (!hwnd_ || index == ItemIndex()) return;
    if (args_.multiSelect) {
        SendMessageW(hwnd_, LB_SETCARETINDEX, index, FALSE);
    } else {
        SendMessageW(hwnd_, LB_SETCURSEL, index, 0);
        // LB_SETCURSEL sends no LBN_SELCHANGE: a program's change counts as a click.
        if (OnClick) OnClick();
    }
}

int ThVirtualListBox::TopIndex() const {
    if (!hwnd_) return 0;
    const LRESULT top = SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0);
    return top == LB_ERR ? 0 : static_cast<int>(top);
}

void ThVirtualListBox::SetTopIndex(int index) {
    if (!hwnd_ || index == TopIndex()) return;
    SendMessageW(hwnd_, LB_SETTOPINDEX, index, 0);
}

RECT ThVirtualListBox::ItemRect(int index) const {
    RECT rect{};
    if (hwnd_) SendMessageW(hwnd_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int ThVirtualListBox::ItemAtPos(POINT point, bool existingOnly) const {
    if (!hwnd_) return -1;
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point)) return -1;
    const int count = ItemCount();
    for (int i = TopIndex(); i < count; ++i) {
        RECT rect{};
        if (SendMessageW(hwnd_, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) break;
        if (PtInRect(&rect, point)) return i;
        // Rows lie one below the other: none further down can hold the point.
        if (rect.top >= client.bottom) break;
    }
    return existingOnly ? -1 : count;
}

ThVirtualListBox* ThVirtualListBox::FromHwnd(HWND hwnd) {
    return hwnd ? static_cast<ThVirtualListBox*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

void ThVirtualListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    win::SavedDC saved(dc);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = GetFocus() == hwnd_;
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
        try {
            OnDrawItem(index, item.rcItem, item.itemState, dc);
        } catch (...) {
            // Nothing may cross the system's call; the row stays as drawn so far.
        }
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

bool ThVirtualListBox::HandleParentMessage(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        ThVirtualListBox* list = item && item->CtlType == ODT_LISTBOX ? FromHwnd(item->hwndItem) : nullptr;
        if (!list) return false;
        list->DrawItem(*item);
        result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!item || item->CtlType != ODT_LISTBOX) return false;
        // The message carries no window handle: during creation it is the
        // object being created, later the child with the control's id.
        ThVirtualListBox* list = creating && creating->args_.parent == parent
                                     ? creating
                                     : FromHwnd(GetDlgItem(parent, static_cast<int>(item->CtlID)));
        if (!list) return false;
        int height = list->args_.itemHeight;
        if (list->args_.style == ListBoxStyle::OwnerDrawVariable && list->OnMeasureItem) {
            try {
                list->OnMeasureItem(static_cast<int>(item->itemID), height);
            } catch (...) {
                height = list->args_.itemHeight;
            }
        }
        item->itemHeight = static_cast<UINT>(height > 0 ? height : 1);
        result = TRUE;
        return true;
    }
    case WM_COMMAND: {
        ThVirtualListBox* list = FromHwnd(reinterpret_cast<HWND>(lParam));
        if (!list) return false;
        const UINT code = HIWORD(wParam);
        // Other notifications (focus, ...) stay with the parent's own handling.
        if (code != LBN_SELCHANGE && code != LBN_DBLCLK) return false;
        try {
            if (code == LBN_SELCHANGE && list->OnClick) list->OnClick();
            if (code == LBN_DBLCLK && list->OnDblClick) list->OnDblClick();
        } catch (...) {
        }
        result = 0;
        return true;
    }
    case WM_CHARTOITEM: {
        ThVirtualListBox* list = FromHwnd(reinterpret_cast<HWND>(lParam));
        if (!list) return false;
        int index = -2;  // handled, nothing to do
        if (list->OnCharToItem) {
            index = -1;
            try {
                list->OnCharToItem(static_cast<wchar_t>(LOWORD(wParam)), index);
            } catch (...) {
                index = -2;
            }
        }
        result = index;
        return true;
    }
    case WM_VKEYTOITEM: {
        // Keyboard input is wanted for the characters only; keys take the list's default action.
        if (!FromHwnd(reinterpret_cast<HWND>(lParam))) return false;
        result = -1;
        return true;
    }
    default:
        return false;
    }
}

LRESULT ThVirtualListBox::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    return hwnd_ ? CallWindowProcW(listBoxProc, hwnd_, msg, wParam, lParam) : 0;
}

LRESULT ThVirtualListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Kept for re-creation, whoever sets it (a change of resolution gives
    // every control that had the old font the new one).
    if (msg == WM_SETFONT) args_.font = reinterpret_cast<HFONT>(wParam);
    if (OnMessage) {
        LRESULT result = 0;
        bool answered = false;
        try {
            answered = OnMessage(msg, wParam, lParam, result);
        } catch (...) {
            answered = false;
        }
        if (answered) return result;
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
                if (GetScrollInfo(hwnd_, SB_VERT, &info)) position = info.nTrackPos;
            }
            bool doDefault = true;
            try {
                OnScroll(code, position, doDefault);
            } catch (...) {
            }
            if (!doDefault) return 0;
        }
        break;
    }
    case WM_PAINT: {
        if (!OnPaint) break;
        HRGN painted = CreateRectRgn(0, 0, 0, 0);
        const bool whole = wParam != 0 || GetUpdateRgn(hwnd_, painted, FALSE) == ERROR;
        const LRESULT result = CallWindowProcW(listBoxProc, hwnd_, msg, wParam, lParam);
        HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : GetDC(hwnd_);
        if (dc) {
            {
                win::SavedDC saved(dc);
                if (!whole) SelectClipRgn(dc, painted);
                try {
                    OnPaint(dc);
                } catch (...) {
                }
            }
            if (!wParam) ReleaseDC(hwnd_, dc);
        }
        DeleteObject(painted);
        return result;
    }
    default:
        break;
    }
    return CallWindowProcW(listBoxProc, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK ThVirtualListBox::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ThVirtualListBox* self = FromHwnd(hwnd);
    if (!self && msg == WM_NCCREATE && creating) {
        self = creating;
        self->hwnd_ = hwnd;
        SetPropW(hwnd, kObjectProperty, self);
    }
    if (!self) return CallWindowProcW(listBoxProc, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(listBoxProc, hwnd, msg, wParam, lParam);
        RemovePropW(hwnd, kObjectProperty);
        if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
        return result;
    }
    return self->WindowProc(msg, wParam, lParam);
}

}  // namespace typorama::ui
