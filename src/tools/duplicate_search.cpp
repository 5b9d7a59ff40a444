#include "tools/duplicate_search.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "base/crc32.h"
#include "catalog/font_facts_cache.h"
#include "catalog/font_scan.h"
#include "tools/duplicate_groups.h"
#include "win/text_compare.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

int ComparePaths(std::u16string_view a, std::u16string_view b) {
    return win::CompareNoCase(std::wstring_view(reinterpret_cast<const wchar_t*>(a.data()), a.size()),
                              std::wstring_view(reinterpret_cast<const wchar_t*>(b.data()), b.size()));
}

}  // namespace

std::uint64_t FileSizeOf(const std::wstring& path) {
    auto stamp = catalog::StampOf(path);
    return stamp ? stamp->size : 0;
}

std::optional<std::uint32_t> FileCrc32(const std::wstring& path, const std::atomic<bool>* cancel) {
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return std::nullopt;
    // Large enough that the system reads ahead well, small enough for any
    // number of searches side by side.
    std::vector<std::uint8_t> buffer(256 * 1024);
    std::uint64_t left = static_cast<std::uint64_t>(size.QuadPart);
    std::uint32_t crc = 0;
    while (left > 0) {
        if (Cancelled(cancel)) return std::nullopt;
        DWORD want = static_cast<DWORD>(std::min<std::uint64_t>(left, buffer.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), want, &got, nullptr) || got == 0) return std::nullopt;
        crc = Crc32(crc, buffer.data(), got);
        left -= got;
    }
    return crc;
}

DuplicateSearchResult FindDuplicates(const std::vector<FolderEntry>& folders, const catalog::SystemLocations& where,
                                     const std::atomic<bool>* cancel, SearchProgress* progress) {
    DuplicateSearchResult result;
    std::vector<std::wstring> found;
    std::vector<catalog::FileStamp> stamps;
    auto observer = [&](std::size_t listed) {
        if (progress) progress->SetFound(listed);
        return !Cancelled(cancel);
    };
    for (const FolderEntry& entry : folders) {
        if (Cancelled(cancel)) break;
        catalog::FindFontFiles(entry.path, catalog::kFontFilePatterns, entry.includeSubfolders, found, observer,
                               &stamps);
    }
    if (progress) progress->EndScan();
    result.filesFound = found.size();

    // Sorted with their stamps, so that each file is read by the stamp its
    // listing gave (the facts cache then reads a file only once).
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return win::CompareNoCase(found[a], found[b]) < 0;
    });

    std::vector<FontRecord> records;
    records.reserve(found.size());
    for (std::size_t i : order) {
        if (Cancelled(cancel)) break;
        // Each face of a collection takes part under its own name, so that a
        // font is found also where one copy sits in a collection.
        const auto faces = catalog::FactsCache().ReadFaces(found[i], stamps[i], where.systemLanguageId);
        if (progress) progress->AddRead();
        for (const auto& face : faces)
            records.push_back({std::u16string(win::AsU16(found[i])), std::u16string(win::AsU16(face->FullName))});
    }
    result.cancelled = Cancelled(cancel);

    const catalog::InstalledFonts installed(where);
    for (const DuplicateGroup& group : GroupDuplicates(records, ComparePaths)) {
        DuplicateSet set{win::ToWide(group.fullName), {}};
        for (const std::u16string& file : group.files) {
            std::wstring path = win::ToWide(file);
            DuplicateFile entry{path, FileSizeOf(path), FileCrc32(path, cancel), installed.StateOf(set.fullName, path)};
            set.files.push_back(std::move(entry));
        }
        result.groups.push_back(std::move(set));
    }
    result.cancelled = Cancelled(cancel);
    return result;
}

bool DeleteDuplicateFile(const std::wstring& path, const std::wstring& fullName, const DeleteFileCall& deleteFile,
                         const catalog::SystemLocations& where) {
    const bool unloaded = catalog::UnloadFont(path, where);
    deleteFile(path);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (unloaded) catalog::LoadFont(path, where);
        return false;
    }
    catalog::UnregisterFont(fullName, path, where);
    catalog::FactsCache().Forget(path);
    return true;
}

void DeleteToRecycleBin(HWND owner, const std::wstring& path) {
    std::wstring from = path;
    from.push_back(L'\0');  // the list ends with an empty name
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_FILESONLY;
    SHFileOperationW(&op);
}

}  // namespace typorama::tools
