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
#include <vector>

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
    // The face's index in its collection (a 'ttcf' file holding several fonts,
    // as simsun.ttc does); empty for a file of one font.
    std::optional<std::uint32_t> face;
};

// The faces a collection may have read. Real ones hold a few dozen at most
// (a CJK family in all its weights and languages); the count is the file's
// claim, and each face costs a reading of its tables.
inline constexpr std::uint32_t kMaxCollectionFaces = 256;

// Turns the bytes of a Macintosh name record into text. The Win32 program decodes
// them with the ANSI code page, as Windows shows such names.
using MacNameDecoder = std::u16string (*)(std::string_view bytes);

// Latin-1 decoding, for native builds and tests.
std::u16string DecodeLatin1(std::string_view bytes);

// Reads the facts. nullopt only when the offset table announces more than 100
// tables; everything else, however damaged, gives a result (possibly empty).
// The work is bounded whatever the file claims: each 'name' table is read once,
// at most 65,535 name records in all, and at most one string per name decoded.
// In a collection `faceIndex` chooses the face (nullopt when it has no such
// face); a file of one font has face 0 only.
std::optional<SfntFacts> ReadSfntFacts(ByteSource& source, std::uint32_t systemLanguageId,
                                       MacNameDecoder decodeMac = &DecodeLatin1, std::uint32_t faceIndex = 0);

// Every face of the file, in its order: one for a single font, the readable
// faces of a collection (a face whose offset table lies past the end of the
// data, or that announces more than 100 tables, is left out; the others keep
// their own index). nullopt when there is none. The bounds on the work are the
// file's, shared by its faces: the name records and name strings that all the
// faces together may cost are those of one font.
std::optional<std::vector<SfntFacts>> ReadSfntFaces(ByteSource& source, std::uint32_t systemLanguageId,
                                                    MacNameDecoder decodeMac = &DecodeLatin1);

// Where the faces of a 'ttcf' collection (header version 1 or 2) begin: at
// most kMaxCollectionFaces offsets, and no more than the data holds. nullopt
// when the data is no collection; empty for a collection of another version.
std::optional<std::vector<std::uint32_t>> ReadCollectionOffsets(ByteSource& source);

// Embedding class from OS/2 fsType: editable (3) beats printable (2) beats
// restricted (1); none of them is installable (4).
std::uint8_t EmbeddingClass(std::uint16_t fsType);

// The locale text of the registry ("00000409") as a language id: characters below
// '0' are skipped, '0'-'9' and 'A'-'F' are digits, anything else ends the number.
std::uint32_t ParseLocaleText(std::u16string_view text);

}  // namespace typorama::catalog
