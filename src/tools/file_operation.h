// The font file operations: copying, moving and deleting the files of a list
// of fonts. More than file handling: a moved font may be installed and must
// stay usable, a deleted font leaves the system font table and the installed-
// font list first, a file in use may only go at the next start, and a clash at
// the destination is the user's to resolve. The engine opens no window: it
// asks its questions through FileOpQuestions, which the main window answers
// with dialogs, the console companion from its command line and tests from a
// script.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "catalog/font_list.h"
#include "catalog/system_locations.h"

namespace typorama::tools {

// The codes the install and uninstall commands pass too.
enum class FileOp : int { Move = 1, Copy = 2, Delete = 3 };

// The argument of the per-file action: one successful copy.
struct TFileOpFileData {
    std::wstring source;  // full paths
    std::wstring target;
    catalog::TFontListItem* item = nullptr;
};

struct TFileOpData {
    std::wstring destination;  // copy and move; a backslash is appended when missing
    // Move only: fonts installed from their old file are installed from the new one.
    bool keepInstalled = false;
    // Called after each successful copy (installing a copy uses it).
    std::function<void(const TFileOpFileData&)> perFileAction;
};

// The answers of the overwrite question; the numbers are the overwrite
// dialog's results.
enum class OverwriteAnswer : int { Yes = 99, YesAll = 100, Skip = 101, SkipAll = 102, Rename = 103, Cancel = 104 };
enum class FailureAnswer : int { Abort, Retry, Ignore };
enum class KeepInstalledAnswer : int { Yes, No, Cancel };

// A step that failed, with what the message about it needs.
struct FileOpFailure {
    enum class Kind {
        Copy,             // copying source into destinationFolder failed
        DeleteAfterCopy,  // moved: the copy is there, the source could not be deleted
        Delete,           // deleting source failed
    };
    Kind kind = Kind::Copy;
    std::wstring source;
    std::wstring destinationFolder;  // with its trailing backslash; empty for Delete
    DWORD error = ERROR_SUCCESS;     // the system's code
};

// What became of one file, for callers that report per file.
struct FileOpResult {
    enum class Action { Copied, Moved, Deleted, Skipped, Renamed, Scheduled, Failed };
    Action action = Action::Skipped;
    std::wstring source;
    std::wstring target;  // copy and move: where the file went or would have gone
    catalog::TFontListItem* item = nullptr;
    DWORD error = ERROR_SUCCESS;  // Failed: the last failure's code
    bool clashed = false;         // the target existed and was not overwritten
};

class FileOpQuestions {
public:
    virtual ~FileOpQuestions() = default;
    // `target` exists; `source` would replace it. For Rename, `newName` is the
    // new file name in the target's folder: the engine checks it again
    // (CheckRenameTarget) and asks anew when it is unusable.
    virtual OverwriteAnswer ConfirmOverwrite(const std::wstring& target, const std::wstring& source,
                                             std::wstring& newName) = 0;
    virtual FailureAnswer ReportFailure(const FileOpFailure& failure) = 0;
    // At the end of a run: `count` files could not be deleted now and go at
    // the next start of the system.
    virtual void ReportScheduled(int count) = 0;
    // Moving installed fonts: keep them installed at the new place?
    virtual KeepInstalledAnswer AskKeepInstalled() = 0;
    // Each file of the list once it is done with (skipped items with no file too).
    virtual void FileDone(const FileOpResult& result) { (void)result; }
};

// The system's places the engine changes; tests give scratch ones.
struct FileOpPlaces {
    const catalog::SystemLocations& where = catalog::Locations();
    // The Windows folder, whose "wininit.ini" deletes files at the next start
    // on systems outside the NT family; empty: the system's.
    std::wstring windowsFolder = {};
};

// Runs `op` over the fonts of `list` in order. Stops at Cancel or Abort, which
// still schedule what is pending.
void FileOperation(const catalog::TWorkingList& list, FileOp op, const TFileOpData& data,
                   FileOpQuestions& questions, const FileOpPlaces& places = {});

// Whether a rename answer may become the target: a usable file name that no
// file of the folder has yet.
enum class RenameProblem { None, InvalidName, Exists };
RenameProblem CheckRenameTarget(const std::wstring& folder, const std::wstring& newName);

// The keep-installed decision of the Font menu's move: asked only for a
// destination on a fixed drive and when one of the fonts is installed from its
// file (or, for fonts listed from the system, installed at all). nullopt: stop.
std::optional<bool> DecideKeepInstalled(const catalog::TWorkingList& list, bool systemSource,
                                        const std::wstring& destination, FileOpQuestions& questions);

// Whether `path` lies on a fixed drive (not removable, network or unknown).
bool IsOnFixedDrive(const std::wstring& path);

// The folder of a path, with its trailing backslash.
std::wstring FolderOf(const std::wstring& path);
// The file name of a path, without its folder.
std::wstring FileNameOf(const std::wstring& path);

}  // namespace typorama::tools
