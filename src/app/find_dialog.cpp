#include "app/find_dialog.h"

#include <windowsx.h>

namespace typorama::app {

bool TfrmFind::OnInitDialog() {
    const HWND edit = Item(IDC_FIND_TEXT);
    Edit_LimitText(edit, kMaxLength);
    SetWindowTextW(edit, Text.c_str());
    CheckRadioButton(Handle(), IDC_FIND_CONTAINS, IDC_FIND_FROM_START,
                     FromStart ? IDC_FIND_FROM_START : IDC_FIND_CONTAINS);
    SetFocus(edit);
    Edit_SetSel(edit, 0, -1);
    return false;
}

bool TfrmFind::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id != IDOK) return false;
    const HWND edit = Item(IDC_FIND_TEXT);
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    Text = std::move(text);
    FromStart = IsDlgButtonChecked(Handle(), IDC_FIND_FROM_START) == BST_CHECKED;
    End(IDOK);
    return true;
}

}  // namespace typorama::app
