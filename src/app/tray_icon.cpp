#include "app/tray_icon.h"

#include "app/main_window.h"
#include "app/single_instance.h"
#include "ui/message_box.h"
#include "ui/resource.h"

namespace typorama::app {
namespace {

constexpr int kTrayIconId = 1;

// Explorer broadcasts this when it starts; icons it showed before are gone.
constexpr wchar_t kTaskbarCreatedMessageName[] = L"TaskbarCreated";

}  // namespace

TrayIcon::TrayIcon(TfrmMain& host) : host_(host) {
    const HWND window = host.Handle();
    taskbarCreatedMessage_ = RegisterWindowMessageW(kTaskbarCreatedMessageName);
    // Explorer runs without elevation: let its broadcast through to an elevated program.
    if (taskbarCreatedMessage_) ChangeWindowMessageFilterEx(window, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    icon_.cbSize = sizeof icon_;
    icon_.hWnd = window;
    icon_.uID = kTrayIconId;
    icon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon_.uCallbackMessage = kTrayMessage;
    image_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON,
                                               16, 16, LR_DEFAULTCOLOR)));
    // The stock icon is shared and never destroyed; the program's own is owned.
    icon_.hIcon = image_ ? image_.get() : LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon_.szTip, ui::kMessageCaption, ARRAYSIZE(icon_.szTip));

    host.AddMessageHandler([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        result = 0;
        return OnMessage(message, wParam, lParam);
    });
    host.Restoring += [this] {
        if (host_.Settings().minimizeToTray) Remove();
    };
    host.Closing += [this] { Remove(); };
    host.Destroying += [this] { Remove(); };
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    if (message == WM_SIZE) {
        // Hidden only when the icon is there to bring it back; without a
        // notification area it stays minimised on the taskbar. The window
        // goes on with its own handling of the size.
        if (wParam == SIZE_MINIMIZED && host_.Settings().minimizeToTray && Show())
            ShowWindow(host_.Handle(), SW_HIDE);
        return false;
    }
    if (message == kTrayMessage) {
        const UINT mouseMessage = static_cast<UINT>(lParam);
        if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_RBUTTONUP) {
            Remove();
            host_.Restore();
        }
        return true;
    }
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        OnTaskbarCreated();
        return true;
    }
    return false;
}

bool TrayIcon::Call(DWORD message) {
    if (NotifyIcon) return NotifyIcon(message, icon_);
    return Shell_NotifyIconW(message, &icon_) != FALSE;
}

bool TrayIcon::Show() {
    if (!shown_) shown_ = Call(NIM_ADD);
    return shown_;
}

void TrayIcon::Remove() {
    if (!shown_) return;
    Call(NIM_DELETE);
    shown_ = false;
}

void TrayIcon::OnTaskbarCreated() {
    // Explorer started again and forgot the icon; a window hidden in the tray
    // needs it back, or the taskbar's button when it cannot have it.
    if (!shown_) return;
    shown_ = false;
    if (!Show() && !IsWindowVisible(host_.Handle())) ShowWindow(host_.Handle(), SW_SHOWMINNOACTIVE);
}

}  // namespace typorama::app
