// Installing, uninstalling, loading and unloading: of the selected fonts
// (Font menu, button bar, context menu) and of every font file of a folder
// (the four Tools commands, with a progress window that can be cancelled
// between files). Installs go into the machine's installed-font list when
// this user may write it, otherwise into the user's own list and fonts
// folder; what needs administrator rights says so.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/feature.h"
#include "tools/install_rules.h"

namespace typorama::app {
class TfrmMain;
}
namespace typorama::catalog {
class TWorkingList;
}

namespace typorama::tools {

class TfrmFolderChoice;

class InstallCommands : public app::WindowFeature {
public:
    explicit InstallCommands(app::TfrmMain& host);

    void InstallSelected();
    void UninstallSelected();
    void LoadSelected(bool load);
    // The Tools command `op` on `folder` (asked with the folder picker when empty).
    void RunFolderCommand(BatchOp op, std::wstring folder = {}, bool includeSubfolders = false);

    // The folder picker of the Tools commands and of the dialogs' "..."
    // buttons; the program's own unless replaced (tests).
    std::function<bool(HWND owner, std::wstring& folder, bool* includeSubfolders)> PickFolder;
    // The last folder of the Tools folder commands, which the rename commands share.
    std::wstring& LastFolder() { return lastFolder_; }

private:
    // Shows the install or remove dialog for `fonts`; true when answered OK.
    bool AskFolderChoice(TfrmFolderChoice& dialog, catalog::TWorkingList& fonts);
    void Finish();

    app::TfrmMain& host_;
    std::wstring lastFolder_;  // of the Tools commands, for this run only
};

}  // namespace typorama::tools
