// Dialog windows of the program: a dialog template from the resources bound
// to a C++ object at WM_INITDIALOG (the dialog kind of ui/window_base.h),
// shown modally or modelessly, and the one routine that creates and shows
// them (CreateAndShowForm).
//
// Tests cannot press buttons in a modal loop they do not run; they install a
// modal hook, which gets each modal dialog once it is initialised and may fill
// in its controls and end it (for example by posting WM_COMMAND IDOK).
#pragma once

#include <windows.h>

#include <functional>

#include "ui/window_base.h"

namespace typorama::ui {

class Dialog : public BoundWindow {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    ~Dialog() override;

    HWND Handle() const { return window_; }
    bool IsModal() const { return modal_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // Runs the dialog modally; returns the result given to End (or -1 when
    // the dialog could not be created).
    INT_PTR ShowModal(HWND owner);
    // Creates the dialog modelessly; it stays until DestroyWindow or End.
    HWND CreateModeless(HWND owner);
    // Ends a modal dialog with `result`, destroys a modeless one.
    void End(INT_PTR result);
    INT_PTR Result() const { return result_; }

    // Centre the window on `over` (the screen when null) once it is created.
    void CenterOver(HWND over) {
        centered_ = true;
        centerOver_ = over;
    }
    // Called once the window is initialised (before a modal loop starts).
    std::function<void()> OnCreated;

protected:
    // Return false to keep the focus where OnInitDialog put it.
    virtual bool OnInitDialog() { return true; }
    // A WM_COMMAND; return true when handled. IDOK and IDCANCEL end the
    // dialog with that result unless handled here.
    virtual bool OnCommand(int id, int code, HWND control) {
        (void)id, (void)code, (void)control;
        return false;
    }
    // Any other message; return true with the message's result in `result`
    // when handled (it reaches the system through SetDlgMsgResult).
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }
    // Called after the window is gone (modal or modeless).
    virtual void OnDestroyed() {}

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message was handled, with its result in `result`.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT templateId_;
    bool modal_ = false;
    bool centered_ = false;
    HWND centerOver_ = nullptr;
    INT_PTR result_ = 0;
};

// Gets every modal dialog of the program right after it is initialised
// (tests); an empty hook lets the user answer again.
using ModalHook = std::function<void(Dialog& dialog)>;
void SetModalHook(ModalHook hook);

// The dialog template with this id in the interface's language (Chinese when
// the language has none); null if there is none at all.
const DLGTEMPLATE* DialogTemplate(UINT templateId);

// CreateAndShowForm's flags.
inline constexpr int kCenterOnScreen = 1;
inline constexpr int kCenterOnOwner = 2;
inline constexpr int kShowModeless = 4;
inline constexpr int kShowModal = 8;

// Shows `dialog` for `owner`: centred on the screen or on the owner, modeless
// or modal. With `waitCursor` the application-starting cursor shows while the
// window is created. Returns the modal result, or 0.
INT_PTR CreateAndShowForm(Dialog& dialog, HWND owner, bool waitCursor, int flags);

// Centres `window` on `over` (the screen's work area when null), with
// integer halves of the sizes.
void CenterWindow(HWND window, HWND over);

// With visual styles a tab control's pane is drawn in the window colour, not
// the dialog's: a label or button standing on the pane answers its
// WM_CTLCOLORSTATIC or WM_CTLCOLORBTN with that colour. False without a theme,
// when the dialog's own colour is right.
bool ColorLikeTabPane(HDC dc, LRESULT& result);

}  // namespace typorama::ui
