// The no-data list box driven the way its parent window and the user drive it.
#include "ui/virtual_list_box.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <map>
#include <string>
#include <memory>
#include <set>
#include <vector>

#include "support/parent_window.h"
#include "win/com.h"

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

TEST_F(VirtualListBoxTest, WindowIsAnOwnerDrawListWithTheChosenStyles) {
    ThVirtualListBox& list = MakeList();
    const LONG_PTR style = GetWindowLongPtrW(list.Hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & LBS_NODATA);
    EXPECT_TRUE(style & LBS_NOTIFY);
    EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
    EXPECT_TRUE(style & WS_TABSTOP);
    wchar_t className[64]{};
    GetClassNameW(list.Hwnd(), className, 64);
    EXPECT_NE(std::wstring(className).find(L"ListBox"), std::wstring::npos) << "tools know it as a list box";
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetDlgItem(parent_, kListId), list.Hwnd());
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 16);
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
    EXPECT_EQ(list.Hwnd(), before) << "a style change keeps the window";
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    list.SetItemCount(2);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL) << "no scroll bar when all rows fit";
    list.SetDisabledScrollBar(true);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & LBS_DISABLENOSCROLL);
    EXPECT_TRUE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL) << "the disabled scroll bar stays";
    list.SetScrollBar(false);
    EXPECT_FALSE(GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL);
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

TEST_F(VirtualListBoxTest, ItemHeightChangeKeepsCountTopSelectionAndBounds) {
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
    EXPECT_EQ(clicks, 3) << "the double click selected no other row";

    // The list-box queries of tools: no notification, as for a list box.
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_SETCURSEL, 7, 0), 7);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCARETINDEX, 0, 0), 7);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_SETCURSEL, 20, 0), LB_ERR);
    EXPECT_EQ(list.ItemIndex(), 7);
}

TEST_F(VirtualListBoxTest, TypedCharactersAreAnsweredByOnCharToItem) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(50);
    SendMessageW(list.Hwnd(), WM_CHAR, L'x', 0);
    EXPECT_EQ(list.ItemIndex(), -1) << "without a handler: nothing to do";

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

}

TEST_F(VirtualListBoxTest, KeysMoveTheSelectionUnlessTheOwnerTakesThem) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(100);
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    const int page = client.bottom / 16;
    ASSERT_GE(page, 2);
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    const auto press = [&](UINT key) { SendMessageW(list.Hwnd(), WM_KEYDOWN, key, 0); };

    press(VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), 0) << "the first key selects the first row";
    press(VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), 1);
    press(VK_NEXT);
    EXPECT_EQ(list.ItemIndex(), page - 1) << "page down goes to the last row in view first";
    EXPECT_EQ(list.TopIndex(), 0);
    press(VK_NEXT);
    EXPECT_EQ(list.ItemIndex(), 2 * page - 1);
    EXPECT_EQ(list.TopIndex(), page) << "the selection is scrolled into view";
    press(VK_PRIOR);
    EXPECT_EQ(list.ItemIndex(), page) << "page up goes to the top row first";
    press(VK_END);
    EXPECT_EQ(list.ItemIndex(), 99);
    EXPECT_EQ(list.TopIndex(), 100 - page);
    press(VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), 99) << "no row below the last";
    press(VK_HOME);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(clicks, 7) << "one click for each move, none for the key that moved nothing";

    std::vector<UINT> keys;
    list.OnKeyToItem = [&](UINT key, int& index) {
        keys.push_back(key);
        EXPECT_EQ(index, -1) << "the answer starts as the default action";
        if (key == VK_DELETE) index = -2;
        if (key == VK_F2) index = 42;
    };
    press(VK_DELETE);
    press(VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), 1) << "keys the owner leaves alone keep their action";
    press(VK_F2);
    EXPECT_EQ(list.ItemIndex(), 42) << "a row as the answer selects it";
    EXPECT_EQ(keys, (std::vector<UINT>{VK_DELETE, VK_DOWN, VK_F2}));
    EXPECT_EQ(SendMessageW(list.Hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS)
        << "a dialog leaves the arrows and characters to the list";
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
    args.height = 400;
    std::vector<int> startHeights;
    ThVirtualListBox& list = MakeList(args);
    list.OnMeasureItem = [&](int index, int& height) {
        startHeights.push_back(height);
        height = index == 1 ? 300 : 33;
    };
    list.SetItemCount(4);
    EXPECT_EQ(list.ItemRect(0).bottom, 33);
    const RECT second = list.ItemRect(1);
    EXPECT_EQ(second.top, 33);
    EXPECT_EQ(second.bottom, 333);
    EXPECT_EQ(list.ItemAtPos({5, 332}, true), 1);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 1, 0), 300);
    ASSERT_FALSE(startHeights.empty());
    EXPECT_EQ(startHeights[0], 20) << "the height starts as ItemHeight";
    list.ItemRect(2);
    list.ItemAtPos({5, 390}, false);
    EXPECT_EQ(startHeights.size(), 4u) << "each row is measured once";
    list.SetTopIndex(1);
    EXPECT_EQ(list.ItemRect(0).top, -33) << "rows above the top row lie above the client area";
}

// Paints the list into a memory DC, as WM_PRINTCLIENT does, and keeps the
// rectangle each row was drawn in.
std::map<int, RECT> PaintedRows(ThVirtualListBox& list) {
    std::map<int, RECT> rows;
    list.OnDrawItem = [&](int index, const RECT& rect, UINT, HDC dc) {
        rows[index] = rect;
        RECT clip{};
        GetClipBox(dc, &clip);
        EXPECT_TRUE(EqualRect(&clip, &rect) || (clip.top >= rect.top && clip.bottom <= rect.bottom))
            << "row " << index << " is drawn clipped to itself";
    };
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 1200);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(list.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    list.OnDrawItem = nullptr;
    return rows;
}

