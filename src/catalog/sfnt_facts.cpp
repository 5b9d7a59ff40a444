#include "catalog/sfnt_facts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/byte_reader.h"

namespace typorama::catalog {
namespace {

constexpr std::size_t kOffsetTableSize = 12;
// 'ttcf', major and minor version, number of faces; the faces' offsets follow.
constexpr std::size_t kCollectionHeaderSize = 12;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kNameHeaderSize = 6;
constexpr std::size_t kNameRecordSize = 12;
constexpr std::size_t kOs2BytesUsed = 86;
constexpr std::size_t kHeadBytesUsed = 54;

// Reads within one window that the reader filled in advance (the whole 'name'
// table, usually a few kilobytes), and straight from the source otherwise. The
// result is the same as a direct read; it saves one system call per name string.
class WindowedReader {
public:
    explicit WindowedReader(ByteSource& source) : source_(source) {}

    // Fills the window with up to `length` bytes at `offset`, capped so that a
    // table claiming gigabytes costs nothing.
    void Prefetch(std::uint64_t offset, std::uint32_t length) {
        constexpr std::uint32_t kWindowCap = 64u << 10;
        window_.resize(std::min(length, kWindowCap));
        window_.resize(source_.ReadAt(offset, window_));
        windowOffset_ = offset;
    }

    // Reads into `out`; returns the bytes that arrived (fewer at the end of data).
    std::size_t Read(std::uint64_t offset, std::span<std::uint8_t> out) {
        if (offset >= windowOffset_ && offset - windowOffset_ <= window_.size()) {
            std::uint64_t start = offset - windowOffset_;
            if (window_.size() - start >= out.size()) {
                std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(start), out.size(), out.begin());
                return out.size();
            }
        }
        return source_.ReadAt(offset, out);
    }

private:
    ByteSource& source_;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowOffset_ = 0;
};

struct DirectoryEntry {
    char tag[4];
    std::uint32_t offset;
    std::uint32_t length;

    bool Is(const char (&name)[5]) const { return std::equal(tag, tag + 4, name); }
};

struct NameRecord {
    std::uint16_t platformId;
    std::uint16_t languageId;
    std::uint16_t nameId;
    std::uint16_t length;
    std::uint16_t offset;

