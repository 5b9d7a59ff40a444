// TfrmProgress: a small modeless window that says what the program is busy
// with while a search runs on a worker thread: a line of counts or two, a bar
// and a Cancel button. The main window stays disabled meanwhile.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "ui/dialog.h"

namespace typorama::app {

class TfrmProgress : public ui::Dialog {
public:
    explicit TfrmProgress(std::wstring caption);

    // Creates the window centred on `owner`, shows it and paints it at once.
    void Show(HWND owner);
    // The lines under the caption; an empty line is hidden.
    void SetLines(const std::wstring& first, const std::wstring& second);
    // The bar filled `position` parts of `range`; hidden while the range is 0.
    void SetBar(std::size_t position, std::size_t range);

    // Whether Cancel was pressed (the button, Escape or closing the window);
    // the button is disabled from then on and the top line says so.
    bool CancelRequested() const { return cancelRequested_; }
    // Called once, when Cancel is first pressed.
    std::function<void()> OnCancel;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void RequestCancel();
    void SetLine(int id, const std::wstring& text);

    std::wstring caption_;
    bool cancelRequested_ = false;
};

}  // namespace typorama::app
