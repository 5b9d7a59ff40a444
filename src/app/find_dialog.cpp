#include "app/find_dialog.h"
#include "win/window_text.h"

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
    Text = win::WindowText(Item(IDC_FIND_TEXT));
    FromStart = IsDlgButtonChecked(Handle(), IDC_FIND_FROM_START) == BST_CHECKED;
    End(IDOK);
    return true;
}

}  // namespace typorama::app
