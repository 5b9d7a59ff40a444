// What the main window does with the current font itself: the double click
// and Enter on a row (the character map, or the external viewer the options
// name), the shell's Properties sheet of its file (Alt+Enter) and the
// system's font viewer ("查看" in the list's context menu).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/feature.h"

namespace typorama::app {

class TfrmMain;

class CurrentFontCommands : public WindowFeature {
public:
    explicit CurrentFontCommands(TfrmMain& host);

    // The double click on a row and Enter in the list.
    void Open();
    void ShowProperties();
    void View();

    // Shows the shell's sheet for a file (ShellExecuteEx, verb "properties");
    // replaced by tests.
    std::function<bool(const std::wstring& file)> ShowPropertiesSheet;

private:
    // The current font's file; an error box and empty when it has none.
    std::wstring CurrentFile();

    TfrmMain& host_;
};

}  // namespace typorama::app
