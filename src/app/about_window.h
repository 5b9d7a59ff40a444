// The about window TfrmAbout: the about picture in a thin frame, the version
// over it, and the homepage behind the name ribbon at its foot. Any key or a
// click on the picture closes it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog.h"
#include "win/unique_handle.h"

namespace typorama::app {

class TfrmAbout : public ui::Dialog {
public:
    TfrmAbout();

    // "Version 1.2.2 " as lblVersion shows it.
    static std::wstring VersionText();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    win::UniqueBitmap picture_;
    win::UniqueFont font_;
    SIZE pictureSize_{};
};

// Shows the about window centred on the screen, modally.
void ShowAboutWindow(HWND owner);

}  // namespace typorama::app
