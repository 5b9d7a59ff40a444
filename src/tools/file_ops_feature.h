// The Font menu's file commands: copy to and move to (a browsed folder, the
// destination list, the desktop, the system fonts folder) and delete, also
// on the Delete key of the list. They run the file operation engine with the
// dialogs and message boxes as its questions. The warnings about the folders
// a command works on live here too, for every command that needs them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/feature.h"
#include "catalog/system_locations.h"
#include "tools/file_operation.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::tools {

// The engine's questions answered by the program's windows.
class DialogQuestions : public FileOpQuestions {
public:
    DialogQuestions(HWND owner, const catalog::SystemLocations& where) : owner_(owner), where_(where) {}
    OverwriteAnswer ConfirmOverwrite(const std::wstring& target, const std::wstring& source,
                                     std::wstring& newName) override;
    FailureAnswer ReportFailure(const FileOpFailure& failure) override;
    void ReportScheduled(int count) override;
    KeepInstalledAnswer AskKeepInstalled() override;

private:
    HWND owner_;
    const catalog::SystemLocations& where_;
};

// The message a failure is reported with.
std::wstring FailureText(const FileOpFailure& failure);

// Warnings that return true to proceed. The system fonts folder (compared
// with a trailing backslash, letter case ignored); a whole drive (the folder
// is its own drive); a path whose drive is not fixed (removable, network).
bool ConfirmSystemFontsFolder(HWND owner, const std::wstring& folder,
                              const catalog::SystemLocations& where = catalog::Locations());
bool ConfirmWholeDrive(HWND owner, const std::wstring& folder);
bool ConfirmRemovableMedia(HWND owner, const std::wstring& path);
// The conditions of the first two, without the question.
bool IsSystemFontsFolder(const std::wstring& folder, const catalog::SystemLocations& where);
bool IsWholeDrive(const std::wstring& folder);

class FileOps : public app::WindowFeature {
public:
    explicit FileOps(app::TfrmMain& host);

    // Runs `op` for the tagged fonts, or the current font when none is
    // tagged; a move or delete lists the source again afterwards.
    void RunFileOperation(FileOp op, const std::wstring& destination);
    // The user's desktop folder; the shell's unless replaced (tests).
    std::function<std::wstring()> DesktopFolder;

private:
    void BrowseAndRun(FileOp op);
    void ConfirmAndDelete();

    app::TfrmMain& host_;
};

}  // namespace typorama::tools
