// The keyboard focus among the main window's parts: Tab and Shift+Tab go
// round the folder tree, the font list, the sample-string box and the
// information pane (those shown), as in other Windows programs; and when the
// window becomes active again (after a dialog, another program, the tray)
// the focus goes back to the part that had it, the list when none did.
#pragma once

#include <windows.h>

#include <vector>

#include "app/feature.h"

namespace typorama::app {

class TfrmMain;

class KeyboardFocus : public WindowFeature {
public:
    explicit KeyboardFocus(TfrmMain& host);

    // The parts that can take the focus now, in Tab order.
    std::vector<HWND> Order() const;
    // Moves the focus to the next part (or the previous one).
    void Move(bool forward);

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Restore();

    TfrmMain& host_;
    HWND saved_ = nullptr;  // the part that had the focus when the window was left
};

}  // namespace typorama::app
