// The status bar's one owner-drawn panel: the message at the left, then the
// size, filter and tag count slots from the right edge, each with an etched
// edge; the filter and tag slots open their pop-up menus when clicked.
#pragma once

#include <windows.h>

#include "base/list_view_rules.h"

namespace typorama::app {

class TfrmMain;

class StatusBarView {
public:
    // Draws into the main window's status bar and takes its clicks.
    explicit StatusBarView(TfrmMain& main);
    ~StatusBarView();
    StatusBarView(const StatusBarView&) = delete;
    StatusBarView& operator=(const StatusBarView&) = delete;

    // Where the four texts go now (measured with the bar's font).
    StatusSlots Layout() const;
    // The slot under a point of the bar's client area (1..3), else -1.
    int SlotAt(POINT client) const { return StatusSlotAt(Layout(), client.x, client.y); }

private:
    void Draw(const DRAWITEMSTRUCT& item) const;
    StatusSlots Layout(HDC dc, const RECT& panel) const;
    // A button pressed over the bar; true when a slot took it.
    bool MouseDown(bool rightButton, POINT client);
    static LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    TfrmMain& main_;
    HWND bar_;
};

}  // namespace typorama::app
