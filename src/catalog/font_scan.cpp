#include "catalog/font_scan.h"

#include <windows.h>

#include "win/unique_handle.h"

namespace typorama::catalog {
namespace {

template <typename Visit>
void ForEachEntry(const std::wstring& pattern, Visit visit) {
    WIN32_FIND_DATAW data;
    win::UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        visit(data);
    } while (FindNextFileW(find.get(), &data));
}

bool IsDirectory(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsDotEntry(const WIN32_FIND_DATAW& data) {
    return wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0;
}

}  // namespace

bool FindFontFiles(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                   std::vector<std::wstring>& files) {
    std::size_t before = files.size();
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';

    if (includeSubfolders) {
        std::vector<std::wstring> subfolders;
        ForEachEntry(folder + L"*", [&](const WIN32_FIND_DATAW& data) {
            // Junctions and symbolic links are not followed: a link back up the tree
            // (the profile's compatibility junctions are such) would never end.
            if (IsDirectory(data) && !IsDotEntry(data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                subfolders.push_back(folder + data.cFileName);
        });
        for (const std::wstring& sub : subfolders) FindFontFiles(sub, patterns, true, files);
    }

    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(L';', start);
        if (end == std::wstring::npos) end = patterns.size();
        if (end > start) {
            ForEachEntry(folder + patterns.substr(start, end - start), [&](const WIN32_FIND_DATAW& data) {
                if (!IsDirectory(data)) files.push_back(folder + data.cFileName);
            });
        }
        start = end + 1;
    }
    return files.size() > before;
}

}  // namespace typorama::catalog
