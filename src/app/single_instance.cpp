#include "app/single_instance.h"

namespace typorama::app {

bool ActivateRunningInstance() {
    const HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (!running) return false;
    // The first instance must be allowed to take the foreground from us.
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    AllowSetForegroundWindow(processId);
    PostMessageW(running, kActivateMessage, 0, 0);
    return true;
}

}  // namespace typorama::app
