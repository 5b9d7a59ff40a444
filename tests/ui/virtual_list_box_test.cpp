// The no-data list box driven the way its parent window and the user drive it.
#include "ui/virtual_list_box.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "support/parent_window.h"

namespace typorama::ui {
namespace {

constexpr int kListId = 101;

// Counts the LB_SETCOUNT messages the list box receives.
LRESULT CALLBACK CountSetCount(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (msg == LB_SETCOUNT) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

class VirtualListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        parentWindow_ = std::make_unique<test::ParentWindow>();
        parent_ = parentWindow_->get();
        // Without a display, Wine creates windows only when the prefix falls
        // back to the null graphics driver (scripts/wine-prefix.sh sets it up).
        if (!parent_) GTEST_SKIP() << "no display driver: windows cannot be created in this Wine prefix";
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        list_.reset();
        parentWindow_.reset();
    }
    bool ParentReceived(UINT message) const {
        const std::vector<UINT>& received = parentWindow_->Received;
        return std::find(received.begin(), received.end(), message) != received.end();
    }
    ThVirtualListBox& MakeList(VirtualListBoxArgs args = {}) {
        args.parent = parent_;
        args.id = kListId;
        args.x = 10;
        args.y = 20;
        list_ = std::make_unique<ThVirtualListBox>(args);
        EXPECT_NE(list_->Hwnd(), nullptr);
        return *list_;
    }

    std::unique_ptr<test::ParentWindow> parentWindow_;
    HWND parent_ = nullptr;
    std::unique_ptr<ThVirtualListBox> list_;
};

TEST_F(VirtualListBoxTest, WindowIsANoDataOwnerDrawListWithTheChosenStyles) {
    ThVirtualListBox& list = MakeList();
    const LONG_PTR style = GetWindowLongPtrW(list.Hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & LBS_NODATA);
    EXPECT_TRUE(style & LBS_NOTIFY);
    EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_FALSE(style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) << "single selection by default";
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetDlgItem(parent_, kListId), list.Hwnd());
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_FALSE(ParentReceived(WM_MEASUREITEM)) << "the list measured its rows while it was being created";
    RECT bounds{};
    GetWindowRect(list.Hwnd(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 121);
    EXPECT_EQ(bounds.bottom - bounds.top, 97);
    EXPECT_EQ(GetClassLongPtrW(list.Hwnd(), GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW), 0u)
        << "a resize must not repaint every row";

    list.SetItemCount(100);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL) << "a scroll bar once rows overflow";

    HWND before = list.Hwnd();
    list.SetCtl3D(false);
    EXPECT_NE(list.Hwnd(), before) << "a style change re-creates the window";
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    list.SetDisabledScrollBar(true);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_DISABLENOSCROLL);
    list.SetMultiSelect(true);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_EXTENDEDSEL);
    list.SetExtendedSelect(false);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_MULTIPLESEL);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_EXTENDEDSEL);
    list.SetIntegralHeight(true);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(GetDlgItem(parent_, kListId), list.Hwnd()) << "the old windows are gone";
    EXPECT_EQ(BoundWindow::FromHandle(before), nullptr) << "the old window let go of the list";
    EXPECT_EQ(BoundWindow::FromHandle(list.Hwnd()), &list);
}

TEST_F(VirtualListBoxTest, ItemCountIsSentOnlyWhenItChanges) {
    ThVirtualListBox& list = MakeList();
    int setCounts = 0;
    ASSERT_TRUE(SetWindowSubclass(list.Hwnd(), CountSetCount, 1, reinterpret_cast<DWORD_PTR>(&setCounts)));
    list.SetItemCount(1000);
    EXPECT_EQ(list.ItemCount(), 1000);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCOUNT, 0, 0), 1000);
    list.SetItemCount(1000);
    EXPECT_EQ(setCounts, 1) << "an unchanged count sends nothing";
    list.SetItemCount(0);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(setCounts, 2);
    RemoveWindowSubclass(list.Hwnd(), CountSetCount, 1);
}

