// The general listing dialog: texts, buttons, results and its layout.
#include "ui/font_listing_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace typorama::ui {
namespace {

RECT ChildRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring Text(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1024);
    return text;
}

// Shows `dialog` modally and lets `act` work on it once it is up.
INT_PTR ShowWith(TfrmFontListing& dialog, std::function<void(Dialog&)> act) {
    SetModalHook(std::move(act));
    const INT_PTR result = CreateAndShowForm(dialog, nullptr, false, kCenterOnScreen | kShowModal);
    SetModalHook({});
    return result;
}

void Fill(TfrmFontListing& dialog) {
    dialog.Caption = L"Listing & more";
    dialog.TopText = L"Fonts & files above, a line long enough to wrap at least once in a dialog of this width, "
                     L"or maybe twice when the font is narrow.";
    dialog.Names = {L"First Font", L"Second & Third", L"中文字体"};
    dialog.BottomText = L"Choices:\r\n\r\nOne: the first\r\n\r\nTwo: the second";
    dialog.ButtonCaptions = {L"One", L"Two", L"Three"};
}

TEST(FontListingDialog, ShowsTheTextsInOrderWithTheNamesOnePerLine) {
    TfrmFontListing dialog;
        Fill(dialog);
    bool checked = false;
    ShowWith(dialog, [&](Dialog& shown) {
        const HWND window = shown.Handle();
        EXPECT_EQ(Text(window), L"Listing & more");
        EXPECT_EQ(Text(GetDlgItem(window, IDC_LISTING_TOP)), dialog.TopText);
        EXPECT_EQ(Text(GetDlgItem(window, IDC_LISTING_FONTS)), L"First Font\r\nSecond & Third\r\n中文字体");
        EXPECT_EQ(Text(GetDlgItem(window, IDC_LISTING_BOTTOM)), dialog.BottomText);
        for (int id : {IDC_LISTING_TOP, IDC_LISTING_BOTTOM})
            EXPECT_TRUE(GetWindowLongW(GetDlgItem(window, id), GWL_STYLE) & SS_NOPREFIX) << "'&' shown as typed";
        const LONG memo = GetWindowLongW(GetDlgItem(window, IDC_LISTING_FONTS), GWL_STYLE);
        EXPECT_TRUE(memo & ES_READONLY);
        EXPECT_TRUE(memo & WS_VSCROLL);
        EXPECT_FALSE(memo & WS_TABSTOP);
        EXPECT_TRUE(memo & ES_AUTOHSCROLL) << "no word wrap";
        EXPECT_EQ(Text(GetDlgItem(window, IDC_LISTING_BUTTON2)), L"Two");

        const RECT top = ChildRect(window, IDC_LISTING_TOP);
        const RECT fonts = ChildRect(window, IDC_LISTING_FONTS);
        const RECT bottom = ChildRect(window, IDC_LISTING_BOTTOM);
        const RECT one = ChildRect(window, IDC_LISTING_BUTTON1);
        const RECT three = ChildRect(window, IDC_LISTING_BUTTON3);
        EXPECT_LE(top.bottom, fonts.top);
        EXPECT_LE(fonts.bottom, bottom.top);
        EXPECT_LE(bottom.bottom, one.top);
        EXPECT_LT(one.right, three.left) << "buttons in their order";
        HDC dc = GetDC(window);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
        TEXTMETRICW metric{};
        GetTextMetricsW(dc, &metric);
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        EXPECT_GE(bottom.bottom - bottom.top, 5 * metric.tmHeight) << "the bottom text's five lines fit";
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_LE(one.bottom, client.bottom) << "the buttons are inside the window";
        checked = true;
        SendMessageW(window, WM_COMMAND, IDC_LISTING_BUTTON3, 0);
    });
    EXPECT_TRUE(checked);
}

TEST(FontListingDialog, ButtonsGiveTheirResultsAndClosingGivesTheCancelButtons) {
    for (int id : {IDC_LISTING_BUTTON1, IDC_LISTING_BUTTON2, IDC_LISTING_BUTTON3}) {
        TfrmFontListing dialog;
        Fill(dialog);
        EXPECT_EQ(ShowWith(dialog, [id](Dialog& d) { SendMessageW(d.Handle(), WM_COMMAND, id, 0); }), id);
    }
    auto close = [](Dialog& d) { SendMessageW(d.Handle(), WM_CLOSE, 0, 0); };
    auto escape = [](Dialog& d) { SendMessageW(d.Handle(), WM_COMMAND, IDCANCEL, 0); };
    for (const auto& way : {std::function<void(Dialog&)>(close), std::function<void(Dialog&)>(escape)}) {
        TfrmFontListing none;
        Fill(none);
        EXPECT_EQ(ShowWith(none, way), IDCANCEL) << "no cancel button: 2";
        TfrmFontListing marked;
        Fill(marked);
        marked.CancelButton = 1;
        EXPECT_EQ(ShowWith(marked, way), 1001) << "the cancel button's result";
    }
}

TEST(FontListingDialog, DisabledAndUncaptionedButtons) {
    TfrmFontListing dialog;
        Fill(dialog);
    dialog.ButtonEnabled = {false, true, true};
    dialog.ButtonCaptions[2].clear();
    dialog.CancelButton = 1;
    bool visible3 = true, enabled1 = true;
    const INT_PTR result = ShowWith(dialog, [&](Dialog& d) {
        enabled1 = IsWindowEnabled(GetDlgItem(d.Handle(), IDC_LISTING_BUTTON1)) != FALSE;
        visible3 = (GetWindowLongW(GetDlgItem(d.Handle(), IDC_LISTING_BUTTON3), GWL_STYLE) & WS_VISIBLE) != 0;
        EXPECT_EQ(GetFocus(), GetDlgItem(d.Handle(), IDC_LISTING_BUTTON2)) << "the first button that can be pressed";
        SendMessageW(d.Handle(), WM_COMMAND, IDC_LISTING_BUTTON1, 0);  // ignored: disabled
        SendMessageW(d.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(enabled1);
    EXPECT_FALSE(visible3) << "a button without a caption is not shown";
    EXPECT_EQ(result, 1001);
}

}  // namespace
}  // namespace typorama::ui
