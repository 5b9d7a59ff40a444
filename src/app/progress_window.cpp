#include "app/progress_window.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "ui/resource.h"
#include "win/resource_strings.h"

namespace typorama::app {

TfrmProgress::TfrmProgress(std::wstring caption) : ui::Dialog(IDD_PROGRESS), caption_(std::move(caption)) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
}

bool TfrmProgress::OnInitDialog() {
    SetWindowTextW(Handle(), caption_.c_str());
    SetDlgItemTextW(Handle(), IDC_PROGRESS_TEXT, caption_.c_str());
    SetLines({}, {});
    SetBar(0, 0);
    return false;
}

void TfrmProgress::Show(HWND owner) {
    ui::CreateAndShowForm(*this, owner, false, ui::kCenterOnOwner | ui::kShowModeless);
    if (Handle()) UpdateWindow(Handle());
}

void TfrmProgress::SetLine(int id, const std::wstring& text) {
    const HWND line = Item(id);
    if (!line) return;
    SetWindowTextW(line, text.c_str());
    ShowWindow(line, text.empty() ? SW_HIDE : SW_SHOWNA);
}

void TfrmProgress::SetLines(const std::wstring& first, const std::wstring& second) {
    SetLine(IDC_PROGRESS_FOUND, first);
    SetLine(IDC_PROGRESS_READ, second);
}

void TfrmProgress::SetBar(std::size_t position, std::size_t range) {
    const HWND bar = Item(IDC_PROGRESS_BAR);
    if (!bar) return;
    // The control counts in int: larger counts are scaled down together.
    while (range > static_cast<std::size_t>(INT_MAX)) {
        range /= 2;
        position /= 2;
    }
    SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(range));
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(std::min(position, range)), 0);
    ShowWindow(bar, range == 0 ? SW_HIDE : SW_SHOWNA);
}

void TfrmProgress::RequestCancel() {
    if (cancelRequested_) return;
    cancelRequested_ = true;
    EnableWindow(Item(IDCANCEL), FALSE);
    SetDlgItemTextW(Handle(), IDC_PROGRESS_TEXT, win::LoadResString(IDS_BROWSE_CANCELLING).c_str());
    if (OnCancel) OnCancel();
}

bool TfrmProgress::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    // Cancel asks the work to stop; the window goes when its owner ends it.
    if (id != IDCANCEL) return false;
    RequestCancel();
    return true;
}

bool TfrmProgress::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam, (void)lParam;
    if (message != WM_CLOSE) return false;
    RequestCancel();
    result = 0;
    return true;
}

}  // namespace typorama::app
