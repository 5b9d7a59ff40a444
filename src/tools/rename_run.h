// Renaming the TrueType files of a folder to their fonts' full names, and
// undoing it from the log. The run asks its questions (a name conflict, a
// failed move) through RenameQuestions: the main window answers with its
// dialogs, the console companion from its options, tests from a script.
// Fonts installed from a renamed file stay installed and loaded.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "catalog/system_locations.h"
#include "tools/rename_rules.h"

namespace typorama::tools {

inline constexpr wchar_t kRenameLogName[] = L"Rename.log";

enum class RenameClash { Skip, DeleteOld, UseName, Cancel };
struct RenameClashAnswer {
    RenameClash choice = RenameClash::Skip;
    std::wstring fileName;  // UseName: the usable file name (with ".ttf") the answer gave
};
struct RenameClashInfo {
    std::wstring oldPath;
    std::wstring newPath;   // the file that holds the wanted name
    std::wstring fullName;  // as the font has it
};

enum class RenameFailureAnswer { Abort, Retry, Ignore };
enum class RenameAction { Renamed, Unchanged, Skipped, Failed };

struct RenameFileReport {
    std::wstring file;
    std::wstring newName;  // empty when the file had no usable new name
    RenameAction action = RenameAction::Unchanged;
    bool installed = false;
};

class RenameQuestions {
public:
    virtual ~RenameQuestions() = default;
    virtual RenameClashAnswer AskClash(const RenameClashInfo& clash) = 0;
    virtual RenameFailureAnswer AskFailure(const std::wstring& oldPath, const std::wstring& newPath, DWORD error) = 0;
    // After each file, with what became of it (an unreadable one is skipped).
    virtual void FileDone(const RenameFileReport& report) { (void)report; }
    // Asked before each file: true ends the run there, as Cancel in a clash does.
    virtual bool Cancelled() { return false; }
};

struct RenameCounts {
    std::size_t found = 0;    // files given
    std::size_t renamed = 0;  // files moved to their new names
    bool stopped = false;     // Cancel in a clash or in the progress window, or Abort after a failure
    DWORD logError = ERROR_SUCCESS;  // the rename log could not be written
};

// The log's place: the program's folder when the log is there or the folder
// can be written (a portable copy), otherwise the user's application-data
// folder, "Typorama" below it: installed under Program Files the program's
// folder is not writable, and a rename whose log is lost cannot be undone.
std::wstring RenameLogPath(const std::wstring& programFolder, const std::wstring& appDataFolder);
// The place for this program: its own folder and %APPDATA%.
std::wstring DefaultRenameLogPath();

// The log file's lines; a missing or unreadable log gives an empty log.
RenameLog LoadRenameLog(const std::wstring& path);
// Writes the whole log (creating its folder); the system's error code.
DWORD SaveRenameLog(const std::wstring& path, const RenameLog& log);

// Renames (or, with undo, restores the names of) `files` in order. The rename
// run adds its lines to the log at `logPath` and writes it when it holds any
// line; undo only reads it.
RenameCounts RunRename(bool undo, const std::vector<std::wstring>& files, const std::wstring& logPath,
                       RenameQuestions& questions, const catalog::SystemLocations& where = catalog::Locations());

// The files the run takes: TrueType files, not collections.
inline constexpr wchar_t kRenameFilePatterns[] = L"*.ttf";

// The *.ttf files of a folder (and the folders below it), as the run takes them.
std::vector<std::wstring> CollectRenameFiles(const std::wstring& folder, bool includeSubfolders);

}  // namespace typorama::tools
