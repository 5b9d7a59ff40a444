#include "tools/file_operation.h"

#include <array>
#include <optional>
#include <vector>

#include "base/file_name_rules.h"
#include "catalog/font_facts_cache.h"
#include "catalog/font_registry.h"
#include "tools/saved_entries.h"
#include "win/folders.h"
#include "win/registry.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

using catalog::SystemLocations;

// The size "wininit.ini"'s section is read with; older systems read no more.
constexpr DWORD kWininitSectionChars = 30000;

enum class DeleteOutcome { Deleted, Scheduled, Failed };

struct DeleteResult {
    DeleteOutcome outcome = DeleteOutcome::Failed;
    DWORD error = ERROR_SUCCESS;
};

// Whether a moved font's entry followed it to the copy.
enum class KeepResult { NotInstalled, Kept, Failed };

class Run {
public:
    Run(FileOp op, const TFileOpData& data, FileOpQuestions& questions, const FileOpPlaces& places)
        : op_(op), data_(data), questions_(questions), places_(places), destination_(data.destination) {
        if (!destination_.empty() && destination_.back() != L'\\') destination_ += L'\\';
        destinationFixed_ = op_ != FileOp::Delete && IsOnFixedDrive(destination_);
    }

    // False when the run ends here (Cancel, Abort).
    bool Item(catalog::TFontListItem& item);
    void End();

private:
    // Unloads and unregisters the font of `file`, then deletes the file. When
    // the file stays, so do its registration and its place in the font table,
    // unless `keptInstalled` moved both to the copy.
    // `shownByList`: the font list loaded the font for this program only, to
    // draw it; that load keeps the file open as well.
    DeleteResult DeleteFontFile(const std::wstring& file, const std::wstring& name, bool keptInstalled,
                                bool shownByList);
    // Loads the copy in place of the old file and moves the font's entry to
    // it; true when the entry moved.
    struct Kept {
        KeepResult result = KeepResult::NotInstalled;
        DWORD error = ERROR_SUCCESS;  // why it did not, when Failed
        Kept(KeepResult r = KeepResult::NotInstalled, DWORD e = ERROR_SUCCESS) : result(r), error(e) {}
    };
    Kept KeepInstalled(catalog::TFontListItem& item, const std::wstring& source, const std::wstring& target);

    FileOp op_;
    const TFileOpData& data_;
    FileOpQuestions& questions_;
    const FileOpPlaces& places_;
    std::wstring destination_;
    bool destinationFixed_ = false;
    bool overwriteAll_ = false;
    bool skipAll_ = false;
    std::vector<std::wstring> pendingOld_;  // for "wininit.ini": systems outside the NT family
    int scheduled_ = 0;
};

DeleteResult Run::DeleteFontFile(const std::wstring& file, const std::wstring& name, bool keptInstalled,
                                 bool shownByList) {
    const SystemLocations& where = places_.where;
    const bool unloadedPrivate = shownByList && catalog::UnloadFont(file, where, catalog::FontScope::Private);
    const bool unloaded = catalog::UnloadFont(file, where);
    const SavedEntries saved = SavedEntries::Read(name, where);
    const catalog::EntryResult removed = catalog::UnregisterFont(name, file, where);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    // The file stays, so it stays as it was: a font left unregistered and
    // unloaded although its file is still there would simply be lost.
    auto stays = [&](DWORD error) {
        if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(file.c_str(), attributes);
        if (removed) saved.Restore();
        if (unloaded && !keptInstalled) catalog::LoadFont(file, where);
        if (unloadedPrivate) catalog::LoadFont(file, where, catalog::FontScope::Private);
        return DeleteResult{DeleteOutcome::Failed, error};
    };
    // An entry this user may not remove would be left naming a file that is gone.
    if (removed.status == catalog::EntryStatus::NeedsAdministrator) return stays(ERROR_ACCESS_DENIED);
    // Read-only files are deleted too: the user asked for the file to go.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(file.c_str())) {
        catalog::FactsCache().Forget(file);
        return {DeleteOutcome::Deleted, ERROR_SUCCESS};
    }
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        // A file the system holds open: it can only go at the next start.
        if (!where.isNT) {
            pendingOld_.push_back(file);
            ++scheduled_;
            return {DeleteOutcome::Scheduled, ERROR_SUCCESS};
        }
        if (MoveFileExW(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            ++scheduled_;
            return {DeleteOutcome::Scheduled, ERROR_SUCCESS};
        }
        error = GetLastError();  // scheduling needs administrator rights
    }
    return stays(error);
}

