#include "tools/rename_run.h"

#include <shlobj.h>

#include "catalog/font_facts_cache.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "tools/file_operation.h"
#include "tools/saved_entries.h"
#include "win/folders.h"
#include "win/text_compare.h"
#include "win/unique_handle.h"
#include "win/whole_file.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

// A log of many thousand renames stays far below this; anything larger is not ours.
constexpr std::uint64_t kMaxLogBytes = 64ull << 20;

std::wstring Wide(std::u16string_view text) { return win::ToWide(text); }

int CompareForLog(std::u16string_view a, std::u16string_view b) {
    return win::CompareNoCase(Wide(a), Wide(b));
}

const AnsiCodePage& SystemAnsi() {
    static const AnsiCodePage ansi{
        [](std::u16string_view text) { return win::WideToAnsiExact(Wide(text)); },
        [](std::string_view bytes) { return std::u16string(win::AsU16(win::AnsiToWide(bytes))); }};
    return ansi;
}

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

// Asked by making a file there: the folder's rights decide, not its attributes.
bool CanWriteInFolder(const std::wstring& folder) {
    const std::wstring probe = folder + L"typorama-write-test.tmp";
    win::UniqueFile file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return FolderOf(path.substr(0, length));
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

bool SameName(const std::wstring& a, const std::wstring& b) { return win::EqualNoCase(a, b); }

// The entry the font gets for its new file: the old one goes first, since
// the list never lets a name point at two files. False, with the old entries
// as they were, when the new one could not be written.
bool MoveRegistration(const std::wstring& fullName, const std::wstring& oldPath, const std::wstring& newPath,
                      const catalog::SystemLocations& where) {
    const SavedEntries saved = SavedEntries::Read(fullName, where);
    if (!catalog::UnregisterFont(fullName, oldPath, where)) return false;
    if (catalog::RegisterFont(fullName, newPath, where)) return true;
    saved.Restore();
    return false;
}

}  // namespace

std::wstring RenameLogPath(const std::wstring& programFolder, const std::wstring& appDataFolder) {
    const std::wstring portable = WithBackslash(programFolder) + kRenameLogName;
    if (!programFolder.empty() && (win::IsFile(portable) || CanWriteInFolder(WithBackslash(programFolder))))
        return portable;
    return appDataFolder.empty() ? portable : WithBackslash(appDataFolder) + L"Typorama\\" + kRenameLogName;
}

std::wstring DefaultRenameLogPath() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) appData[0] = L'\0';
    return RenameLogPath(ProgramFolder(), appData);
}

RenameLog LoadRenameLog(const std::wstring& path) {
    RenameLog log(CompareForLog);
    if (std::optional<std::vector<std::uint8_t>> bytes = win::ReadWholeFile(path, kMaxLogBytes))
        log.AddText(DecodeRenameLog(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                                    SystemAnsi()));
    return log;
}

DWORD SaveRenameLog(const std::wstring& path, const RenameLog& log) {
    const std::wstring folder = FolderOf(path);
    if (!folder.empty() && !win::IsFolder(folder)) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::string bytes = EncodeRenameLog(log.Text(), SystemAnsi());
    return win::WriteWholeFile(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::vector<std::wstring> CollectRenameFiles(const std::wstring& folder, bool includeSubfolders) {
    std::vector<std::wstring> files;
    catalog::FindFontFiles(folder, kRenameFilePatterns, includeSubfolders, files);
    return files;
}

RenameCounts RunRename(bool undo, const std::vector<std::wstring>& files, const std::wstring& logPath,
                       RenameQuestions& questions, const catalog::SystemLocations& where) {
    RenameCounts counts;
    counts.found = files.size();
    if (files.empty()) return counts;
    RenameLog log = LoadRenameLog(logPath);
    bool logChanged = false;
    for (const std::wstring& oldPath : files) {
        if (questions.Cancelled()) {
            counts.stopped = true;
            break;
        }
        catalog::TFontInfo info;
        if (!catalog::ReadFontInfo(oldPath, info, where.systemLanguageId)) {
            questions.FileDone({oldPath, {}, RenameAction::Skipped, false});
            continue;
        }
        const std::wstring folder = FolderOf(oldPath);
        const std::wstring oldName = FileNameOf(oldPath);
        RenameFileReport report{oldPath, {}, RenameAction::Skipped, false};
        if (undo) {
            // A logged name is checked as any other: the log is a file anyone can edit.
            if (std::optional<std::u16string> restored = log.OldNameOf(win::AsU16(oldName))) {
                const CheckedFileName checked = CheckFileName(*restored);
                report.newName = checked.usable() ? Wide(checked.name) : std::wstring();
            } else {
                report.newName = oldName;  // not in the log: left alone
            }
        } else {
            const CheckedFileName checked = NameFromFullName(win::AsU16(info.FullName));
            if (checked.usable()) report.newName = Wide(checked.name);
        }
        report.installed = catalog::GetInstallState(info.FullName, oldPath, where).fromThisFile;
        if (report.newName.empty()) {
            questions.FileDone(report);
            continue;
        }
        std::wstring newPath = folder + report.newName;
        if (SameName(newPath, oldPath)) {
            report.action = RenameAction::Unchanged;
            questions.FileDone(report);
            continue;
        }
        if (GetFileAttributesW(newPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const RenameClashAnswer answer = questions.AskClash({oldPath, newPath, info.FullName});
            if (answer.choice == RenameClash::Cancel) {
                counts.stopped = true;
                break;
            }
            if (answer.choice == RenameClash::Skip) {
                questions.FileDone(report);
                continue;
            }
            if (answer.choice == RenameClash::DeleteOld) {
                SetFileAttributesW(newPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(newPath.c_str());
                catalog::FactsCache().Forget(newPath);
            } else {
                report.newName = answer.fileName;
                newPath = folder + answer.fileName;
            }
        }
        if (report.installed) catalog::UnloadFont(oldPath, where);
        bool moved = false;
        for (;;) {
            if (MoveFileW(oldPath.c_str(), newPath.c_str())) {
                moved = true;
                break;
            }
            const DWORD error = GetLastError();
            const RenameFailureAnswer answer = questions.AskFailure(oldPath, newPath, error);
            if (answer == RenameFailureAnswer::Retry) continue;
            if (answer == RenameFailureAnswer::Abort) counts.stopped = true;
            break;
        }
        if (!moved) {
            // The font was unloaded for the move only; it must not stay so.
            if (report.installed) catalog::LoadFont(oldPath, where);
            report.action = RenameAction::Failed;
            questions.FileDone(report);
            if (counts.stopped) break;
            continue;
        }
        // An installed font whose entry cannot follow its file (this user may
        // not change it) keeps its old name rather than lose its entry.
        if (report.installed && !MoveRegistration(info.FullName, oldPath, newPath, where) &&
            MoveFileW(newPath.c_str(), oldPath.c_str())) {
            catalog::LoadFont(oldPath, where);
            report.action = RenameAction::Failed;
            questions.FileDone(report);
            continue;
        }
        ++counts.renamed;
        catalog::FactsCache().Forget(oldPath);
        if (report.installed) catalog::LoadFont(newPath, where);
        if (!undo && log.Add(win::AsU16(report.newName), win::AsU16(oldName))) logChanged = true;
        report.action = RenameAction::Renamed;
        questions.FileDone(report);
    }
    if (!undo && logChanged && !log.Empty()) counts.logError = SaveRenameLog(logPath, log);
    return counts;
}

}  // namespace typorama::tools
