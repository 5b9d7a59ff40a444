// ThDragListBox: a list box whose rows the user reorders by dragging one onto
// another and deletes with the Delete key. The rows keep their texts and item
// data; the owner keeps whatever lies behind them in step through the events.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/window_base.h"

namespace typorama::options {

class ThDragListBox : public ui::SubclassedWindow {
public:
    // Takes over a list box of a dialog.
    bool Attach(HWND list) { return SubclassedWindow::Attach(list); }
    HWND Hwnd() const { return window_; }

    int Count() const;
    int Selected() const;
    void Select(int row);
    // Moves row `from` to position `to` and selects it.
    void MoveRow(int from, int to);
    // Deletes the selected row when allowed (beep when none is selected) and
    // selects the following row or the new last one.
    void DeleteSelected();

    std::function<void(int from, int to)> OnAfterReorder;
    // Asked before a deletion; set `allow` false to keep the row.
    std::function<void(int row, bool& allow)> OnDeleteQuery;
    std::function<void()> Beep = [] { MessageBeep(MB_OK); };

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The row under a client point; -1 below the last row.
    int RowAt(POINT point) const;

    int dragFrom_ = -1;
    POINT pressedAt_{};
    bool dragging_ = false;
};

}  // namespace typorama::options
