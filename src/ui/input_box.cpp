#include "ui/input_box.h"

#include "ui/resource.h"
#include "win/dpi.h"
#include "win/window_text.h"

namespace typorama::ui {

InputBox::InputBox(std::wstring caption, std::wstring prompt, std::wstring text)
    : Dialog(IDD_INPUT_BOX), caption_(std::move(caption)), prompt_(std::move(prompt)), text_(std::move(text)) {}

void InputBox::SetEditText(const std::wstring& text) { SetDlgItemTextW(Handle(), IDC_INPUT_EDIT, text.c_str()); }

bool InputBox::OnInitDialog() {
    // The template's font has no Chinese glyphs to link to; the message font has.
    font_.reset(win::CreateMessageFontFor(Handle()));
    if (font_)
        for (int id : {IDC_INPUT_PROMPT, IDC_INPUT_EDIT, IDOK, IDCANCEL})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetWindowTextW(Handle(), caption_.c_str());
    SetDlgItemTextW(Handle(), IDC_INPUT_PROMPT, prompt_.c_str());
    SetDlgItemTextW(Handle(), IDC_INPUT_EDIT, text_.c_str());
    SendMessageW(Item(IDC_INPUT_EDIT), EM_SETSEL, 0, -1);
    SetFocus(Item(IDC_INPUT_EDIT));
    return false;  // the focus is in the edit
}

bool InputBox::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id != IDOK) return false;
    text_ = win::WindowText(Item(IDC_INPUT_EDIT));
    End(IDOK);
    return true;
}

bool InputQuery(HWND owner, const std::wstring& caption, const std::wstring& prompt, std::wstring& text) {
    InputBox box(caption, prompt, text);
    if (CreateAndShowForm(box, owner, false, kCenterOnScreen | kShowModal) != IDOK) return false;
    text = box.Text();
    return true;
}

}  // namespace typorama::ui
