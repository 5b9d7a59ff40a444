// Minimising to the notification area: with MinimizeToTray a minimised
// window hides behind an icon that brings it back when clicked. Without a
// notification area (or when Explorer has gone) it stays on the taskbar.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "app/feature.h"
#include "win/unique_handle.h"

namespace typorama::app {

class TfrmMain;

class TrayIcon : public WindowFeature {
public:
    explicit TrayIcon(TfrmMain& host);
    ~TrayIcon() override;

    bool Shown() const { return shown_; }
    // Adds and removes the icon: Shell_NotifyIconW unless replaced (tests make
    // it fail as a missing notification area does).
    std::function<bool(DWORD message, NOTIFYICONDATAW& icon)> NotifyIcon;
    // The registered "TaskbarCreated" message: Explorer started (again).
    UINT TaskbarCreatedMessage() const { return taskbarCreatedMessage_; }

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Show();
    void Remove();
    bool Call(DWORD message);
    void OnTaskbarCreated();

    TfrmMain& host_;
    NOTIFYICONDATAW icon_{};
    win::UniqueIcon image_;
    UINT taskbarCreatedMessage_ = 0;
    bool shown_ = false;
};

}  // namespace typorama::app
