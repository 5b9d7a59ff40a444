// What the program read from font files, kept for the whole run and, through
// the program's start and end, on disk: listing a folder again (a refresh, a
// return to it, the next start) reads only the files that changed. A file is
// read again when its size or last write time differ from when it was read,
// or when the names were chosen for another language. Facts are shared, never
// changed: the items of a list hold the same ones.
//
// Used from the window's thread and from the searches' worker threads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/font_file.h"
#include "catalog/font_scan.h"

namespace typorama::catalog {

// The stamp of a file, asked of the system.
std::optional<FileStamp> StampOf(const std::wstring& file);

class FontFactsCache {
public:
    // At most this many files are kept; beyond it, those not read since the
    // last BeginListing make room.
    explicit FontFactsCache(std::size_t maxFiles = 65536) : maxFiles_(maxFiles) {}

    // The facts of the file, as ReadFontInfo gives them; null when it is no
    // font the program reads or cannot be opened now (that is not kept: the
    // next listing tries again).
    std::shared_ptr<const TFontInfo> Read(const std::wstring& file, std::uint32_t languageId);
    // The same with the stamp already known, from a folder listing.
    std::shared_ptr<const TFontInfo> Read(const std::wstring& file, const FileStamp& stamp, std::uint32_t languageId);
    // Every face of the file (several for a collection); empty where Read gives null.
    using Faces = std::vector<std::shared_ptr<const TFontInfo>>;
    Faces ReadFaces(const std::wstring& file, std::uint32_t languageId);
    Faces ReadFaces(const std::wstring& file, const FileStamp& stamp, std::uint32_t languageId);

    // A new listing starts: the files it reads are the ones to keep first.
    void BeginListing();
    // The program changed the file itself: read it again next time.
    void Forget(const std::wstring& file);
    void Clear();
    std::size_t Size() const;
    // Files read from disk (not from memory) since the cache was made.
    std::size_t FilesRead() const;

    // The stored copy. Load replaces what is kept; a missing, damaged or
    // foreign file gives an empty cache and false. Save writes only when
    // something changed since the last Load or Save, through a temporary file
    // that replaces the old one whole; false (GetLastError tells) when it could
    // not be written.
    bool Load(const std::wstring& path);
    bool Save(const std::wstring& path);

private:
    struct Entry {
        FileStamp stamp;
        std::uint32_t languageId = 0;
        std::uint32_t listing = 0;
        Faces faces;  // empty: not a font
    };
    void Keep(const std::wstring& file, Entry entry);

    mutable std::mutex mutex_;
    std::unordered_map<std::wstring, Entry> entries_;
    std::size_t maxFiles_;
    std::uint32_t listing_ = 1;
    std::size_t filesRead_ = 0;
    std::uint64_t changes_ = 0;  // since the cache was made
    std::uint64_t changesStored_ = 0;
};

// The one the program uses.
FontFactsCache& FactsCache();
// Where the program keeps the stored copy: the user's local application
// data, "Typorama\FontFacts.cache"; empty when the system does not say.
std::wstring DefaultFactsCacheFile();

}  // namespace typorama::catalog
