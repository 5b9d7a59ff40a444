// ThButtonEdit: a single-line edit with a push button drawn inside its right
// edge (three small dots near its bottom), as wide as a vertical scroll bar.
// The button lives in the edit's non-client area, so that the edit's own
// drawing of its text never paints over it; there the cursor is the arrow.
// Releasing a click on the button, or Enter in the field (the key goes no
// further, so the dialog's default button is not pressed), raises
// OnButtonClick.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/window_base.h"

namespace typorama::ui {

class ThButtonEdit : public SubclassedWindow {
public:
    ThButtonEdit() = default;

    // Takes over an edit of a dialog template; false when it cannot.
    bool AttachEdit(HWND edit);
    HWND Handle() const { return window_; }
    // Where the button is, in screen coordinates (empty without a window).
    RECT ButtonRect() const;
    bool Pressed() const { return pressed_; }

    std::function<void()> OnButtonClick;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int ButtonWidth() const;
    bool OverButton(POINT screen) const;
    void SetPressed(bool pressed);
    void PaintButton();
    void Click();

    bool tracking_ = false;  // the left button went down on our button and is held
    bool pressed_ = false;
};

}  // namespace typorama::ui
