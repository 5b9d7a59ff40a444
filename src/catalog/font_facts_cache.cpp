#include "catalog/font_facts_cache.h"

#include <shlobj.h>

#include <vector>

#include "catalog/facts_store.h"
#include "win/com.h"
#include "win/wide.h"
#include "win/whole_file.h"

namespace typorama::catalog {
namespace {

std::uint64_t Join(DWORD high, DWORD low) { return static_cast<std::uint64_t>(high) << 32 | low; }

// A store larger than this is not one the program wrote (65,536 files with
// every name at its longest would be, but no real library comes near).
constexpr std::uint64_t kMaxStoreBytes = 256ull * 1024 * 1024;

}  // namespace

std::optional<FileStamp> StampOf(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return FileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow),
                     Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::shared_ptr<const TFontInfo> FontFactsCache::Read(const std::wstring& file, std::uint32_t languageId) {
    Faces faces = ReadFaces(file, languageId);
    return faces.empty() ? nullptr : faces.front();
}

std::shared_ptr<const TFontInfo> FontFactsCache::Read(const std::wstring& file, const FileStamp& stamp,
                                                      std::uint32_t languageId) {
    Faces faces = ReadFaces(file, stamp, languageId);
    return faces.empty() ? nullptr : faces.front();
}

FontFactsCache::Faces FontFactsCache::ReadFaces(const std::wstring& file, std::uint32_t languageId) {
    std::optional<FileStamp> stamp = StampOf(file);
    if (!stamp) return {};
    return ReadFaces(file, *stamp, languageId);
}

FontFactsCache::Faces FontFactsCache::ReadFaces(const std::wstring& file, const FileStamp& stamp,
                                                std::uint32_t languageId) {
    {
        std::lock_guard lock(mutex_);
        if (auto it = entries_.find(file); it != entries_.end()) {
            Entry& entry = it->second;
            if (entry.stamp.size == stamp.size && entry.stamp.writeTime == stamp.writeTime &&
                entry.languageId == languageId) {
                entry.listing = listing_;
                return entry.faces;
            }
        }
    }
    // Read without the lock: other threads' files are not held up by this one.
    std::vector<TFontInfo> read;
    const FontFileRead outcome = ReadFontFaces(file, read, languageId);
    std::lock_guard lock(mutex_);
    ++filesRead_;
    if (outcome == FontFileRead::NotOpened) return {};
    Entry entry{stamp, languageId, listing_, {}};
    for (TFontInfo& face : read) entry.faces.push_back(std::make_shared<const TFontInfo>(std::move(face)));
    Keep(file, entry);
    return entry.faces;
}

void FontFactsCache::Keep(const std::wstring& file, Entry entry) {
    if (auto it = entries_.find(file); it != entries_.end()) {
        it->second = std::move(entry);
        ++changes_;
        return;
    }
    if (entries_.size() >= maxFiles_)
        std::erase_if(entries_, [this](const auto& kept) { return kept.second.listing != listing_; });
    if (entries_.size() >= maxFiles_) return;
    entries_.emplace(file, std::move(entry));
    ++changes_;
}

void FontFactsCache::BeginListing() {
    std::lock_guard lock(mutex_);
    ++listing_;
}

void FontFactsCache::Forget(const std::wstring& file) {
    std::lock_guard lock(mutex_);
    if (entries_.erase(file)) ++changes_;
}

void FontFactsCache::Clear() {
    std::lock_guard lock(mutex_);
    if (!entries_.empty()) ++changes_;
    entries_.clear();
}

std::size_t FontFactsCache::Size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::size_t FontFactsCache::FilesRead() const {
    std::lock_guard lock(mutex_);
    return filesRead_;
}

bool FontFactsCache::Load(const std::wstring& path) {
    std::optional<std::vector<StoredFacts>> stored;
    if (auto bytes = win::ReadWholeFile(path, kMaxStoreBytes)) stored = DecodeFactsStore(*bytes);

    std::lock_guard lock(mutex_);
    entries_.clear();
    changesStored_ = ++changes_;
    if (!stored) return false;
    for (const StoredFacts& file : *stored) {
        if (entries_.size() >= maxFiles_) break;
        Entry entry{{file.size, file.writeTime}, file.languageId, 0, {}};
        if (file.readable)
            for (const SfntFacts& face : file.faces)
                entry.faces.push_back(std::make_shared<const TFontInfo>(FontInfoFromFacts(face)));
        entries_.insert_or_assign(win::ToWide(file.path), std::move(entry));
    }
    return true;
}

bool FontFactsCache::Save(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    std::uint64_t changes = 0;
    {
        std::lock_guard lock(mutex_);
        if (changes_ == changesStored_) return true;
        changes = changes_;
        std::vector<StoredFacts> stored;
        stored.reserve(entries_.size());
        for (const auto& [file, entry] : entries_) {
            StoredFacts& out = stored.emplace_back();
            out.path = std::u16string(win::AsU16(file));
            out.size = entry.stamp.size;
            out.writeTime = entry.stamp.writeTime;
            out.languageId = entry.languageId;
            out.readable = !entry.faces.empty();
            for (const auto& face : entry.faces) out.faces.push_back(FactsFromFontInfo(*face));
        }
        bytes = EncodeFactsStore(stored);
    }
    // Written beside the old copy and put in its place whole: a full disk or a
    // crash leaves the old copy, never half of a new one.
    const std::wstring temporary = path + L".new";
    if (win::WriteWholeFile(temporary, bytes) != ERROR_SUCCESS ||
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
        return false;
    }
    std::lock_guard lock(mutex_);
    changesStored_ = changes;
    return true;
}

FontFactsCache& FactsCache() {
    static FontFactsCache cache;
    return cache;
}

std::wstring DefaultFactsCacheFile() {
    win::UniqueCoMemory<PWSTR> folder;
    // Created when missing: the program's own folder under it is made below.
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, folder.put())) || !folder)
        return {};
    std::wstring path = folder.get();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += L"Typorama";
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
    return path + L"\\FontFacts.cache";
}

}  // namespace typorama::catalog
