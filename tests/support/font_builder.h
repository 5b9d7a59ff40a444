// Builds TrueType font files for tests: valid fonts that Windows and Wine load,
// and deliberately damaged ones for the robustness tests. Pure code; no <windows.h>.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace typorama::test {

// One record of the 'name' table. For platform 3 (and 0) `text` is written as
// UTF-16BE; for platform 1 `bytes` is written as it is. Exactly one of the two is used.
struct NameEntry {
    std::uint16_t platformId = 3;
    std::uint16_t encodingId = 1;
    std::uint16_t languageId = 0x0409;
    std::uint16_t nameId = 0;
    std::u16string text;
    std::string bytes;
};

struct OutlinePoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    bool onCurve = true;
};

// A simple glyph: closed contours of on- and off-curve points (quadratic curves).
struct GlyphOutline {
    char32_t codePoint = 0;  // 0: mapped by no character (.notdef)
    std::uint16_t advance = 600;
    std::vector<std::vector<OutlinePoint>> contours;
};

struct FontSpec {
    // Name records in the order they are written. FontSpec::Named fills the usual set.
    std::vector<NameEntry> names;

    // OS/2: written when os2Length is set; the table holds the version 4 fields cut
    // (or zero-padded) to os2Length bytes, so 78 gives a version 0 table.
    std::optional<std::uint16_t> os2Length = 96;
    std::uint16_t weightClass = 400;
    std::uint16_t fsType = 0;
    std::uint16_t fsSelection = 0x0040;  // REGULAR
    std::uint16_t firstChar = 0x20;
    std::uint16_t lastChar = 0x7E;

    bool withHead = true;
    std::uint16_t macStyle = 0;
    std::uint16_t unitsPerEm = 1000;
    std::int16_t ascender = 800;
    std::int16_t descender = -200;
    std::int16_t lineGap = 0;  // hhea.lineGap and OS/2 sTypoLineGap
    std::array<std::uint8_t, 10> panose{2, 0, 5, 3, 0, 0, 0, 0, 0, 0};

    // Glyph 0 (.notdef) is always written first; these follow. Empty means a default
    // set: a box for 'A'..'Z', 'a'..'z', '0'..'9' and space, so that sample text draws.
    std::vector<GlyphOutline> glyphs;

    // Extra tables with arbitrary tags and contents, written after the real ones;
    // used to reach a given table count.
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> extraTables;

    // The usual Microsoft English names (IDs 0..6) and Macintosh Roman names
    // (language 0) for a family and style: full name "family style" (just "family"
    // for "Regular"), PostScript name without spaces.
    static FontSpec Named(const std::u16string& family, const std::u16string& style = u"Regular");
};

// Writes a complete font: offset table, directory sorted by tag, checksums and
// head.checkSumAdjustment correct, tables 4-byte aligned. Includes cmap (format 4),
// glyf, loca, hmtx, hhea, maxp, post, name, and OS/2 / head as the description says.
std::vector<std::uint8_t> BuildFont(const FontSpec& fontSpec);

// Damage helpers for robustness tests, applied to the bytes BuildFont produced.
void SetNumTables(std::vector<std::uint8_t>& font, std::uint16_t numTables);
// Offset and length of a table as the directory states them; nullopt if absent.
struct TableLocation {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::size_t directoryEntry = 0;  // byte offset of the 16-byte directory entry
};
std::optional<TableLocation> FindTable(const std::vector<std::uint8_t>& font, const std::string& tag);

// A file made to cost a careless name reader the most, at most maxBytes long
// (and at least 2 KB). The directory lists 'name' 100 times; the table claims
// `claimedRecords` records and holds as many as fit, Microsoft names in English
// and `localLanguage` by turns for name IDs 0..6, each asking for a string of
// `claimedRecords` bytes. With `shifted` false every entry points at that one
// table; with `shifted` true entry i points 12 bytes further on than entry i-1,
// where the end of a record reads as a header that claims as many again, so
// that 100 tables overlap.
std::vector<std::uint8_t> BuildNameTableFlood(std::size_t maxBytes, bool shifted, std::uint16_t claimedRecords = 0xFFFF,
                                              std::uint16_t localLanguage = 0x0804);

// A TrueType collection ('ttcf', header version 1 or 2) of the given fonts, as
// BuildFont wrote them: each font whole, 4-byte aligned, its table offsets moved
// to count from the start of the collection. Windows and Wine load it.
std::vector<std::uint8_t> BuildCollection(const std::vector<std::vector<std::uint8_t>>& fonts,
                                          std::uint16_t majorVersion = 1);
// Damage helpers for collections: the claimed number of faces, and the offset
// of face `index`'s offset table.
void SetCollectionFaceCount(std::vector<std::uint8_t>& collection, std::uint32_t count);
void SetCollectionFaceOffset(std::vector<std::uint8_t>& collection, std::uint32_t index, std::uint32_t offset);

// Writes the bytes to a file; true on success.
bool WriteBytesToFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace typorama::test
