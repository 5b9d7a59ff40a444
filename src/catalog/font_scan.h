// Finding font files in folders.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace typorama::catalog {

inline constexpr wchar_t kFontFilePatterns[] = L"*.ttf;*.otf";

// Told the size of the file list after each folder is listed; returning false
// ends the scan there (the files found so far stay in the list). Searches that
// run on a worker thread count and stop through it.
using ScanObserver = std::function<bool(std::size_t listed)>;

// Appends to `files` the full path of every file in `folder` matching one of the
// ';'-separated patterns, pattern by pattern. With subfolders, the files of every
// subfolder (recursively) come before the folder's own. True when files grew.
bool FindFontFiles(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                   std::vector<std::wstring>& files, const ScanObserver& observer = {});

}  // namespace typorama::catalog
