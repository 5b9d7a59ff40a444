#include "ui/progress_bar_window.h"

#include <commctrl.h>

#include <atomic>

#include "ui/resource.h"

namespace typorama::ui {
namespace {

// One run at a time shows a progress bar; the flag is read and set on the
// interface thread, atomic only so that a worker may poll it too.
std::atomic<bool> cancelRequested{false};

int Scaled(HWND window, int pixels) {
    return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace

bool ProgressCancelRequested() { return cancelRequested.load(); }
void RequestProgressCancel() { cancelRequested.store(true); }

TfrmProgressBar::TfrmProgressBar(std::wstring caption) : Dialog(IDD_PROGRESS_BAR), caption_(std::move(caption)) {
    cancelRequested.store(false);
}

bool TfrmProgressBar::Show(HWND owner) {
    cancelRequested.store(false);
    CenterOver(owner);
    if (!CreateModeless(owner)) return false;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    return true;
}

bool TfrmProgressBar::OnInitDialog() {
    SetWindowTextW(Handle(), caption_.c_str());
    // The bar 10 pixels from the edges and 22 high, the button centred below.
    RECT client{};
    GetClientRect(Handle(), &client);
    const int margin = Scaled(Handle(), 10);
    const int barHeight = Scaled(Handle(), 22);
    MoveWindow(Item(IDC_PROGRESS_METER), margin, margin, client.right - 2 * margin, barHeight, FALSE);
    RECT button{};
    GetWindowRect(Item(IDCANCEL), &button);
    const int buttonWidth = button.right - button.left;
    const int buttonHeight = button.bottom - button.top;
    MoveWindow(Item(IDCANCEL), (client.right - buttonWidth) / 2, margin + barHeight + margin, buttonWidth, buttonHeight,
               FALSE);
    SendMessageW(Item(IDC_PROGRESS_METER), PBM_SETRANGE32, 0, 100);
    return true;
}

void TfrmProgressBar::SetRange(int maximum) {
    SendMessageW(Item(IDC_PROGRESS_METER), PBM_SETRANGE32, 0, maximum > 0 ? maximum : 1);
}

void TfrmProgressBar::SetPosition(int position) { SendMessageW(Item(IDC_PROGRESS_METER), PBM_SETPOS, position, 0); }

int TfrmProgressBar::Position() const {
    return static_cast<int>(SendMessageW(GetDlgItem(Handle(), IDC_PROGRESS_METER), PBM_GETPOS, 0, 0));
}

void TfrmProgressBar::Close() {
    if (Handle()) DestroyWindow(Handle());
}

bool TfrmProgressBar::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    // The button, Enter and Escape ask the run to stop; the run closes the window.
    if (id == IDCANCEL || id == IDOK) {
        RequestProgressCancel();
        return true;
    }
    return false;
}

bool TfrmProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
        result = 0;
        return true;  // refused: only the run closes it
    }
    return false;
}

void PumpWaitingMessages(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (dialog && IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace typorama::ui
