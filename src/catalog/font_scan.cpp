#include "catalog/font_scan.h"

#include <windows.h>

#include "base/dropped_files.h"
#include "win/folders.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

// False once the observer has ended the scan.
bool ScanFolder(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                std::vector<std::wstring>& files, const ScanObserver& observer, std::vector<FileStamp>* stamps) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';

    if (includeSubfolders) {
        std::vector<std::wstring> subfolders;
        win::ForEachFolderEntry(folder, L"*", win::EntryKind::Folders, [&](const WIN32_FIND_DATAW& data) {
            // Junctions and symbolic links are not followed: a link back up the tree
            // (the profile's compatibility junctions are such) would never end.
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back(folder + data.cFileName);
        });
        for (const std::wstring& sub : subfolders)
            if (!ScanFolder(sub, patterns, true, files, observer, stamps)) return false;
    }

    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(L';', start);
        if (end == std::wstring::npos) end = patterns.size();
        if (end > start) {
            const std::wstring_view pattern = std::wstring_view(patterns).substr(start, end - start);
            win::ForEachFolderEntry(folder, pattern, win::EntryKind::Files, [&](const WIN32_FIND_DATAW& data) {
                // The system also matches the 8.3 name: "Foo.ttf_old" is found
                // as FOO~1.TTF, and is no font file.
                if (!MatchesPatterns(win::AsU16(data.cFileName), win::AsU16(pattern))) return;
                files.push_back(folder + data.cFileName);
                if (stamps) stamps->push_back(StampOf(data));
            });
        }
        start = end + 1;
    }
    return !observer || observer(files.size());
}

}  // namespace

FileStamp StampOf(const WIN32_FIND_DATAW& found) {
    return {static_cast<std::uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow,
            static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime};
}

bool FindFontFiles(std::wstring folder, const std::wstring& patterns, bool includeSubfolders,
                   std::vector<std::wstring>& files, const ScanObserver& observer, std::vector<FileStamp>* stamps) {
    const std::size_t before = files.size();
    ScanFolder(std::move(folder), patterns, includeSubfolders, files, observer, stamps);
    return files.size() > before;
}

}  // namespace typorama::catalog