TEST_F(VirtualListBoxTest, ItemHeightChangeRecreatesAndKeepsCountTopSelectionAndBounds) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(200);
    list.SetTopIndex(40);
    // A row that stays in view with the taller rows: setting the selection
    // back after the top row scrolls it into view.
    list.SetItemIndex(41);
    ASSERT_EQ(list.TopIndex(), 40);
    ASSERT_EQ(list.ItemIndex(), 41);
    HWND first = list.Hwnd();

    list.SetItemHeight(0);
    list.SetItemHeight(-5);
    list.SetItemHeight(16);
    EXPECT_EQ(list.Hwnd(), first) << "heights <= 0 and the same height are ignored";
    EXPECT_EQ(list.ItemHeight(), 16);

    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.SetItemHeight(30);
    EXPECT_NE(list.Hwnd(), first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(list.ItemHeight(), 30);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 30);
    EXPECT_EQ(list.ItemCount(), 200);
    EXPECT_EQ(list.TopIndex(), 40);
    EXPECT_EQ(list.ItemIndex(), 41);
    EXPECT_EQ(clicks, 0) << "putting the selection back is no click";
    RECT bounds{};
    GetWindowRect(list.Hwnd(), &bounds);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_EQ(bounds.right - bounds.left, 121);
    EXPECT_EQ(bounds.bottom - bounds.top, 97);

    list.SetMultiSelect(true);
    EXPECT_EQ(list.ItemIndex(), 41) << "the caret takes the single selection's place";
    EXPECT_EQ(list.TopIndex(), 40);
}

TEST_F(VirtualListBoxTest, ItemAtPosFindsVisibleRowsAndTellsEmptySpaceFromOutside) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(3);
    EXPECT_EQ(list.ItemAtPos({5, 1}, true), 0);
    EXPECT_EQ(list.ItemAtPos({5, 17}, true), 1);
    EXPECT_EQ(list.ItemAtPos({5, 47}, false), 2);
    EXPECT_EQ(list.ItemAtPos({5, 60}, true), -1) << "below the last row, existing rows only";
    EXPECT_EQ(list.ItemAtPos({5, 60}, false), 3) << "below the last row: the count";
    EXPECT_EQ(list.ItemAtPos({-1, 5}, false), -1) << "left of the client area";
    EXPECT_EQ(list.ItemAtPos({5, 500}, false), -1) << "below the client area";

    list.SetItemCount(100);
    list.SetTopIndex(10);
    EXPECT_EQ(list.ItemAtPos({5, 1}, true), 10) << "rows count from the top row";
    EXPECT_EQ(list.ItemAtPos({5, 16 * 3 + 2}, true), 13);
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    EXPECT_EQ(list.ItemAtPos({5, client.bottom - 1}, true), 10 + (client.bottom - 1) / 16)
        << "the partly visible last row counts";
}

TEST_F(VirtualListBoxTest, SelectionChangesRaiseClickAndDoubleClickEvents) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(20);
    int clicks = 0;
    int doubleClicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.OnDblClick = [&] { ++doubleClicks; };

    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(3);
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(clicks, 1);
    list.SetItemIndex(3);
    EXPECT_EQ(clicks, 1) << "setting the same row raises nothing";
    list.SetItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(clicks, 2);

    // A click of the user on row 2 arrives as LBN_SELCHANGE at the parent.
    const LPARAM row2 = MAKELPARAM(5, 16 * 2 + 4);
    SendMessageW(list.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, row2);
    SendMessageW(list.Hwnd(), WM_LBUTTONUP, 0, row2);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);
    SendMessageW(list.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, row2);
    SendMessageW(list.Hwnd(), WM_LBUTTONUP, 0, row2);
    EXPECT_EQ(doubleClicks, 1);

    list.SetMultiSelect(true);
    clicks = 0;
    list.SetItemIndex(7);
    EXPECT_EQ(list.ItemIndex(), 7) << "multiple selection moves the caret";
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETSELCOUNT, 0, 0), 0) << "moving the caret selects nothing";
}

TEST_F(VirtualListBoxTest, TypedCharactersAreAnsweredByOnCharToItem) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(50);
    EXPECT_EQ(SendMessageW(parent_, WM_CHARTOITEM, MAKEWPARAM(L'x', 0), reinterpret_cast<LPARAM>(list.Hwnd())), -2)
        << "without a handler: handled, nothing to do";
    SendMessageW(list.Hwnd(), WM_CHAR, L'x', 0);
    EXPECT_EQ(list.ItemIndex(), -1);

    std::vector<wchar_t> typed;
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.OnCharToItem = [&](wchar_t ch, int& index) {
        typed.push_back(ch);
        EXPECT_EQ(index, -1) << "the answer starts as the default action";
        index = ch == L'k' ? 17 : -2;
    };
    SendMessageW(list.Hwnd(), WM_CHAR, L'k', 0);
    ASSERT_EQ(typed.size(), 1u);
    EXPECT_EQ(typed[0], L'k');
    EXPECT_EQ(list.ItemIndex(), 17) << "the answer becomes the current row";
    EXPECT_EQ(clicks, 1);
    SendMessageW(list.Hwnd(), WM_CHAR, L'字', 0);
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_EQ(typed[1], L'字');
    EXPECT_EQ(list.ItemIndex(), 17);

    EXPECT_FALSE(ParentReceived(WM_CHARTOITEM)) << "the list's own characters never reach the parent's handler";

    const auto fromList = reinterpret_cast<LPARAM>(list.Hwnd());
    EXPECT_EQ(SendMessageW(parent_, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), fromList), -1)
        << "keys take the list's default action";
    std::vector<UINT> keys;
    list.OnKeyToItem = [&](UINT key, int& index) {
        keys.push_back(key);
        if (key == VK_DELETE) index = -2;
    };
    EXPECT_EQ(SendMessageW(parent_, WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0), fromList), -2);
    EXPECT_EQ(SendMessageW(parent_, WM_VKEYTOITEM, MAKEWPARAM(VK_DOWN, 0), fromList), -1);
    EXPECT_EQ(keys, (std::vector<UINT>{VK_DELETE, VK_DOWN}));
    HWND other = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 50, 50, parent_, nullptr, nullptr, nullptr);
    SendMessageW(parent_, WM_CHARTOITEM, MAKEWPARAM(L'x', 0), reinterpret_cast<LPARAM>(other));
    EXPECT_TRUE(ParentReceived(WM_CHARTOITEM)) << "other list boxes of the parent are left to it";
    DestroyWindow(other);
}

