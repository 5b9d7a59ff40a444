// TfrmFontListing: a general dialog that lists font names between an
// explanation above and one below, with up to three buttons whose captions
// the caller chooses. Commands use it to tell the user about fonts they
// cannot work on and to let them choose how to go on.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/resource.h"

namespace typorama::ui {

class TfrmFontListing : public Dialog {
public:
    // The modal results of the three buttons.
    static constexpr INT_PTR kButton1 = IDC_LISTING_BUTTON1;  // 1000
    static constexpr INT_PTR kButton2 = IDC_LISTING_BUTTON2;  // 1001
    static constexpr INT_PTR kButton3 = IDC_LISTING_BUTTON3;  // 1002

    TfrmFontListing() : Dialog(IDD_FONT_LISTING) {}

    std::wstring Caption;
    std::wstring TopText;               // lblTop, word-wrapped, '&' shown as typed
    std::vector<std::wstring> Names;    // txtFonts, one name per line
    std::wstring BottomText;            // lblBottom, word-wrapped, '&' shown as typed
    // but1..but3; a button with an empty caption is not shown.
    std::array<std::wstring, 3> ButtonCaptions;
    std::array<bool, 3> ButtonEnabled{true, true, true};
    // The button (0..2) whose result Escape and closing the window give;
    // -1: none, they give IDCANCEL (2).
    int CancelButton = -1;

    // What Escape or closing the window gives.
    INT_PTR CancelResult() const { return CancelButton >= 0 && CancelButton < 3 ? kButton1 + CancelButton : IDCANCEL; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout();
};

}  // namespace typorama::ui
