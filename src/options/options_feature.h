// The options: the dialog's four ways in (Tools > Options, the sample
// strings' pop-up, Run > configure programs, Favourites > organise) and the
// place of the shell's folder entry, which tests point at scratch keys.
#pragma once

#include <windows.h>

#include <string>

#include "app/feature.h"
#include "options/options_dialog.h"
#include "options/shell_entry.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::options {

class OptionsFeature : public app::WindowFeature {
public:
    explicit OptionsFeature(app::TfrmMain& host);

    // Where the shell entry is kept and the program it starts.
    ShellEntryPlaces ShellPlaces;
    std::wstring ProgramPath;

    // Shows the dialog on `page`; `alone` hides the other pages' tabs and
    // the defaults button. The wait cursor shows while it is made; it is
    // centred over the main window and modal.
    void Open(OptionsPage page, bool alone);

private:
    app::TfrmMain& host_;
};

// The dialog as the main window's commands open it.
void OpenOptionsDialog(app::TfrmMain& main, OptionsPage page, bool alone);

}  // namespace typorama::options
