// ThVirtualListBox: the system list box in no-data mode. It stores no items,
// only a count, and asks its owner to draw every visible row.
//
// The list box sends its owner-draw and notification messages to the parent
// window, which reflects them back to the control (ui/window_base.h): the
// parent must be a window of the program's window base.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/window_base.h"

namespace typorama::ui {

enum class ListBoxStyle { Plain = 0, OwnerDrawFixed = 1, OwnerDrawVariable = 2 };
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
    bool multiSelect = false;
    bool extendedSelect = true;  // with multiSelect: extended, else simple multiple selection
    bool integralHeight = false;
    bool scrollBar = true;
    bool disabledScrollBar = false;
    bool defaultFocusRect = true;
};

class ThVirtualListBox : public Window<ThVirtualListBox> {
public:
    // A superclass of the system list box: the same window procedure and
    // extra bytes, without CS_HREDRAW/CS_VREDRAW (a resize must not repaint
    // every row).
    static constexpr wchar_t kClassName[] = L"ThVirtualListBox";
    static constexpr wchar_t kSystemClass[] = L"LISTBOX";
    static void DescribeClass(WNDCLASSEXW& wc);

    explicit ThVirtualListBox(const VirtualListBoxArgs& args);
    ~ThVirtualListBox() override;

    HWND Hwnd() const { return window_; }
    int Id() const { return args_.id; }

    int ItemCount() const;
    void SetItemCount(int count);
    int ItemHeight() const { return args_.itemHeight; }
    void SetItemHeight(int height);

    ListBoxStyle Style() const { return args_.style; }
    void SetStyle(ListBoxStyle style);
    ListBoxBorder BorderStyle() const { return args_.border; }
    void SetBorderStyle(ListBoxBorder border);
    bool Ctl3D() const { return args_.ctl3d; }
    void SetCtl3D(bool on);
    bool MultiSelect() const { return args_.multiSelect; }
    void SetMultiSelect(bool on);
    bool ExtendedSelect() const { return args_.extendedSelect; }
    void SetExtendedSelect(bool on);
    bool IntegralHeight() const { return args_.integralHeight; }
    void SetIntegralHeight(bool on);
    bool ScrollBar() const { return args_.scrollBar; }
    void SetScrollBar(bool on);
    bool DisabledScrollBar() const { return args_.disabledScrollBar; }
    void SetDisabledScrollBar(bool on);
    bool DefaultFocusRect() const { return args_.defaultFocusRect; }
    void SetDefaultFocusRect(bool on) { args_.defaultFocusRect = on; }

    HFONT Font() const { return args_.font; }
    void SetFont(HFONT font);

    // The caret row in multiple-selection mode, else the selected row; -1 = none.
    int ItemIndex() const;
    // Nothing when equal; multiple selection moves the caret, single selection
    // selects the row and raises OnClick.
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    // -1 outside the client area; else the first row from TopIndex on whose
    // rectangle holds the point; else -1 (existingOnly) or ItemCount.
    int ItemAtPos(POINT point, bool existingOnly) const;
    RECT ItemRect(int index) const;

    // The window style bits the current choices give (for tests and re-creation).
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

    // Before the call the DC holds the control's font, a brush of the row's
    // background colour and the row's text colour; it is restored afterwards.
    std::function<void(int index, const RECT& rect, UINT state, HDC dc)> OnDrawItem;
    // Variable rows only; height starts as ItemHeight.
    std::function<void(int index, int& height)> OnMeasureItem;
    // Each vertical scroll message (SB_ code, 32-bit thumb position for the
    // thumb codes); the default scrolling happens only if doDefault stays true.
    std::function<void(int code, int position, bool& doDefault)> OnScroll;
    // Character typed in the list; index (starting at -1: default handling)
    // becomes the answer to WM_CHARTOITEM. Without a handler the answer is -2.
    std::function<void(wchar_t ch, int& index)> OnCharToItem;
    // Key pressed in the list (a virtual-key code); index (starting at -1:
    // the list's default action) becomes the answer to WM_VKEYTOITEM.
    std::function<void(UINT key, int& index)> OnKeyToItem;
    // After the normal painting; the DC is clipped to the area just painted.
    std::function<void(HDC dc)> OnPaint;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // Every message to the list window (mouse, keys, wheel), before the list
    // box's own handling; true when answered with `result`. A subclass of the
    // window would be lost each time a style change re-creates it; this stays.
    std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;
    // The list box's own handling of a message, for an OnMessage handler that
    // acts after it (a click selects the row first, then the owner looks at it).
    using Window::DefaultHandling;

private:
    void Create();
    void Recreate();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void MeasureItem(MEASUREITEMSTRUCT& item);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The messages the list box sends its parent, reflected.
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    VirtualListBoxArgs args_;
};

}  // namespace typorama::ui
