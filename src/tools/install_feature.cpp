#include "tools/install_feature.h"

#include <shlobj.h>

#include "app/browse_folder_dialog.h"
#include "app/font_search.h"
#include "app/font_selection.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/selection.h"
#include "catalog/font_facts_cache.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "tools/file_operation.h"
#include "tools/file_ops_feature.h"
#include "tools/install_dialogs.h"
#include "tools/list_set_aside.h"
#include "ui/message_box.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

std::u16string U16(const std::wstring& text) { return std::u16string(win::AsU16(text)); }
std::wstring Wide(const std::u16string& text) { return win::ToWide(text); }

// What kept fonts from being registered: rights this user does not have, or
// a name or path from the font that the installed-font list cannot take.
struct Refusals {
    int needsAdministrator = 0;
    int unusable = 0;
};

// Counts a change of the installed-font list that was refused; true when it was made.
bool CountRefusal(const catalog::EntryResult& result, Refusals& refusals) {
    switch (result.status) {
        case catalog::EntryStatus::NeedsAdministrator: ++refusals.needsAdministrator; break;
        case catalog::EntryStatus::NoFullName:
        case catalog::EntryStatus::UnusableName:
        case catalog::EntryStatus::PathTooLong: ++refusals.unusable; break;
        default: break;
    }
    return static_cast<bool>(result);
}

// Installs `file` under `name`: loaded, then registered.
void InstallFile(const std::wstring& name, const std::wstring& file, const catalog::SystemLocations& where,
                 Refusals& refusals) {
    catalog::LoadFont(file, where);
    CountRefusal(catalog::RegisterFont(name, file, where), refusals);
}

void ReportNeedsAdministrator(HWND owner, int count) {
    if (count > 0)
        ui::ShowMessage(owner, win::FormatRes(IDS_INS_NEEDS_ADMIN, {static_cast<std::int64_t>(count)}),
                        MB_ICONEXCLAMATION | MB_OK);
}

