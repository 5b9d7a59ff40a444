// Finding font files in folders.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace typorama::catalog {

// TrueType and OpenType fonts, and collections of them (.ttc, and .otc for
// PostScript outlines), which hold several fonts in one file.
inline constexpr wchar_t kFontFilePatterns[] = L"*.ttf;*.otf;*.ttc;*.otc";

// Told the size of the file list after each folder is listed; returning false
// ends the scan there (the files found so far stay in the list). Searches that
// run on a worker thread count and stop through it.
using ScanObserver = std::function<bool(std::size_t listed)>;

// How a file looked when it was found: its size and last write time.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // FILETIME as one number
};
FileStamp StampOf(const WIN32_FIND_DATAW& found);

// Appends to `files` the full path of every file in `folder` matching one of the
// ';'-separated patterns, pattern by pattern. With subfolders, the files of every
// subfolder (recursively) come before the folder's own. True when files grew.
// With `stamps`, the stamp of each file is appended there too.
bool FindFontFiles(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                   std::vector<std::wstring>& files, const ScanObserver& observer = {},
                   std::vector<FileStamp>* stamps = nullptr);

}  // namespace typorama::catalog
