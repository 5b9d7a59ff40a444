#include "catalog/sfnt_facts.h"

#include <algorithm>
#include <vector>

#include "base/byte_reader.h"

namespace typorama::catalog {
namespace {

constexpr std::size_t kOffsetTableSize = 12;
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

using NameSet = std::array<std::u16string, kNameSlotCount>;

// Walks the directory in file order and hands every complete entry to `visit`.
// An entry that cannot be read in full is skipped.
template <typename Visit>
void WalkDirectory(WindowedReader& in, std::uint16_t numTables, Visit visit) {
    std::vector<std::uint8_t> dir(std::size_t{numTables} * kDirectoryEntrySize);
    std::size_t got = in.Read(kOffsetTableSize, dir);
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

// The name header and its records, read as far as the data goes. Records past
// the end of the data are not there at all.
std::vector<NameRecord> ReadNameRecords(WindowedReader& in, const DirectoryEntry& table,
                                        std::uint16_t& stringOffset) {
    std::uint8_t header[kNameHeaderSize]{};
    if (in.Read(table.offset, header) < kNameHeaderSize) return {};
    BigEndianReader h(header);
    h.Skip(2);  // format
    std::uint16_t count = h.U16();
    stringOffset = h.U16();

    // In chunks: the count is the file's claim, and a damaged table may claim
    // 65,535 records that are not there.
    constexpr std::size_t kChunkRecords = 256;
    std::vector<NameRecord> records;
    std::uint8_t raw[kChunkRecords * kNameRecordSize];
    std::uint64_t at = std::uint64_t{table.offset} + kNameHeaderSize;
    for (std::size_t left = count; left > 0;) {
        std::size_t want = std::min(left, kChunkRecords) * kNameRecordSize;
        std::size_t got = in.Read(at, {raw, want});
        BigEndianReader r({raw, got});
        while (r.Remaining() >= kNameRecordSize) records.push_back(NameRecord::Parse(r));
        if (got < want) break;
        at += want;
        left -= want / kNameRecordSize;
    }
    return records;
}

// A string's bytes in a zeroed buffer of exactly its length: bytes past the end
// of the file stay zero.
std::vector<std::uint8_t> ReadString(WindowedReader& in, const DirectoryEntry& table,
                                     std::uint16_t stringOffset, const NameRecord& rec) {
    std::vector<std::uint8_t> bytes(rec.length, 0);
    in.Read(std::uint64_t{table.offset} + stringOffset + rec.offset, bytes);
    return bytes;
}

struct MicrosoftNames {
    NameSet english;
    NameSet local;
    bool found = false;
};

void ReadMicrosoftNames(WindowedReader& in, const DirectoryEntry& table, std::uint32_t systemLanguageId,
                        MicrosoftNames& out) {
    in.Prefetch(table.offset, table.length);
    std::uint16_t stringOffset = 0;
    for (const NameRecord& rec : ReadNameRecords(in, table, stringOffset)) {
        if (rec.platformId != 3) continue;
        bool english = rec.languageId == kEnglishUsLanguageId;
        if (!english && rec.languageId != systemLanguageId) continue;
        std::vector<std::uint8_t> bytes = ReadString(in, table, stringOffset, rec);
        // UTF-16 big-endian; an odd trailing byte is dropped. NULs inside are kept.
        std::u16string text(bytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
        if (rec.nameId < kNameSlotCount) (english ? out.english : out.local)[rec.nameId] = std::move(text);
        out.found = true;
    }
}

void ReadMacintoshNames(WindowedReader& in, const DirectoryEntry& table, MacNameDecoder decodeMac,
                        NameSet& names) {
    in.Prefetch(table.offset, table.length);
    std::uint16_t stringOffset = 0;
    for (const NameRecord& rec : ReadNameRecords(in, table, stringOffset)) {
        if (rec.platformId != 1 || rec.languageId != 0 || rec.nameId >= kNameSlotCount) continue;
        std::vector<std::uint8_t> bytes = ReadString(in, table, stringOffset, rec);
        names[rec.nameId] = decodeMac({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    }
}

struct Style {
    std::int32_t weight = 0;
    bool italic = false;
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

std::optional<SfntFacts> ReadSfntFacts(ByteSource& source, std::uint32_t systemLanguageId,
                                       MacNameDecoder decodeMac) {
    WindowedReader in(source);
    // A short or empty file reads as zeros: no tables, empty names, still a result.
    std::uint8_t offsetTable[kOffsetTableSize]{};
    in.Read(0, offsetTable);
    BigEndianReader header(offsetTable);
    header.Skip(4);  // sfnt version: not checked
    std::uint16_t numTables = header.U16();
    if (numTables > kMaxTableCount) return std::nullopt;

    MicrosoftNames ms;
    std::optional<Style> os2Style;
    std::uint8_t os2Embedding = 0;
    Style headStyle;

    WalkDirectory(in, numTables, [&](const DirectoryEntry& e) {
        if (e.Is("name")) {
            ReadMicrosoftNames(in, e, systemLanguageId, ms);
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

    SfntFacts facts;
    for (int i = 0; i < kNameSlotCount; ++i)
        facts.names[i] = ms.local[i].empty() ? std::move(ms.english[i]) : std::move(ms.local[i]);

    // Fonts made on the Mac may carry only Macintosh names (or Microsoft names in
    // a language we do not show); those are better than nothing.
    if (!ms.found) {
        WalkDirectory(in, numTables, [&](const DirectoryEntry& e) {
            if (e.Is("name")) ReadMacintoshNames(in, e, decodeMac, facts.names);
        });
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

}  // namespace typorama::catalog
