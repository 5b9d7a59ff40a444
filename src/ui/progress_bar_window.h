// TfrmProgressBar: a small window with a smooth bar and a Cancel button for a
// long run on the interface thread (printing, installing, exporting images).
// Creating it clears the process-wide cancel flag; the button sets it; the
// run polls ProgressCancelRequested() between its steps, letting the window's
// messages through in between. The user cannot close it otherwise.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog.h"

namespace typorama::ui {

// The flag the Cancel button of the open progress bar window sets.
bool ProgressCancelRequested();
void RequestProgressCancel();

class TfrmProgressBar : public Dialog {
public:
    explicit TfrmProgressBar(std::wstring caption);

    // Creates the window centred on `owner` and shows it; clears the flag.
    bool Show(HWND owner);
    // The bar's range (0..`maximum`) and position.
    void SetRange(int maximum);
    void SetPosition(int position);
    int Position() const;
    // Closes the window (the owner of the run does, never the user).
    void Close();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring caption_;
};

// Lets the window messages waiting for this thread run (the progress
// window's Cancel among them); the dialog keys of `dialog` are served.
void PumpWaitingMessages(HWND dialog);

}  // namespace typorama::ui
