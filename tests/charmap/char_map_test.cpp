// The character grid driven as the user drives it: keys, clicks and drags.
#include "charmap/char_map.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/parent_window.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::charmap {
namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

// Pixels of the control's top-left cell that differ from the background.
int InkInFirstCell(ThCharMap& map) {
    HDC screen = GetDC(nullptr);
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 400, 400));
    ReleaseDC(nullptr, screen);
    win::MemoryDC dc(nullptr, bitmap.get());
    SendMessageW(map.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    const COLORREF back = GetPixel(dc.get(), map.CellWidth() / 2, map.CellHeight() / 2);
    int ink = 0;
    for (int y = 1; y < map.CellHeight(); ++y)
        for (int x = 1; x < map.CellWidth(); ++x) ink += GetPixel(dc.get(), x, y) != back;
    return ink;
}

TEST(CharMap, FollowsKeysClicksAndDragsAndShowsLabelsOnlyInWideCells) {
    test::ParentWindow parent;
    if (!parent.get()) GTEST_SKIP() << "no display driver: windows cannot be created in this Wine prefix";
    ThCharMap map({parent.get(), 100, 5, 7});
    ASSERT_TRUE(map.Hwnd());
    std::vector<int> events;
    map.OnCharChange = [&](int code) { events.push_back(code); };
    RECT rect{};
    GetWindowRect(map.Hwnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, 321);
    EXPECT_EQ(rect.bottom - rect.top, 281);
    EXPECT_EQ(SendMessageW(map.Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);

    map.SetCurrentCell(99, 0);
    EXPECT_EQ(map.CurrentCell(), (GridCell{16, 1}));
    EXPECT_EQ(map.GetCurrentChar(), 47);
    SendMessageW(map.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(events, std::vector<int>{47}) << "Right on column 16 neither moves nor raises an event";
    SendMessageW(map.Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(map.GetCurrentChar(), 63);
    EXPECT_EQ(map.PreviousCell(), (GridCell{16, 1}));

    // Left button: the enlarged character, following the mouse inside the grid only.
    SendMessageW(map.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2 * 20 + 3, 20 + 3));
    EXPECT_EQ(map.CurrentCell(), (GridCell{3, 2}));
    EXPECT_TRUE(map.BigCharShown());
    SendMessageW(map.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(5 * 20, 20));
    EXPECT_EQ(map.CurrentCell(), (GridCell{6, 2}));
    SendMessageW(map.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(-4, 20));
    SendMessageW(map.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(320, 20));
    EXPECT_EQ(map.CurrentCell(), (GridCell{6, 2})) << "outside the grid the last cell inside stays";
    SendMessageW(map.Hwnd(), WM_LBUTTONUP, 0, At(320, 20));
    EXPECT_FALSE(map.BigCharShown());

    // Ctrl + left click and a right click move the cell, nothing more.
    SendMessageW(map.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(1, 1));
    EXPECT_EQ(map.GetCurrentChar(), 32);
    EXPECT_FALSE(map.BigCharShown());
    SendMessageW(map.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, At(100, 100));
    EXPECT_EQ(map.GetCurrentChar(), 32) << "no following without the enlarged character";
    SendMessageW(map.Hwnd(), WM_LBUTTONUP, MK_CONTROL, At(100, 100));
    SendMessageW(map.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(15 * 20 + 1, 13 * 20 + 1));
    EXPECT_EQ(map.GetCurrentChar(), 255);
    EXPECT_EQ(map.GetAltKeyText(), L"Alt + 0255");
    EXPECT_FALSE(map.BigCharShown());
    SendMessageW(map.Hwnd(), WM_RBUTTONUP, 0, 0);
    SendMessageW(map.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(16 * 20, 0));
    EXPECT_EQ(map.GetCurrentChar(), 255) << "the closing grid line is in no cell";
    SendMessageW(map.Hwnd(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(events, (std::vector<int>{47, 63, 50, 53, 32, 255}));

    // Labels: the top-left cell holds a space, so any ink in it is its label.
    LOGFONTW font{};
    wcscpy_s(font.lfFaceName, L"Tahoma");
    map.SetCharFont(font);
    map.SetCellWidth(35);
    GetWindowRect(map.Hwnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, 35 * 16 + 1);
    EXPECT_EQ(InkInFirstCell(map), 0) << "35 pixels are too narrow for labels";
    map.SetCellWidth(36);
    EXPECT_GT(InkInFirstCell(map), 0) << "the decimal label 32";
    map.SetLabelMode(CodeLabelMode::None);
    EXPECT_EQ(InkInFirstCell(map), 0);
}

}  // namespace
}  // namespace typorama::charmap
