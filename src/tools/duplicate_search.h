// The duplicate finder's search: font files collected from the folder entries,
// their full names read, grouped, and for the files of each group the size,
// the CRC-32 and the install state. Runs on any thread: the window runs it on
// a worker so that it stays responsive, the console runs it directly.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/search_progress.h"
#include "catalog/font_registry.h"
#include "catalog/system_locations.h"

namespace typorama::tools {

// One folder of the finder's list (TFolderEntry).
struct FolderEntry {
    std::wstring path;
    bool includeSubfolders = false;
};

struct DuplicateFile {
    std::wstring path;
    std::uint64_t size = 0;              // 0 when the file cannot be found
    std::optional<std::uint32_t> crc32;  // none when it could not be read whole
    catalog::InstallState state;         // of the group's full name and this file
};

struct DuplicateSet {
    std::wstring fullName;  // as the first file read gives it
    std::vector<DuplicateFile> files;
};

struct DuplicateSearchResult {
    std::vector<DuplicateSet> groups;  // in key order
    std::size_t filesFound = 0;
    bool cancelled = false;  // stopped early: the groups are what was read so far
};

// Searches the entries in order; `cancel` is looked at between folders and
// between files. Counts go to `progress` when given.
DuplicateSearchResult FindDuplicates(const std::vector<FolderEntry>& folders,
                                     const catalog::SystemLocations& where = catalog::Locations(),
                                     const std::atomic<bool>* cancel = nullptr, SearchProgress* progress = nullptr);

// The CRC-32 of a file, read in pieces (a file of any size needs little
// memory); none when it cannot be opened, is empty or is not read to its end,
// or when `cancel` is set meanwhile.
std::optional<std::uint32_t> FileCrc32(const std::wstring& path, const std::atomic<bool>* cancel = nullptr);

// The size the directory entry gives; 0 for a file that cannot be found.
std::uint64_t FileSizeOf(const std::wstring& path);

// Deletes one file of a group. A loaded font is unloaded first (the system
// keeps a loaded font's file open, so it could not go otherwise); then
// `deleteFile` runs, and only when the file is gone afterwards are the entries
// of the installed-font list that point at it removed. When it is still there
// (the user cancelled the confirmation, or the deletion failed) a font that
// was loaded is loaded again and its entries stay: the font is as it was.
// True when the file is gone.
using DeleteFileCall = std::function<void(const std::wstring& path)>;
bool DeleteDuplicateFile(const std::wstring& path, const std::wstring& fullName, const DeleteFileCall& deleteFile,
                         const catalog::SystemLocations& where = catalog::Locations());

// The shell's deletion to the recycle bin, files only, with the shell's own
// confirmation, owned by `owner`.
void DeleteToRecycleBin(HWND owner, const std::wstring& path);

}  // namespace typorama::tools
