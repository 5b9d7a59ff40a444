// TfrmFind: asks for the text to look for in the font names and whether the
// names must start with it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog.h"
#include "ui/resource.h"

namespace typorama::app {

class TfrmFind : public ui::Dialog {
public:
    static constexpr int kMaxLength = 30;

    TfrmFind() : Dialog(IDD_FIND) {}

    // In: what the dialog starts with. Out (after OK): what the user chose;
    // the text as typed, not trimmed.
    std::wstring Text;
    bool FromStart = false;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
};

}  // namespace typorama::app
