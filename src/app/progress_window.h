// TfrmProgress: a small window that says what the program is busy with while
// a search blocks the main window.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog.h"

namespace typorama::app {

class TfrmProgress : public ui::Dialog {
public:
    explicit TfrmProgress(std::wstring caption);

    // Creates the window centred on `owner`, shows it and paints it at once.
    void Show(HWND owner);

protected:
    bool OnInitDialog() override;

private:
    std::wstring caption_;
};

}  // namespace typorama::app
