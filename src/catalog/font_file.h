// What the program knows about one font file, read from the file itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

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

}  // namespace typorama::catalog
