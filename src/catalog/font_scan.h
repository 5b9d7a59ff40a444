// Finding font files in folders.
#pragma once

#include <string>
#include <vector>

namespace typorama::catalog {

inline constexpr wchar_t kFontFilePatterns[] = L"*.ttf;*.otf";

// Appends to `files` the full path of every file in `folder` matching one of the
// ';'-separated patterns, pattern by pattern. With subfolders, the files of every
// subfolder (recursively) come before the folder's own. True when files grew.
bool FindFontFiles(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                   std::vector<std::wstring>& files);

}  // namespace typorama::catalog
