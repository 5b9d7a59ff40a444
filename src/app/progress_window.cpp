#include "app/progress_window.h"

#include "ui/resource.h"

namespace typorama::app {

TfrmProgress::TfrmProgress(std::wstring caption) : ui::Dialog(IDD_PROGRESS), caption_(std::move(caption)) {}

bool TfrmProgress::OnInitDialog() {
    SetWindowTextW(Handle(), caption_.c_str());
    SetDlgItemTextW(Handle(), IDC_PROGRESS_TEXT, caption_.c_str());
    return false;
}

void TfrmProgress::Show(HWND owner) {
    ui::CreateAndShowForm(*this, owner, false, ui::kCenterOnOwner | ui::kShowModeless);
    if (Handle()) UpdateWindow(Handle());
}

}  // namespace typorama::app