    static NameRecord Parse(BigEndianReader& r) {
        NameRecord rec{};
        rec.platformId = r.U16();
        r.Skip(2);  // encodingID: not looked at; fonts in the wild mislabel it
        rec.languageId = r.U16();
        rec.nameId = r.U16();
        rec.length = r.U16();
        rec.offset = r.U16();
        return rec;
    }
};

// Walks the directory in file order and hands every complete entry to `visit`.
// An entry that cannot be read in full is skipped.
template <typename Visit>
void WalkDirectory(WindowedReader& in, std::uint64_t faceOffset, std::uint16_t numTables, Visit visit) {
    std::vector<std::uint8_t> dir(std::size_t{numTables} * kDirectoryEntrySize);
    std::size_t got = in.Read(faceOffset + kOffsetTableSize, dir);
    BigEndianReader r({dir.data(), got});
    for (std::uint16_t i = 0; i < numTables && r.Remaining() >= kDirectoryEntrySize; ++i) {
        DirectoryEntry e{};
        for (char& c : e.tag) c = static_cast<char>(r.U8());
        r.Skip(4);  // checksum: not verified
        e.offset = r.U32();
        e.length = r.U32();
        visit(e);
    }
}

// The name records a file may have examined, over all its 'name' tables. A table
// holds at most 65,535 records (its count is 16 bits), so no font needs more; a
// directory that lists several overlapping tables shares this one allowance.
constexpr std::size_t kMaxNameRecordsPerFile = 0xFFFF;

// Hands the header's string offset and then each record of the table to
// `visit`, as far as the data and `budget` go; the budget shrinks by the records
// that arrived. Records past the end of the data are not there at all.
template <typename Visit>
void ReadNameRecords(WindowedReader& in, const DirectoryEntry& table, std::size_t& budget, Visit visit) {
    std::uint8_t header[kNameHeaderSize]{};
    if (in.Read(table.offset, header) < kNameHeaderSize) return;
    BigEndianReader h(header);
    h.Skip(2);  // format
    std::uint16_t count = h.U16();
    std::uint16_t stringOffset = h.U16();

    // In chunks: the count is the file's claim, and a damaged table may claim
    // 65,535 records that are not there.
    constexpr std::size_t kChunkRecords = 256;
    std::uint8_t raw[kChunkRecords * kNameRecordSize];
    std::uint64_t at = std::uint64_t{table.offset} + kNameHeaderSize;
    for (std::size_t left = std::min<std::size_t>(count, budget); left > 0;) {
        std::size_t want = std::min(left, kChunkRecords) * kNameRecordSize;
        std::size_t got = in.Read(at, {raw, want});
        BigEndianReader r({raw, got});
        while (r.Remaining() >= kNameRecordSize) {
            --budget;
            visit(stringOffset, NameRecord::Parse(r));
        }
        if (got < want) break;
        at += want;
        left -= want / kNameRecordSize;
    }
}

// Where a name string lies in the file and how long it is.
struct StringRef {
    std::uint64_t offset = 0;
    std::uint16_t length = 0;
};
using NameRefs = std::array<std::optional<StringRef>, kNameSlotCount>;

// The record that will give each name. A later record with the same name ID
// replaces an earlier one, so only the last one of each slot is worth decoding:
// choosing first and decoding after keeps the cost of a table to its records,
// however many of them ask for long strings.
struct NameChoice {
    NameRefs english;    // Microsoft, English (United States)
    NameRefs local;      // Microsoft, the system's language
    NameRefs macintosh;  // Macintosh, language 0: used only without any Microsoft name
    bool microsoftFound = false;
};

void ChooseNames(WindowedReader& in, const DirectoryEntry& table, std::uint32_t systemLanguageId,
                 std::size_t& budget, NameChoice& choice) {
    in.Prefetch(table.offset, table.length);
    ReadNameRecords(in, table, budget, [&](std::uint16_t stringOffset, const NameRecord& rec) {
        StringRef ref{std::uint64_t{table.offset} + stringOffset + rec.offset, rec.length};
        if (rec.platformId == 3) {
            bool english = rec.languageId == kEnglishUsLanguageId;
            if (!english && rec.languageId != systemLanguageId) return;
            // Any such record counts as a Microsoft name, even one whose ID is dropped.
            choice.microsoftFound = true;
            if (rec.nameId < kNameSlotCount) (english ? choice.english : choice.local)[rec.nameId] = ref;
        } else if (rec.platformId == 1 && rec.languageId == 0 && rec.nameId < kNameSlotCount) {
            choice.macintosh[rec.nameId] = ref;
        }
    });
}

// A Macintosh string's bytes in a zeroed buffer of exactly its length: bytes
// past the end of the file stay zero.
std::string ReadMacintoshBytes(WindowedReader& in, const StringRef& ref) {
    std::string bytes(ref.length, '\0');
    in.Read(ref.offset, {reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()});
    return bytes;
}

// UTF-16 big-endian; an odd trailing byte is dropped, NULs inside are kept, and
// units past the end of the file are zero. The bytes are read straight into the
// text and turned round in place: a name can be 64 KB, and one allocation for
// it is enough.
std::u16string ReadMicrosoftName(WindowedReader& in, const std::optional<StringRef>& ref) {
    if (!ref) return {};
    std::u16string text(ref->length / 2, u'\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(text.data());
    in.Read(ref->offset, {bytes, text.size() * 2});
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    return text;
}

struct Style {
    std::int32_t weight = 0;
    bool italic = false;
};

// The work one file may cost, shared by all the faces of a collection: a
// collection of 256 faces that all point at the costliest name table must not
// cost 256 such tables. One face never reaches either limit (at most 14 names
// of 65,535 bytes are decoded), so a single font reads exactly as before; a
// damaged collection's later faces read with empty names once they are spent.
struct Allowance {
    std::size_t nameRecords = kMaxNameRecordsPerFile;
    std::size_t nameBytes = std::size_t{16} * 0xFFFF;
    // Each 'name' table read costs its window (up to 64 KB) even when it holds
    // no record. A font lists at most 100; a real collection one per face.
    std::size_t nameTables = 2 * std::size_t{kMaxCollectionFaces};

    // Whether a string of `length` bytes may still be decoded; it is counted.
    bool TakeString(std::uint16_t length) {
        if (length > nameBytes) return false;
        nameBytes -= length;
        return true;
    }
};

}  // namespace

std::u16string DecodeLatin1(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
    return text;
}

std::uint8_t EmbeddingClass(std::uint16_t fsType) {
    if (fsType & 0x0008) return 3;  // editable
    if (fsType & 0x0004) return 2;  // preview and print
    if (fsType & 0x0002) return 1;  // restricted licence
    return 4;                       // installable
}

std::uint32_t ParseLocaleText(std::u16string_view text) {
    std::uint32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0') continue;
        if (c <= u'9') {
            value = value << 4 | (c - u'0');
        } else if (c >= u'A' && c <= u'F') {
            value = value << 4 | (c - u'A' + 10);
        } else {
            break;
        }
    }
    return value;
}

