// ThVirtualListBox: a list that stores no items, only a count, and asks its
// owner to draw every visible row.
//
// It is a control of its own rather than the system list box in no-data
// mode: Windows keeps list-box rows within 255 pixels (LB_SETITEMHEIGHT,
// WM_MEASUREITEM), and samples of up to 1000 pixels need taller rows. Rows
// are any height, scroll positions are row numbers in 32 bits, and the
// control calls its owner's handlers itself: any parent will do.
//
// Accessibility and test tools still find a list box: the class name
// contains "ListBox", the control answers the usual list-box queries
// (LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, LB_GETTOPINDEX, LB_SETTOPINDEX,
// LB_GETITEMHEIGHT, LB_SETITEMHEIGHT, LB_GETITEMRECT, LB_ITEMFROMPOINT,
// LB_GETCARETINDEX, LB_SETCOUNT) and screen readers get a list whose items
// are named by OnItemName (ui/virtual_list_accessible.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window_base.h"

namespace typorama::ui {

enum class ListBoxStyle { OwnerDrawFixed = 1, OwnerDrawVariable = 2 };
enum class ListBoxBorder { None, Single };

struct VirtualListBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 121;
    int height = 97;
    bool visible = true;
    bool tabStop = true;
    HFONT font = nullptr;  // null: the system's default GUI font
    int itemHeight = 16;
    ListBoxStyle style = ListBoxStyle::OwnerDrawFixed;
    ListBoxBorder border = ListBoxBorder::Single;
    bool ctl3d = true;  // a single border becomes the sunken client edge
    bool scrollBar = true;
    bool disabledScrollBar = false;  // the scroll bar stays, disabled, when all rows fit
    bool defaultFocusRect = true;
};

class ThVirtualListBox : public Window<ThVirtualListBox> {
public:
    static constexpr wchar_t kClassName[] = L"ThVirtualListBox";
    static void DescribeClass(WNDCLASSEXW& wc);

    explicit ThVirtualListBox(const VirtualListBoxArgs& args);
    ~ThVirtualListBox() override;

    HWND Hwnd() const { return window_; }
    int Id() const { return args_.id; }

    int ItemCount() const { return count_; }
    // Nothing happens when unchanged; rows beyond the new count lose the selection.
    void SetItemCount(int count);
    int ItemHeight() const { return args_.itemHeight; }
    // Values <= 0 and unchanged values are ignored.
    void SetItemHeight(int height);

    ListBoxStyle Style() const { return args_.style; }
    void SetStyle(ListBoxStyle style);
    ListBoxBorder BorderStyle() const { return args_.border; }
    void SetBorderStyle(ListBoxBorder border);
    bool Ctl3D() const { return args_.ctl3d; }
    void SetCtl3D(bool on);
    bool ScrollBar() const { return args_.scrollBar; }
    void SetScrollBar(bool on);
    bool DisabledScrollBar() const { return args_.disabledScrollBar; }
    void SetDisabledScrollBar(bool on);
    bool DefaultFocusRect() const { return args_.defaultFocusRect; }
    void SetDefaultFocusRect(bool on) { args_.defaultFocusRect = on; }

    HFONT Font() const { return args_.font; }
    void SetFont(HFONT font);

    // The selected row; -1 = none.
    int ItemIndex() const { return selected_; }
    // Nothing when equal; else selects the row (scrolled into view) and raises OnClick.
    void SetItemIndex(int index);
    // The row with the focus rectangle, which the keys move from.
    int CaretIndex() const { return caret_; }
    int TopIndex() const { return top_; }
    // Kept within the rows; the last page shows the last rows.
    void SetTopIndex(int index);
    // -1 outside the client area; else the first row from TopIndex on whose
    // rectangle holds the point; else -1 (existingOnly) or ItemCount.
    int ItemAtPos(POINT point, bool existingOnly) const;
    // In client coordinates, relative to TopIndex (above the client area for
    // rows before it); empty for an index outside the rows.
    RECT ItemRect(int index) const;

    // The window style bits the current choices give. The list-box bits are
    // kept for tools that read them; the control itself goes by its choices.
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

    // Before the call the DC holds the control's font, a brush of the row's
    // background colour and the row's text colour, and is clipped to the
    // row; it is restored afterwards.
    std::function<void(int index, const RECT& rect, UINT state, HDC dc)> OnDrawItem;
    // Variable rows only, once per row until the count or the height changes;
    // height starts as ItemHeight.
    std::function<void(int index, int& height)> OnMeasureItem;
    // Each vertical scroll message (SB_ code, 32-bit thumb position for the
    // thumb codes); the default scrolling happens only if doDefault stays true.
    std::function<void(int code, int position, bool& doDefault)> OnScroll;
    // Character typed in the list; index (starting at -1: default handling)
    // becomes the new selection when it is a row; -2 means handled. Without
    // a handler nothing happens.
    std::function<void(wchar_t ch, int& index)> OnCharToItem;
    // Key pressed in the list (a virtual-key code); index starts at -1, the
    // list's default action for the key; -2 means the owner handled it; a
    // row number selects that row instead.
    std::function<void(UINT key, int& index)> OnKeyToItem;
    // After the rows are painted; the DC is clipped to the area just painted.
    std::function<void(HDC dc)> OnPaint;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // What a screen reader says for a row.
    std::function<std::wstring(int index)> OnItemName;
    // Every message to the list window (mouse, keys, wheel), before the
    // list's own handling; true when answered with `result`.
    std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;
    // The list's own handling of a message, for an OnMessage handler that
    // acts after it (a click selects the row first, then the owner looks at it).
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT ListMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    void ApplyStyles();

    int ClientHeight() const;
    int RowHeight(int index) const;
    // Pixels from the client area's top to the row's top (negative above it).
    long long RowOffset(int index) const;
    int MaxTop() const;
    // Rows wholly visible from `top` on; at least 1.
    int PageFrom(int top) const;
    void UpdateScrollBar();
    void ScrollTo(int top);
    void EnsureVisible(int index);
    void InvalidateRow(int index);
    // Selects the row (or none, -1) and moves the caret to it; `notify`
    // raises OnClick and tells screen readers when the selection changed.
    void Select(int index, bool notify);
    void MoveByKey(UINT key);
    void Scroll(int code);
    void Wheel(int delta);
    void TrackMouse(POINT point);
    void Paint(HDC dc, const RECT& area);
    void DrawItem(HDC dc, int index, const RECT& rect, UINT state);
    HBRUSH BackgroundBrush(HDC dc) const;

    VirtualListBoxArgs args_;
    int count_ = 0;
    int top_ = 0;
    int selected_ = -1;
    int caret_ = -1;
    // Variable rows: measured heights, 0 while unmeasured.
    mutable std::vector<int> heights_;
    bool tracking_ = false;
    int wheelRest_ = 0;
};

}  // namespace typorama::ui
