// The font list view: how lbFontList draws its rows and what it does with
// the mouse, the keys, the wheel and typed letters; the sample size and what
// each row shows; and the status bar's drawing and clicks.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/feature.h"
#include "app/font_row_painter.h"
#include "app/status_bar_view.h"
#include "ui/hint_window.h"
#include "win/unique_handle.h"

namespace typorama::app {

class TfrmMain;

class FontListView : public WindowFeature {
public:
    explicit FontListView(TfrmMain& host);

    // What every row of the next paint shares (the sample text, colours, marks).
    RowPaintOptions PaintOptions() const;
    // The hint shown while the scroll box is dragged with Ctrl; null when none.
    const ui::HintWindow* ScrollHint() const { return hint_.get(); }
    StatusBarView& StatusBar() { return statusBar_; }

    // Sample height S in pixels: the list's rows are S (+10 with the name
    // line) high; the size slot of the status bar follows.
    void SetFontSize(int size);
    // Applies a size typed or chosen by the user (trimmed; a non-number is 36;
    // kept within 20..1000).
    void ApplyFontSizeText(const std::wstring& text);
    // Inverts the tag of a valid row and repaints its check box.
    void ToggleTag(int row);

    // Invalidates the check boxes of every row (without erasing).
    void RepaintCheckBoxColumn() const;
    // Invalidates the check box of one row.
    void RepaintCheckBox(int row) const;

    // The shift-click anchor and the hovered row (-1 = none); a new list has neither.
    int ShiftClickAnchor() const { return shiftClickAnchor_; }
    int HoveredRow() const { return hoveredRow_; }
    // What the tip says of the check box or install mark under `point` (in
    // the list's client coordinates); empty elsewhere.
    std::wstring MarkTipAt(POINT point) const;

private:
    void RegisterCommands();
    void DrawRow(int index, const RECT& rect, UINT state, HDC dc) const;
    void PaintEmpty(HDC dc) const;
    void SelectionChanged();
    bool ListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void MouseDown(bool rightButton, WPARAM keys, POINT point, int anchor);
    void MouseMove(POINT point);
    void CreateMarkTips();
    void Wheel(int delta, bool control);
    void CharToItem(wchar_t ch, int& index);
    void Scroll(int code, int position, bool& doDefault);
    void ShowScrollHint(int row);

    TfrmMain& host_;
    win::UniqueBrush backBrush_;  // the list's background beyond the rows
    std::unique_ptr<MarkImages> marks_;
    std::unique_ptr<ui::HintWindow> hint_;
    HWND markTips_ = nullptr;  // owned by the main window, destroyed with it
    std::wstring markTip_;     // the text the tip shows now
    StatusBarView statusBar_;
    int shiftClickAnchor_ = -1;
    int hoveredRow_ = -1;
    wchar_t pendingHighSurrogate_ = 0;  // first half of a typed character, until its second
};

}  // namespace typorama::app
