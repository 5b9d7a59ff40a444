// What the program knows about one font file, read from the file itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/sfnt_facts.h"

namespace typorama::catalog {

struct TFontInfo {
    std::wstring Copyright;
    std::wstring FamilyName;
    std::wstring SubfamilyName;
    std::wstring UniqueId;
    std::wstring FullName;
    std::wstring Version;
    std::wstring PostScriptName;
    LOGFONTW LogFont{};  // family as face name, weight, italic, DEFAULT_CHARSET
    BYTE Embedding = 0;  // 0 unknown, 1 restricted, 2 printable, 3 editable, 4 installable
    // The face's index when the file is a collection of several fonts (.ttc);
    // the file, its size and its installed entry belong to all of its faces.
    std::optional<std::uint32_t> Face;

    void Clear();
};

// Reads the names, style and embedding class of a TrueType/OpenType file. False
// when the file cannot be opened or announces more than 100 tables; a damaged
// font otherwise reads with whatever could be found (possibly empty names).
// Names in SystemLanguageId() are preferred to US English ones.
bool ReadFontInfo(const std::wstring& fileName, TFontInfo& info);
bool ReadFontInfo(const std::wstring& fileName, TFontInfo& info, std::uint32_t preferredLanguageId);

// The same reading, telling a file that could not be opened now (in use,
// access denied, gone) from one that opened but is no font the program reads.
enum class FontFileRead { Read, NotOpened, NotAFont };
// A collection reads as its first readable face.
FontFileRead ReadFontFile(const std::wstring& fileName, TFontInfo& info, std::uint32_t preferredLanguageId);
// Every face of the file: one for a single font, each readable face of a
// collection in the file's order. Empty unless the result is Read.
FontFileRead ReadFontFaces(const std::wstring& fileName, std::vector<TFontInfo>& faces,
                           std::uint32_t preferredLanguageId);

// The name the file's installed-font entry takes: the full name of a single
// font, the joined full names of a collection's faces (CollectionEntryName).
// Still to be checked with CheckEntryName by whoever writes it.
std::wstring EntryNameOf(const std::vector<TFontInfo>& faces);

// The two forms of the same facts: as the reader gives them and as the program uses them.
TFontInfo FontInfoFromFacts(const SfntFacts& facts);
SfntFacts FactsFromFontInfo(const TFontInfo& info);

}  // namespace typorama::catalog
