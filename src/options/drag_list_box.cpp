#include "options/drag_list_box.h"

#include <windowsx.h>

#include <cstdlib>
#include <string>

#include "base/list_edit_rules.h"

namespace typorama::options {

int ThDragListBox::Count() const { return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0)); }

int ThDragListBox::Selected() const { return static_cast<int>(SendMessageW(window_, LB_GETCURSEL, 0, 0)); }

void ThDragListBox::Select(int row) { SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }

void ThDragListBox::MoveRow(int from, int to) {
    const int count = Count();
    if (from < 0 || from >= count || to < 0 || to >= count) return;
    if (from != to) {
        const LRESULT length = SendMessageW(window_, LB_GETTEXTLEN, static_cast<WPARAM>(from), 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        if (length >= 0) SendMessageW(window_, LB_GETTEXT, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(text.data()));
        const LRESULT data = SendMessageW(window_, LB_GETITEMDATA, static_cast<WPARAM>(from), 0);
        SendMessageW(window_, LB_DELETESTRING, static_cast<WPARAM>(from), 0);
        SendMessageW(window_, LB_INSERTSTRING, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(window_, LB_SETITEMDATA, static_cast<WPARAM>(to), data);
    }
    Select(to);
    if (from != to && OnAfterReorder) OnAfterReorder(from, to);
}

void ThDragListBox::DeleteSelected() {
    const int row = Selected();
    if (row < 0) {
        Beep();
        return;
    }
    bool allow = true;
    if (OnDeleteQuery) OnDeleteQuery(row, allow);
    if (!allow) return;
    SendMessageW(window_, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    Select(SelectionAfterDelete(row, Count()));
}

int ThDragListBox::RowAt(POINT point) const {
    const LRESULT hit = SendMessageW(window_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    // The high word is set when the point lies outside every row's area.
    if (HIWORD(hit) != 0) return -1;
    return static_cast<int>(LOWORD(hit));
}

LRESULT ThDragListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            // The list box captured the mouse for its own selection tracking;
            // the drag takes it over.
            pressedAt_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            dragFrom_ = RowAt(pressedAt_);
            dragging_ = false;
            return result;
        }
        case WM_MOUSEMOVE:
            if (dragFrom_ >= 0 && (wParam & MK_LBUTTON)) {
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (!dragging_ && (std::abs(at.y - pressedAt_.y) >= GetSystemMetrics(SM_CYDRAG) ||
                                   std::abs(at.x - pressedAt_.x) >= GetSystemMetrics(SM_CXDRAG))) {
                    dragging_ = true;
                    SetCapture(window_);
                }
                if (dragging_) {
                    SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
                    return 0;  // the selection stays on the dragged row
                }
            }
            break;
        case WM_LBUTTONUP:
            if (dragging_) {
                const int from = dragFrom_;
                dragging_ = false;
                dragFrom_ = -1;
                if (GetCapture() == window_) ReleaseCapture();
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MoveRow(from, DropPosition(at.y < 0 ? 0 : RowAt(at), Count()));
                return 0;
            }
            dragFrom_ = -1;
            break;
        case WM_CAPTURECHANGED:
            if (dragging_ && reinterpret_cast<HWND>(lParam) != window_) {
                dragging_ = false;
                dragFrom_ = -1;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                DeleteSelected();
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::options
