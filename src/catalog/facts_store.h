// The file in which the program keeps what it read from font files between
// runs, so that a folder listed before lists again without opening every
// file. Pure code: the Win32 side that stamps files and keeps the facts in
// memory is catalog/font_facts_cache.h.
//
// The stored file is read as untrusted bytes: it may be damaged, cut short or
// written by another version. Anything that does not decode completely and
// match its checksum is dropped as a whole; the fonts are then read again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalog/sfnt_facts.h"

namespace typorama::catalog {

// What one file gave when it was last read, and how the file looked then.
struct StoredFacts {
    std::u16string path;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;    // FILETIME as one number
    std::uint32_t languageId = 0;   // the preferred language the names were chosen for
    bool readable = false;          // false: not a font the program can read; no faces
    std::vector<SfntFacts> faces;   // one, or each readable face of a collection
};

// 2: several faces per file, each with its index in a collection.
inline constexpr std::uint32_t kFactsStoreVersion = 2;
inline constexpr std::size_t kFactsStoreHeaderSize = 20;  // "TYFC", version, count, checksum

// The checksum the header carries of the bytes after it.
std::uint64_t FactsStoreChecksum(std::span<const std::uint8_t> body);

// Entries whose path or names do not fit the format's 16-bit lengths, or that
// have more than kMaxCollectionFaces faces, are left out.
std::vector<std::uint8_t> EncodeFactsStore(std::span<const StoredFacts> entries);
// Nothing when the bytes are not a whole, unchanged store of this version.
std::optional<std::vector<StoredFacts>> DecodeFactsStore(std::span<const std::uint8_t> bytes);

}  // namespace typorama::catalog
