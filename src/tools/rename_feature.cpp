#include "tools/rename_feature.h"

#include "app/font_search.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "catalog/font_registry.h"
#include "tools/file_operation.h"
#include "tools/file_ops_feature.h"
#include "tools/install_feature.h"
#include "tools/list_set_aside.h"
#include "tools/rename_dialog.h"
#include "tools/rename_run.h"
#include "ui/message_box.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

std::u16string_view U16(const std::wstring& text) { return win::AsU16(text); }

std::wstring WithoutBackslash(std::wstring folder) {
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();
    return folder;
}

// The run's questions answered by the conflict dialog and message boxes.
class DialogRenameQuestions : public RenameQuestions {
public:
    DialogRenameQuestions(app::TfrmMain& host, app::TfrmProgress& progress)
        : host_(host), progressWindow_(progress), progress_(progress.Handle()) {}

    // Between files the window's messages run: it repaints, and Cancel or Esc stops the run.
    bool Cancelled() override {
        ui::PumpWaitingMessages(progress_);
        return progressWindow_.CancelRequested();
    }

    RenameClashAnswer AskClash(const RenameClashInfo& clash) override {
        const std::wstring folder = FolderOf(clash.oldPath);
        const std::wstring newName = FileNameOf(clash.newPath);
        const std::wstring message =
            win::FormatRes(IDS_REN_CONFLICT, {U16(FileNameOf(clash.oldPath)), U16(newName), U16(newName),
                                              U16(WithoutBackslash(folder))});
        const std::wstring proposed = win::ToWide(ProposedAlternative(
            U16(clash.fullName), [&folder](const std::u16string& name) { return win::IsFile(folder + win::ToWide(name)); }));
        host_.Beep();
        TfrmConfirmRename dialog(folder, message, proposed);
        const INT_PTR result = ui::CreateAndShowForm(dialog, host_.Handle(), false, ui::kCenterOnOwner | ui::kShowModal);
        // The list behind the dialog repaints before the run goes on.
        InvalidateRect(host_.ListBox().Hwnd(), nullptr, TRUE);
        ui::PumpWaitingMessages(progress_);
        return dialog.Answer(result);
    }

    RenameFailureAnswer AskFailure(const std::wstring& oldPath, const std::wstring& newPath, DWORD error) override {
        const std::wstring reason = win::SystemErrorText(error);
        switch (ui::ShowMessage(host_.Handle(),
                                win::FormatRes(IDS_REN_MOVE_FAILED, {U16(oldPath), U16(newPath), U16(reason)}),
                                MB_ICONERROR | MB_ABORTRETRYIGNORE | MB_DEFBUTTON2)) {
            case IDRETRY: return RenameFailureAnswer::Retry;
            case IDIGNORE: return RenameFailureAnswer::Ignore;
            default: return RenameFailureAnswer::Abort;
        }
    }

private:
    app::TfrmMain& host_;
    app::TfrmProgress& progressWindow_;
    HWND progress_;
};

}  // namespace

RenameCommands::RenameCommands(app::TfrmMain& host) : LogPath(DefaultRenameLogPath), host_(host) {
    app::CommandTable& commands = host.Commands();
    commands.Add(IDM_TOOLS_RENAME, {[this] { Run(false); }, {}, {}});
    // Asked each time the Tools menu opens: undo needs the log.
    commands.Add(IDM_TOOLS_UNDO_RENAME, {[this] { Run(true); }, [this] { return win::IsFile(LogPath()); }, {}});
}

void RenameCommands::Run(bool undo, std::wstring folder, bool includeSubfolders) {
    HWND owner = host_.Handle();
    InstallCommands* install = host_.Feature<InstallCommands>();
    if (folder.empty()) {
        folder = install ? install->LastFolder() : std::wstring();
        if (!install || !install->PickFolder(owner, folder, &includeSubfolders)) return;
    }
    if (folder.back() != L'\\') folder += L'\\';
    if (install) install->LastFolder() = folder;
    const catalog::SystemLocations& where = host_.Where();
    if (includeSubfolders && !ConfirmWholeDrive(owner, folder)) return;
    if (!ConfirmSystemFontsFolder(owner, folder, where)) return;

    // The search runs beside the window, and Cancel ends the command before any file is renamed.
    const std::optional<std::vector<std::wstring>> found =
        app::RunSearch(owner, win::LoadResString(IDS_INS_SEARCHING), false,
                       [folder, includeSubfolders](std::stop_token stop, SearchProgress& searched) {
                           return app::FindFilesOfFolder(folder, kRenameFilePatterns, includeSubfolders, stop,
                                                         searched);
                       });
    if (!found) return;
    const std::vector<std::wstring>& files = *found;
    ListSetAside setAside(host_.FontList());
    app::TfrmProgress progress(win::LoadResString(IDS_INS_SEARCHING));
    EnableWindow(owner, FALSE);
    progress.Show(owner);
    RenameCounts counts;
    std::wstring logPath;
    {
        win::BusyCursor busy;
        if (!files.empty()) {
            logPath = LogPath();
            DialogRenameQuestions questions(host_, progress);
            counts = RunRename(undo, files, logPath, questions, where);
            if (counts.renamed > 0) catalog::BroadcastFontChange();
        }
    }
    if (counts.logError != ERROR_SUCCESS)
        ui::ShowError(owner, win::FormatRes(IDS_REN_LOG_FAILED, {U16(logPath)}));
    if (undo && counts.found > 0)
        ui::ShowInformation(owner, win::FormatRes(IDS_REN_UNDO_COUNTS, {static_cast<std::int64_t>(counts.renamed),
                                                                       static_cast<std::int64_t>(counts.found)}));
    setAside.Restore();
    EnableWindow(owner, TRUE);
    DestroyWindow(progress.Handle());
    host_.UpdateCommandStates();
}

}  // namespace typorama::tools