Run::Kept Run::KeepInstalled(catalog::TFontListItem& item, const std::wstring& source, const std::wstring& target) {
    const SystemLocations& where = places_.where;
    // Items listed from the system never carry the flag; the list may also
    // be older than the entry. Asked anew from the installed-font list.
    // A collection's entry is named after all of its faces.
    const std::wstring name = item.EntryName();
    item.InstalledFromThisFile = catalog::GetInstallState(name, source, where).fromThisFile;
    // The old file leaves the font table before the copy joins it: a system
    // that already has the font may take the copy's load as a repeat and drop
    // it (Wine does), and the old file's unload would then take the font away.
    catalog::UnloadFont(source, where);
    catalog::LoadFont(target, where);
    if (!item.InstalledFromThisFile) return KeepResult::NotInstalled;
    // The entry cannot point at two files: it goes from the old file to the
    // new one, and back when the new one cannot be registered.
    const SavedEntries saved = SavedEntries::Read(name, where);
    const catalog::EntryResult removed = catalog::UnregisterFont(name, source, where);
    const catalog::EntryResult registered = removed ? catalog::RegisterFont(name, target, where) : removed;
    if (registered) return KeepResult::Kept;
    if (removed) saved.Restore();
    switch (registered.status) {
        case catalog::EntryStatus::NeedsAdministrator: return {KeepResult::Failed, ERROR_ACCESS_DENIED};
        case catalog::EntryStatus::PathTooLong: return {KeepResult::Failed, ERROR_FILENAME_EXCED_RANGE};
        case catalog::EntryStatus::OtherFilesEntry: return {KeepResult::Failed, ERROR_ALREADY_EXISTS};
        default: return {KeepResult::Failed, ERROR_ACCESS_DENIED};
    }
}

bool Run::Item(catalog::TFontListItem& item) {
    FileOpResult result;
    result.item = &item;
    result.source = item.FileName();
    if (result.source.empty()) {
        questions_.FileDone(result);
        return true;
    }
    const std::wstring& source = result.source;
    bool skip = skipAll_;
    bool copied = false;  // a Retry after a failed deletion does not copy again
    Kept kept;
    for (;;) {
        std::optional<FileOpFailure> failure;
        if (op_ == FileOp::Delete) {
            DeleteResult deleted = DeleteFontFile(source, item.EntryName(), false, item.LoadedByList);
            if (deleted.outcome == DeleteOutcome::Failed)
                failure = FileOpFailure{FileOpFailure::Kind::Delete, source, {}, deleted.error};
            else
                result.action = deleted.outcome == DeleteOutcome::Deleted ? FileOpResult::Action::Deleted
                                                                          : FileOpResult::Action::Scheduled;
        } else {
            if (!copied) {
                result.target = destination_ + FileNameOf(source);
                result.action = FileOpResult::Action::Skipped;
                // A copy into the file's own folder would be the file itself.
                if (win::EqualNoCase(FolderOf(result.target), FolderOf(source))) skip = true;
                bool renamed = false;
                while (!skip && !overwriteAll_ && win::IsFile(result.target)) {
                    std::wstring newName;
                    OverwriteAnswer answer = questions_.ConfirmOverwrite(result.target, source, newName);
                    if (answer == OverwriteAnswer::YesAll) overwriteAll_ = true;
                    if (answer == OverwriteAnswer::Skip || answer == OverwriteAnswer::SkipAll) {
                        skip = true;
                        result.clashed = true;
                    }
                    if (answer == OverwriteAnswer::SkipAll) skipAll_ = true;
                    if (answer == OverwriteAnswer::Cancel) {
                        result.clashed = true;
                        questions_.FileDone(result);
                        return false;
                    }
                    if (answer == OverwriteAnswer::Rename) {
                        if (CheckRenameTarget(FolderOf(result.target), newName) != RenameProblem::None) continue;
                        result.target = FolderOf(result.target) + newName;
                        renamed = true;
                    }
                    break;
                }
                if (skip) break;
                // A copy keeps the source's size and write time: what the
                // program knew of a file replaced here could pass for it.
                catalog::FactsCache().Forget(result.target);
                if (!CopyFileW(source.c_str(), result.target.c_str(), FALSE)) {
                    failure = FileOpFailure{FileOpFailure::Kind::Copy, source, destination_, GetLastError()};
                } else {
                    copied = true;
                    result.action = renamed ? FileOpResult::Action::Renamed
                                  : op_ == FileOp::Move ? FileOpResult::Action::Moved
                                                         : FileOpResult::Action::Copied;
                    if (op_ == FileOp::Move && data_.keepInstalled && destinationFixed_)
                        kept = KeepInstalled(item, source, result.target);
                }
            }
            if (copied && op_ == FileOp::Move && kept.result == KeepResult::Failed) {
                // The entry could not follow the copy: the source stays, and the
                // font stays installed from it, rather than being uninstalled.
                failure = FileOpFailure{FileOpFailure::Kind::DeleteAfterCopy, source, destination_, kept.error};
            } else if (copied && op_ == FileOp::Move) {
                DeleteResult deleted = DeleteFontFile(source, item.EntryName(), kept.result == KeepResult::Kept,
                                                      item.LoadedByList);
                if (deleted.outcome == DeleteOutcome::Failed)
                    failure = FileOpFailure{FileOpFailure::Kind::DeleteAfterCopy, source, destination_, deleted.error};
            }
            if (copied && !failure && data_.perFileAction) data_.perFileAction({source, result.target, &item});
        }
        if (!failure) break;
        const FailureAnswer answer = questions_.ReportFailure(*failure);
        if (answer == FailureAnswer::Retry) continue;
        result.action = FileOpResult::Action::Failed;
        result.error = failure->error;
        questions_.FileDone(result);
        return answer != FailureAnswer::Abort;
    }
    questions_.FileDone(result);
    return true;
}

