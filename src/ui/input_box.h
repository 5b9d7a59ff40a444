// The input box: a caption, a prompt and one line of text to edit.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog.h"
#include "win/unique_handle.h"

namespace typorama::ui {

class InputBox : public Dialog {
public:
    InputBox(std::wstring caption, std::wstring prompt, std::wstring text);

    // The text as it was when the box was closed with OK (or as given).
    const std::wstring& Text() const { return text_; }
    // For tests' modal hooks: types into the edit.
    void SetEditText(const std::wstring& text);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::wstring caption_;
    std::wstring prompt_;
    std::wstring text_;
    win::UniqueFont font_;
};

// Shows the box centred on the screen; true with the edited `text` for OK.
bool InputQuery(HWND owner, const std::wstring& caption, const std::wstring& prompt, std::wstring& text);

}  // namespace typorama::ui