namespace {

// The face whose offset table lies at `faceOffset`. A collection's faces must
// have their offset table within the data (`whole`); a file of one font that is
// short or empty reads as zeros: no tables, empty names, still a result.
std::optional<SfntFacts> ReadFace(WindowedReader& in, std::uint64_t faceOffset, bool whole, Allowance& allowance,
                                  std::uint32_t systemLanguageId, MacNameDecoder decodeMac) {
    std::uint8_t offsetTable[kOffsetTableSize]{};
    if (in.Read(faceOffset, offsetTable) < kOffsetTableSize && whole) return std::nullopt;
    BigEndianReader header(offsetTable);
    header.Skip(4);  // sfnt version: not checked
    std::uint16_t numTables = header.U16();
    if (numTables > kMaxTableCount) return std::nullopt;

    std::vector<DirectoryEntry> nameTables;
    std::optional<Style> os2Style;
    std::uint8_t os2Embedding = 0;
    Style headStyle;

    WalkDirectory(in, faceOffset, numTables, [&](const DirectoryEntry& e) {
        if (e.Is("name")) {
            nameTables.push_back(e);
        } else if (e.Is("OS/2")) {
            std::size_t want = std::min<std::size_t>(e.length, kOs2BytesUsed);
            std::uint8_t buf[kOs2BytesUsed]{};
            if (in.Read(e.offset, {buf, want}) != want) return;
            BigEndianReader r(buf);
            r.Seek(4);
            std::int32_t weight = r.U16();
            r.Seek(8);
            std::uint16_t fsType = r.U16();
            r.Seek(62);
            std::uint16_t fsSelection = r.U16();
            // Some old fonts store the weight in hundreds (1..9).
            if (weight < 10) weight *= 100;
            os2Style = Style{weight, (fsSelection & 1) != 0};
            os2Embedding = EmbeddingClass(fsType);
        } else if (e.Is("head")) {
            std::uint8_t buf[kHeadBytesUsed]{};
            if (in.Read(e.offset, buf) != kHeadBytesUsed) return;
            BigEndianReader r(buf);
            r.Seek(44);
            std::uint16_t macStyle = r.U16();
            headStyle = Style{(macStyle & 1) ? 700 : 400, (macStyle & 2) != 0};
        }
    });

    // A table's records depend on its offset alone, and reading a table again
    // after others gives its names back the last word. So each table is read
    // once, where it is listed last: a directory that names one table a hundred
    // times costs what one table costs.
    std::vector<DirectoryEntry> distinct;
    for (auto e = nameTables.rbegin(); e != nameTables.rend(); ++e)
        if (std::none_of(distinct.begin(), distinct.end(), [&](const DirectoryEntry& d) { return d.offset == e->offset; }))
            distinct.push_back(*e);
    NameChoice choice;
    for (auto e = distinct.rbegin(); e != distinct.rend() && allowance.nameRecords > 0 && allowance.nameTables > 0;
         ++e) {
        --allowance.nameTables;
        ChooseNames(in, *e, systemLanguageId, allowance.nameRecords, choice);
    }
    auto allowed = [&allowance](const std::optional<StringRef>& ref) {
        return ref && allowance.TakeString(ref->length) ? ref : std::nullopt;
    };

    SfntFacts facts;
    if (choice.microsoftFound) {
        for (int i = 0; i < kNameSlotCount; ++i) {
            std::u16string local = ReadMicrosoftName(in, allowed(choice.local[i]));
            facts.names[i] = local.empty() ? ReadMicrosoftName(in, allowed(choice.english[i])) : std::move(local);
        }
    } else {
        // Fonts made on the Mac may carry only Macintosh names (or Microsoft names
        // in a language we do not show); those are better than nothing.
        for (int i = 0; i < kNameSlotCount; ++i) {
            if (!allowed(choice.macintosh[i])) continue;
            facts.names[i] = decodeMac(ReadMacintoshBytes(in, *choice.macintosh[i]));
        }
    }

    if (os2Style) {
        facts.weight = os2Style->weight;
        facts.italic = os2Style->italic;
        facts.embedding = os2Embedding;
    } else {
        facts.weight = headStyle.weight;
        facts.italic = headStyle.italic;
    }
    return facts;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> ReadCollectionOffsets(ByteSource& source) {
    std::uint8_t header[kCollectionHeaderSize]{};
    if (source.ReadAt(0, header) < kCollectionHeaderSize || !std::equal(header, header + 4, "ttcf"))
        return std::nullopt;
    BigEndianReader r(header);
    r.Skip(4);
    const std::uint16_t major = r.U16();
    r.Skip(2);  // minor version
    std::vector<std::uint32_t> offsets;
    // Version 2 only adds a signature after the offsets, which the reader does
    // not need; another version may lay the header out otherwise.
    if (major != 1 && major != 2) return offsets;
    // The count is the file's claim (0xFFFFFFFF is one): only the offsets that
    // arrive are taken.
    const std::uint32_t count = std::min(r.U32(), kMaxCollectionFaces);
    std::vector<std::uint8_t> raw(std::size_t{count} * 4);
    raw.resize(source.ReadAt(kCollectionHeaderSize, raw));
    BigEndianReader list(raw);
    while (list.Remaining() >= 4) offsets.push_back(list.U32());
    return offsets;
}

std::optional<SfntFacts> ReadSfntFacts(ByteSource& source, std::uint32_t systemLanguageId,
                                       MacNameDecoder decodeMac, std::uint32_t faceIndex) {
    WindowedReader in(source);
    Allowance allowance;
    std::optional<std::vector<std::uint32_t>> faces = ReadCollectionOffsets(source);
    if (!faces) {
        if (faceIndex != 0) return std::nullopt;
        return ReadFace(in, 0, false, allowance, systemLanguageId, decodeMac);
    }
    if (faceIndex >= faces->size()) return std::nullopt;
    std::optional<SfntFacts> facts = ReadFace(in, (*faces)[faceIndex], true, allowance, systemLanguageId, decodeMac);
    if (facts) facts->face = faceIndex;
    return facts;
}

std::optional<std::vector<SfntFacts>> ReadSfntFaces(ByteSource& source, std::uint32_t systemLanguageId,
                                                    MacNameDecoder decodeMac) {
    WindowedReader in(source);
    Allowance allowance;
    std::vector<SfntFacts> result;
    std::optional<std::vector<std::uint32_t>> faces = ReadCollectionOffsets(source);
    if (!faces) {
        std::optional<SfntFacts> facts = ReadFace(in, 0, false, allowance, systemLanguageId, decodeMac);
        if (!facts) return std::nullopt;
        result.push_back(std::move(*facts));
        return result;
    }
    for (std::uint32_t i = 0; i < faces->size(); ++i) {
        std::optional<SfntFacts> facts = ReadFace(in, (*faces)[i], true, allowance, systemLanguageId, decodeMac);
        if (!facts) continue;
        facts->face = i;
        result.push_back(std::move(*facts));
    }
    if (result.empty()) return std::nullopt;
    return result;
}

}  // namespace typorama::catalog