void Run::End() {
    if (!pendingOld_.empty()) {
        std::wstring folder = places_.windowsFolder;
        if (folder.empty()) {
            wchar_t buffer[MAX_PATH] = {};
            const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
            folder.assign(buffer, length < MAX_PATH ? length : 0);
        }
        if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
        const std::wstring ini = folder + L"wininit.ini";
        std::vector<wchar_t> section(kWininitSectionChars, L'\0');
        const DWORD read = GetPrivateProfileSectionW(L"Rename", section.data(), kWininitSectionChars, ini.c_str());
        // The lines already there (NUL-separated), then ours; the whole section
        // is written back, ending in two NULs.
        std::wstring lines(section.data(), read);
        if (!lines.empty() && lines.back() != L'\0') lines += L'\0';
        for (const std::wstring& file : pendingOld_) {
            // The lines are read before long file names exist.
            const std::wstring shortPath = win::ShortPath(file);
            lines += L"NUL=";
            lines += shortPath.empty() ? file : shortPath;
            lines += L'\0';
        }
        lines += L'\0';
        WritePrivateProfileSectionW(L"Rename", lines.c_str(), ini.c_str());
    }
    if (scheduled_ > 0) questions_.ReportScheduled(scheduled_);
}

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsOnFixedDrive(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    std::wstring volume;
    if (GetVolumePathNameW(path.c_str(), root, MAX_PATH)) volume = root;
    else if (path.size() >= 2 && path[1] == L':') volume = path.substr(0, 2) + L"\\";
    if (volume.empty()) return false;
    if (volume.back() != L'\\') volume += L'\\';
    return GetDriveTypeW(volume.c_str()) == DRIVE_FIXED;
}

RenameProblem CheckRenameTarget(const std::wstring& folder, const std::wstring& newName) {
    const CheckedFileName checked = CheckFileName(win::AsU16(newName));
    if (!checked.usable() || checked.name.size() != newName.size()) return RenameProblem::InvalidName;
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += newName;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? RenameProblem::Exists : RenameProblem::None;
}

std::optional<bool> DecideKeepInstalled(const catalog::TWorkingList& list, bool systemSource,
                                        const std::wstring& destination, FileOpQuestions& questions) {
    // On a drive that may go away the fonts would go with it: never kept.
    if (!IsOnFixedDrive(destination)) return false;
    bool any = false;
    for (int i = 0; i < list.Count() && !any; ++i)
        any = list[i].InstalledFromThisFile || (systemSource && list[i].Installed);
    if (!any) return false;
    switch (questions.AskKeepInstalled()) {
        case KeepInstalledAnswer::Yes: return true;
        case KeepInstalledAnswer::No: return false;
        case KeepInstalledAnswer::Cancel: break;
    }
    return std::nullopt;
}

void FileOperation(const catalog::TWorkingList& list, FileOp op, const TFileOpData& data,
                   FileOpQuestions& questions, const FileOpPlaces& places) {
    Run run(op, data, questions, places);
    for (int i = 0; i < list.Count(); ++i)
        if (!run.Item(list[i])) break;
    run.End();
}

}  // namespace typorama::tools