TEST_F(VirtualListBoxTest, RowsOf300And1000PixelsDrawAndHitTestAtTheirBorders) {
    VirtualListBoxArgs args;
    args.height = 700;
    ThVirtualListBox& list = MakeList(args);
    list.SetItemCount(2);
    list.SetItemHeight(300);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 300);
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    ASSERT_GT(client.bottom, 600);
    std::map<int, RECT> rows = PaintedRows(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].top, 0);
    EXPECT_EQ(rows[0].bottom, 300);
    EXPECT_EQ(rows[1].top, 300);
    EXPECT_EQ(rows[1].bottom, 600);
    EXPECT_EQ(rows[1].right, client.right);
    EXPECT_TRUE(ParentReceived(WM_CTLCOLORLISTBOX)) << "the parent gives the colour below the rows";
    EXPECT_EQ(list.ItemAtPos({5, 299}, true), 0);
    EXPECT_EQ(list.ItemAtPos({5, 300}, true), 1);
    EXPECT_EQ(list.ItemAtPos({5, 599}, true), 1);
    EXPECT_EQ(list.ItemAtPos({5, 600}, true), -1);
    EXPECT_EQ(list.ItemAtPos({5, 600}, false), 2);

    list.SetItemCount(5);
    list.SetItemHeight(1000);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 1000);
    rows = PaintedRows(list);
    ASSERT_EQ(rows.size(), 1u) << "one row fills the list";
    EXPECT_EQ(rows[0].top, 0);
    EXPECT_EQ(rows[0].bottom, 1000);
    EXPECT_EQ(list.ItemAtPos({5, client.bottom - 1}, true), 0);
    list.SetTopIndex(4);
    EXPECT_EQ(list.TopIndex(), 4) << "a row taller than the list is a page of its own";
    RECT rect{};
    ASSERT_NE(SendMessageW(list.Hwnd(), LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&rect)), LB_ERR);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.bottom, 1000);
    EXPECT_EQ(list.ItemRect(3).top, -1000);
    EXPECT_EQ(list.ItemAtPos({5, 0}, true), 4);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 650)), MAKELONG(4, 0));
    list.SetItemIndex(1);
    EXPECT_EQ(list.TopIndex(), 1) << "the selected row is scrolled to the top";
}

TEST_F(VirtualListBoxTest, ScrollPositionsBeyond16BitsReachTheirRows) {
    ThVirtualListBox& list = MakeList();
    list.SetItemCount(100000);
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    const int page = client.bottom / 16;
    list.SetTopIndex(99999);
    EXPECT_EQ(list.TopIndex(), 100000 - page) << "the last page shows the last rows";
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list.Hwnd(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 99999);
    EXPECT_EQ(info.nPos, 100000 - page);
    EXPECT_EQ(static_cast<int>(info.nPage), page);

    // Where the user let go of the thumb: the message's 16 bits hold 70000 - 65536.
    std::vector<int> positions;
    list.OnScroll = [&](int code, int position, bool&) {
        if (code == SB_THUMBPOSITION) positions.push_back(position);
    };
    info.fMask = SIF_POS;
    info.nPos = 70000;
    SetScrollInfo(list.Hwnd(), SB_VERT, &info, FALSE);
    SendMessageW(list.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), 0);
    EXPECT_EQ(list.TopIndex(), 70000);
    EXPECT_EQ(positions, (std::vector<int>{70000}));
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETTOPINDEX, 0, 0), 70000);
    SendMessageW(list.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(list.TopIndex(), 70000 + page);
    list.SetItemIndex(65537);
    EXPECT_EQ(list.TopIndex(), 65537);
    EXPECT_EQ(list.ItemAtPos({5, 1}, true), 65537);
}

TEST_F(VirtualListBoxTest, ScreenReadersSeeAListOfNamedItems) {
    win::ComInitialization com;
    ThVirtualListBox& list = MakeList();
    const std::vector<std::wstring> names{L"Alpha Sans", L"Beta Serif", L"Gamma Mono"};
    list.OnItemName = [&](int index) { return names.at(static_cast<std::size_t>(index)); };
    list.SetItemCount(3);
    list.SetItemIndex(1);

    win::ComPtr<IAccessible> object;
    ASSERT_EQ(AccessibleObjectFromWindow(list.Hwnd(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         object.put_void()),
              S_OK);
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT second = self;
    second.lVal = 2;
    VARIANT role{};
    ASSERT_EQ(object->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
    ASSERT_EQ(object->get_accRole(second, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LISTITEM);
    BSTR name = nullptr;
    ASSERT_EQ(object->get_accName(second, &name), S_OK);
    EXPECT_EQ(std::wstring(name, SysStringLen(name)), L"Beta Serif");
    SysFreeString(name);
    VARIANT state{};
    ASSERT_EQ(object->get_accState(second, &state), S_OK);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_SELECTED);
    VARIANT beyond = self;
    beyond.lVal = 4;
    EXPECT_EQ(object->get_accName(beyond, &name), E_INVALIDARG);
    LONG x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(object->accLocation(&x, &y, &width, &height, second), S_OK);
    POINT origin{0, 16};
    ClientToScreen(list.Hwnd(), &origin);
    EXPECT_EQ(x, origin.x);
    EXPECT_EQ(y, origin.y);
    EXPECT_EQ(height, 16);
    VARIANT hit{};
    ASSERT_EQ(object->accHitTest(origin.x + 3, origin.y + 20, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 3) << "the third item lies under the point";

    list_.reset();
    EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED) << "a list that is gone answers nothing";
}

}  // namespace
}  // namespace typorama::ui
