// The Tools menu's rename of a folder's TrueType files to their fonts' full
// names, and its undo from the log. The folder comes from the folder picker
// (starting at the Tools commands' last folder); conflicts are settled in
// TfrmConfirmRename, failed moves with Abort, Retry and Ignore.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::tools {

class RenameCommands : public app::WindowFeature {
public:
    explicit RenameCommands(app::TfrmMain& host);

    // The rename or undo command on `folder` (asked with the folder picker when empty).
    void Run(bool undo, std::wstring folder = {}, bool includeSubfolders = false);

    // Where the log is kept; the program's place unless replaced (tests).
    std::function<std::wstring()> LogPath;

private:
    app::TfrmMain& host_;
};

}  // namespace typorama::tools
