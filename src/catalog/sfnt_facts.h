// The facts the program takes from a TrueType/OpenType file: the seven basic
// name strings, weight, italic and embedding class, read from the 'name', 'OS/2'
// and 'head' tables only. Pure code over a ByteSource; the Win32 entry that opens
// files and fills TFontInfo is catalog/font_file.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/byte_source.h"

namespace typorama::catalog {

enum NameSlot : int {
    kCopyright = 0,
    kFamilyName = 1,
    kSubfamilyName = 2,
    kUniqueId = 3,
    kFullName = 4,
    kVersion = 5,
    kPostScriptName = 6,
    kNameSlotCount = 7,
};

inline constexpr std::uint16_t kEnglishUsLanguageId = 0x0409;
inline constexpr std::uint16_t kMaxTableCount = 100;

struct SfntFacts {
    // Microsoft names as the records hold them (UTF-16, embedded NULs kept);
    // Macintosh fallback names as decoded by the caller's decoder.
    std::array<std::u16string, kNameSlotCount> names;
    std::int32_t weight = 0;  // lfWeight
    bool italic = false;
    std::uint8_t embedding = 0;  // 0 = unknown (no OS/2), 1..4 see EmbeddingClass
};

// Turns the bytes of a Macintosh name record into text. The Win32 program decodes
// them with the ANSI code page, as Windows shows such names.
using MacNameDecoder = std::u16string (*)(std::string_view bytes);

// Latin-1 decoding, for native builds and tests.
std::u16string DecodeLatin1(std::string_view bytes);

// Reads the facts. nullopt only when the offset table announces more than 100
// tables; everything else, however damaged, gives a result (possibly empty).
// The work is bounded whatever the file claims: each 'name' table is read once,
// at most 65,535 name records in all, and at most one string per name decoded.
std::optional<SfntFacts> ReadSfntFacts(ByteSource& source, std::uint32_t systemLanguageId,
                                       MacNameDecoder decodeMac = &DecodeLatin1);

// Embedding class from OS/2 fsType: editable (3) beats printable (2) beats
// restricted (1); none of them is installable (4).
std::uint8_t EmbeddingClass(std::uint16_t fsType);

// The locale text of the registry ("00000409") as a language id: characters below
// '0' are skipped, '0'-'9' and 'A'-'F' are digits, anything else ends the number.
std::uint32_t ParseLocaleText(std::u16string_view text);

}  // namespace typorama::catalog