void ReportRefusals(HWND owner, const Refusals& refusals) {
    ReportNeedsAdministrator(owner, refusals.needsAdministrator);
    if (refusals.unusable > 0)
        ui::ShowMessage(owner, win::FormatRes(IDS_INS_UNUSABLE_NAME, {static_cast<std::int64_t>(refusals.unusable)}),
                        MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace

InstallCommands::InstallCommands(app::TfrmMain& host) : host_(host) {
    PickFolder = [this](HWND owner, std::wstring& folder, bool* includeSubfolders) {
        bool checked = includeSubfolders && *includeSubfolders;
        const bool ok = app::BrowseForFolder(host_, owner, folder,
                                             includeSubfolders ? win::LoadResString(IDS_INS_SUBFOLDERS) : L"",
                                             includeSubfolders != nullptr, checked);
        if (includeSubfolders) *includeSubfolders = checked;
        return ok && !folder.empty();
    };
    app::CommandTable& commands = host.Commands();
    auto allowed = [&host] { return host.FontCommandsAllowed(); };
    commands.Add(IDM_FONT_INSTALL, {[this] { InstallSelected(); },
                                    [&host, allowed] {
                                        return allowed() && host.FontList().Source() != catalog::SourceKind::System;
                                    },
                                    {}});
    commands.Add(IDM_FONT_UNINSTALL, {[this] { UninstallSelected(); }, allowed, {}});
    commands.Add(IDM_FONT_LOAD, {[this] { LoadSelected(true); }, allowed, {}});
    commands.Add(IDM_FONT_UNLOAD, {[this] { LoadSelected(false); }, allowed, {}});
    for (auto [id, op] : {std::pair{IDM_TOOLS_LOAD, BatchOp::Load}, std::pair{IDM_TOOLS_UNLOAD, BatchOp::Unload},
                          std::pair{IDM_TOOLS_INSTALL, BatchOp::Install},
                          std::pair{IDM_TOOLS_UNINSTALL, BatchOp::Uninstall}})
        commands.Add(id, {[this, op = op] { RunFolderCommand(op); }, {}, {}});
}

void InstallCommands::Finish() {
    catalog::BroadcastFontChange();
    host_.FontList().DropHidden(false);
    host_.Feature<app::Selection>()->RefreshFontList();
}

bool InstallCommands::AskFolderChoice(TfrmFolderChoice& dialog, catalog::TWorkingList& fonts) {
    for (int i = 0; i < fonts.Count(); ++i) dialog.Names.push_back(fonts[i].EntryName());
    dialog.Browse = [this](HWND owner, std::wstring& folder) { return PickFolder(owner, folder, nullptr); };
    return ui::CreateAndShowForm(dialog, host_.Handle(), false, ui::kCenterOnOwner | ui::kShowModal) == IDOK;
}

void InstallCommands::InstallSelected() {
    if (host_.FontList().Source() == catalog::SourceKind::System) return;
    app::Selection& selection = *host_.Feature<app::Selection>();
    catalog::TWorkingList fonts;
    if (!selection.CollectSelectedFonts(fonts, app::SelectMode::TaggedOrCurrent, true)) return;
    fonts.KeepOneFacePerCollection();
    TfrmInstall dialog;
    dialog.ConfirmFirst = [this](HWND owner) { return ConfirmRemovableMedia(owner, host_.FontList().Folder()); };
    if (!AskFolderChoice(dialog, fonts)) return;
    const catalog::SystemLocations& where = host_.Where();
    Refusals refused;
    {
        win::BusyCursor busy;
        if (dialog.Choice() == TfrmFolderChoice::kFirst) {
            for (int i = 0; i < fonts.Count(); ++i) {
                const std::wstring file = fonts[i].FileName();
                if (win::IsFile(file)) InstallFile(fonts[i].EntryName(), file, where, refused);
            }
        } else {
            // Without rights to the machine's list the copies go to the user's own fonts folder.
            TFileOpData data;
            data.destination = dialog.Choice() == TfrmFolderChoice::kSecond ? catalog::InstallFontsFolder(where)
                                                                            : dialog.Folder();
            if (!win::IsFolder(data.destination)) SHCreateDirectoryExW(nullptr, data.destination.c_str(), nullptr);
            data.perFileAction = [&where, &refused](const TFileOpFileData& copied) {
                if (copied.item) InstallFile(copied.item->EntryName(), copied.target, where, refused);
            };
            DialogQuestions questions(host_.Handle(), where);
            FileOperation(fonts, FileOp::Copy, data, questions, {where});
        }
    }
    Finish();
    ReportRefusals(host_.Handle(), refused);
}

void InstallCommands::UninstallSelected() {
    app::Selection& selection = *host_.Feature<app::Selection>();
    catalog::TWorkingList fonts;
    if (!selection.CollectSelectedFonts(fonts)) return;
    if (!selection.ResolveFontFiles(fonts, false)) return;
    fonts.KeepOneFacePerCollection();
    TfrmRemove dialog;
    if (!AskFolderChoice(dialog, fonts)) return;
    const catalog::SystemLocations& where = host_.Where();
    int refused = 0;
    {
        win::BusyCursor busy;
        if (dialog.Choice() == TfrmFolderChoice::kFirst) {
            for (int i = 0; i < fonts.Count(); ++i) {
                const std::wstring file = fonts[i].FileName();
                catalog::UnloadFont(file, where);
                // With the file: every entry of the font that points at it,
                // whatever its form, so that the font does not come back.
                if (catalog::UnregisterFont(fonts[i].EntryName(), file, where).status ==
                    catalog::EntryStatus::NeedsAdministrator)
                    ++refused;
            }
        } else {
            TFileOpData data;
            data.destination = dialog.Folder();
            DialogQuestions questions(host_.Handle(), where);
            FileOperation(fonts,
                          dialog.Choice() == TfrmFolderChoice::kSecond ? FileOp::Delete : FileOp::Move, data,
                          questions, {where});
        }
    }
    Finish();
    ReportNeedsAdministrator(host_.Handle(), refused);
}

void InstallCommands::LoadSelected(bool load) {
    app::Selection& selection = *host_.Feature<app::Selection>();
    catalog::TWorkingList fonts;
    if (!selection.CollectSelectedFonts(fonts)) return;
    fonts.KeepOneFacePerCollection();  // a collection is loaded and unloaded whole, once
    const catalog::SystemLocations& where = host_.Where();
    const bool systemSource = host_.FontList().Source() == catalog::SourceKind::System;
    if (!load && systemSource && !selection.ResolveFontFiles(fonts, false)) return;
    int failed = 0;
    {
        win::BusyCursor busy;
        for (int i = 0; i < fonts.Count(); ++i) {
            catalog::TFontListItem& font = fonts[i];
            const std::wstring file = font.FileName();
            if (load) {
                // Loaded for every program, and no longer the list's to unload
                // when it is rebuilt or the folder is left.
                if (catalog::LoadFont(file, where) && font.LoadedByList) {
                    catalog::UnloadFont(file, where, catalog::FontScope::Private);
                    font.LoadedByList = false;
                }
            } else if (!font.LoadedByList && !catalog::UnloadFont(file, where)) {
                ++failed;
            }
        }
    }
    Finish();
    if (failed > 0)
        ui::ShowMessage(host_.Handle(), win::FormatRes(IDS_INS_UNLOAD_FAILED, {static_cast<std::int64_t>(failed)}),
                        MB_ICONEXCLAMATION | MB_OK);
}

void InstallCommands::RunFolderCommand(BatchOp op, std::wstring folder, bool includeSubfolders) {
    HWND owner = host_.Handle();
    if (folder.empty()) {
        folder = lastFolder_;
        if (!PickFolder(owner, folder, &includeSubfolders)) return;
    }
    lastFolder_ = folder;
    const catalog::SystemLocations& where = host_.Where();
    if (!ConfirmSystemFontsFolder(owner, folder, where)) return;
    if (op == BatchOp::Load || op == BatchOp::Install) {
        if (includeSubfolders && !ConfirmWholeDrive(owner, folder)) return;
        if (!ConfirmRemovableMedia(owner, folder)) return;
    }
    // A whole drive takes a while: the search runs beside the window, and Cancel ends the command.
    const std::optional<std::vector<std::wstring>> found =
        app::RunSearch(owner, win::LoadResString(IDS_INS_SEARCHING), false,
                       [folder, includeSubfolders](std::stop_token stop, SearchProgress& searched) {
                           return app::FindFilesOfFolder(folder, catalog::kFontFilePatterns, includeSubfolders,
                                                         stop, searched);
                       });
    if (!found) return;
    const std::vector<std::wstring>& files = *found;
    ListSetAside setAside(host_.FontList());

    app::TfrmProgress progress(win::LoadResString(IDS_INS_SEARCHING));
    EnableWindow(owner, FALSE);
    progress.Show(owner);
    std::vector<std::u16string> batchFiles;
    for (const std::wstring& file : files) batchFiles.push_back(U16(file));

    BatchCalls calls;
    calls.readInfo = [&where](const std::u16string& file, std::u16string& fullName, std::u16string& familyName) {
        std::vector<catalog::TFontInfo> faces;
        if (catalog::ReadFontFaces(Wide(file), faces, where.systemLanguageId) != catalog::FontFileRead::Read)
            return false;
        familyName = U16(faces.front().FamilyName);
        // A collection is registered under all of its faces' names.
        fullName = U16(catalog::EntryNameOf(faces));
        return true;
    };
    calls.isAvailable = [](const std::u16string& family, const std::u16string& full) {
        return catalog::IsFontAvailable(Wide(family), Wide(full));
    };
    calls.load = [&where](const std::u16string& file) { return catalog::LoadFont(Wide(file), where); };
    calls.unload = [&where](const std::u16string& file) { return catalog::UnloadFont(Wide(file), where); };
    // Refusals are told apart from other failures: they have a remedy the user can take.
    Refusals refusals;
    calls.registerFont = [&where, &refusals](const std::u16string& name, const std::u16string& file) {
        return CountRefusal(catalog::RegisterFont(Wide(name), Wide(file), where), refusals);
    };
    calls.unregisterFont = [&where, &refusals](const std::u16string& name, const std::u16string& file) {
        return CountRefusal(catalog::UnregisterFont(Wide(name), Wide(file), where), refusals);
    };
    // Between files the window's messages run: it repaints, and Cancel or Esc stops the run.
    calls.cancelled = [&progress] {
        ui::PumpWaitingMessages(progress.Handle());
        return progress.CancelRequested();
    };
    calls.progress = [&progress, total = files.size()](std::size_t done) {
        progress.SetLines(win::FormatRes(IDS_INS_PROGRESS, {static_cast<std::int64_t>(done),
                                                            static_cast<std::int64_t>(total)}),
                          L"");
        progress.SetBar(done, total);
    };
    BatchCounts counts;
    if (!batchFiles.empty()) {
        counts = RunBatch(op, batchFiles, calls);
        catalog::BroadcastFontChange();
    }

    setAside.Restore();
    EnableWindow(owner, TRUE);
    DestroyWindow(progress.Handle());
    host_.UpdateCommandStates();

    std::wstring message;
    if (batchFiles.empty()) {
        message = win::LoadResString(IDS_INS_NONE_FOUND);
    } else if (counts.cancelled) {
        message = win::FormatRes(IDS_INS_CANCELLED, {static_cast<std::int64_t>(counts.processed),
                                                     static_cast<std::int64_t>(counts.found)});
    } else {
        message = win::FormatRes(IDS_INS_TOTAL, {static_cast<std::int64_t>(counts.found)}) + L"\r\n" +
                  win::FormatRes(IDS_INS_DONE_COUNTS, {static_cast<std::int64_t>(counts.succeeded),
                                                       static_cast<std::int64_t>(counts.processed)});
    }
    ui::ShowInformation(owner, message);
    ReportRefusals(owner, refusals);
}

}  // namespace typorama::tools