TEST_F(VirtualListBoxTest, OnScrollCanSuppressTheDefaultScrolling) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(100);
    std::vector<int> codes;
    bool allow = false;
    list.OnScroll = [&](int code, int, bool& doDefault) {
        codes.push_back(code);
        EXPECT_TRUE(doDefault);
        doDefault = allow;
    };
    SendMessageW(list.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(list.TopIndex(), 0);
    allow = true;
    SendMessageW(list.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(list.TopIndex(), 1);
    SendMessageW(list.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    EXPECT_EQ(codes, (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(VirtualListBoxTest, PaintingDrawsTheVisibleRowsWithTheRowColoursSetUp) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(100);
    list.SetTopIndex(5);
    list.SetItemIndex(6);
    std::set<int> drawn;
    int paints = 0;
    list.OnDrawItem = [&](int index, const RECT& rect, UINT state, HDC dc) {
        drawn.insert(index);
        const bool selected = (state & ODS_SELECTED) != 0;
        EXPECT_EQ(selected, index == 6) << index;
        // The window is never focused here: a selected row gets the button face.
        EXPECT_EQ(GetDCBrushColor(dc), GetSysColor(selected ? COLOR_BTNFACE : COLOR_WINDOW)) << index;
        EXPECT_EQ(GetBkColor(dc), GetSysColor(selected ? COLOR_BTNFACE : COLOR_WINDOW)) << index;
        EXPECT_EQ(GetTextColor(dc), GetSysColor(selected ? COLOR_BTNTEXT : COLOR_WINDOWTEXT)) << index;
        EXPECT_EQ(rect.bottom - rect.top, 16);
        SetTextColor(dc, RGB(1, 2, 3));
    };
    list.OnPaint = [&](HDC dc) {
        ++paints;
        EXPECT_NE(GetTextColor(dc), RGB(1, 2, 3)) << "the row's DC was restored";
    };

    // Painting into a DC passed with WM_PAINT (as for printing the window).
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 200);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(list.Hwnd(), WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);

    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    const int visible = (client.bottom + 15) / 16;
    std::set<int> expected;
    for (int i = 5; i < 5 + visible; ++i) expected.insert(i);
    EXPECT_EQ(drawn, expected) << "exactly the visible rows, the partly visible last one included";
    EXPECT_EQ(paints, 1);

    // Painting of a shown window through its update region.
    drawn.clear();
    paints = 0;
    SetWindowPos(parent_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(list.Hwnd(), nullptr, TRUE);
    UpdateWindow(list.Hwnd());
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(paints, 1);
    ShowWindow(parent_, SW_HIDE);
}

TEST_F(VirtualListBoxTest, VariableRowsAreMeasuredByTheOwner) {
    VirtualListBoxArgs args;
    args.style = ListBoxStyle::OwnerDrawVariable;
    args.itemHeight = 20;
    std::vector<int> startHeights;
    ThVirtualListBox& list = MakeList(args);
    list.OnMeasureItem = [&](int, int& height) {
        startHeights.push_back(height);
        height = 33;
    };
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, static_cast<UINT>(kListId), 4, 0, 0, 0};
    EXPECT_EQ(SendMessageW(parent_, WM_MEASUREITEM, kListId, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measure.itemHeight, 33u);
    ASSERT_EQ(startHeights.size(), 1u);
    EXPECT_EQ(startHeights[0], 20) << "the height starts as ItemHeight";
}

}  // namespace
}  // namespace typorama::ui
