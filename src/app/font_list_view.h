// The font list view: how lbFontList draws its rows and what it does with
// the mouse, the keys, the wheel and typed letters; and the status bar.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/font_row_painter.h"
#include "app/main_window.h"
#include "app/status_bar_view.h"
#include "ui/hint_window.h"
#include "win/unique_handle.h"

namespace typorama::app {

class TfrmMain::FontListView {
public:
    explicit FontListView(TfrmMain& main);
    FontListView(const FontListView&) = delete;
    FontListView& operator=(const FontListView&) = delete;

    // What every row of the next paint shares (the sample text, colours, marks).
    RowPaintOptions PaintOptions() const;
    // The hint shown while the scroll box is dragged with Ctrl; null when none.
    const ui::HintWindow* ScrollHint() const { return hint_.get(); }
    StatusBarView& StatusBar() { return statusBar_; }

    // Invalidates the check boxes of every row (without erasing).
    void RepaintCheckBoxColumn() const;
    // Invalidates the check box of one row.
    void RepaintCheckBox(int row) const;

private:
    void DrawRow(int index, const RECT& rect, UINT state, HDC dc) const;
    void PaintEmpty(HDC dc) const;
    void SelectionChanged();
    bool ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void MouseDown(bool rightButton, WPARAM keys, POINT point, int anchor);
    void MouseMove(POINT point);
    void Wheel(int delta);
    void CharToItem(wchar_t ch, int& index);
    void Scroll(int code, int position, bool& doDefault);
    void ShowScrollHint(int row);

    TfrmMain& main_;
    win::UniqueBrush backBrush_;  // the list's background beyond the rows
    std::unique_ptr<MarkImages> marks_;
    std::unique_ptr<ui::HintWindow> hint_;
    StatusBarView statusBar_;
    wchar_t pendingHighSurrogate_ = 0;  // first half of a typed character, until its second
};

}  // namespace typorama::app
