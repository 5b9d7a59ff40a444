// What the program knows about one font file, read from the file itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

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
FontFileRead ReadFontFile(const std::wstring& fileName, TFontInfo& info, std::uint32_t preferredLanguageId);

// The two forms of the same facts: as the reader gives them and as the program uses them.
TFontInfo FontInfoFromFacts(const SfntFacts& facts);
SfntFacts FactsFromFontInfo(const TFontInfo& info);

}  // namespace typorama::catalog
