// The status bar's one owner-drawn panel: the message at the left, then the
// size, filter and tag count slots from the right edge, each with an etched
// edge; the filter and tag slots open their pop-up menus when clicked.
#pragma once

#include <windows.h>

#include "base/list_view_rules.h"
#include "ui/window_base.h"

namespace typorama::app {

class TfrmMain;

// Bound to the status bar by subclassing: the bar's clicks come here, and
// its owner-draw panel is reflected here by the main window.
class StatusBarView : public ui::SubclassedWindow {
public:
    // Draws into the main window's status bar and takes its clicks.
    explicit StatusBarView(TfrmMain& main);

    // Where the four texts go now (measured with the bar's font).
    StatusSlots Layout() const;
    // The slot under a point of the bar's client area (1..3), else -1.
    int SlotAt(POINT client) const { return StatusSlotAt(Layout(), client.x, client.y); }

private:
    void Draw(const DRAWITEMSTRUCT& item) const;
    StatusSlots Layout(HDC dc, const RECT& panel) const;
    // A button pressed over the bar; true when a slot took it.
    bool MouseDown(bool rightButton, POINT client);
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    TfrmMain& main_;
};

}  // namespace typorama::app
