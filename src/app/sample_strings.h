// The user's sample strings: the box cbUserString above the list, whose text
// replaces the font names as the rows' sample (Ctrl+T shows and hides it), its
// pop-up menu (copy, paste, add to the stored strings, edit them, hide) and
// TfrmEditString, the small dialog that enters or changes one stored string.
#pragma once

#include <windows.h>

#include <string>

#include "app/feature.h"
#include "ui/dialog.h"

namespace typorama::app {

class TfrmMain;

// TfrmEditString: one string of at most 30 characters. The caller trims it.
class TfrmEditString : public ui::Dialog {
public:
    explicit TfrmEditString(std::wstring text);
    const std::wstring& Text() const { return text_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::wstring text_;
};

// Shows TfrmEditString modally, centred on `owner`; true with the new text
// (not trimmed) in `text` when the user chose OK.
bool EditSampleString(HWND owner, std::wstring& text);

class SampleStrings : public WindowFeature {
public:
    explicit SampleStrings(TfrmMain& host);
    ~SampleStrings() override;

    // Shows or hides the box; the samples follow.
    void SetVisible(bool visible);
    // Adds the box's trimmed text to the stored strings unless it is empty or
    // stored already (letter case counts); true when it was added.
    bool AddCurrentText();
    // Runs a command of the box's pop-up menu (IDM_USER_STRING_*).
    void RunMenuCommand(UINT id);
    // Whether a command of the pop-up menu is offered now.
    bool MenuCommandEnabled(UINT id) const;

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ShowMenu(POINT screenPoint);
    void RepaintList() const;

    TfrmMain& host_;
    HWND edit_ = nullptr;  // the box's edit field
};

}  // namespace typorama::app
