#include "catalog/sfnt_facts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/font_builder.h"
#include "support/posix_file_source.h"

namespace typorama::catalog {
namespace {

using test::BuildFont;
using test::FindTable;
using test::FontSpec;
using test::NameEntry;

constexpr std::uint16_t kChinese = 0x0804;
constexpr std::uint16_t kGerman = 0x0407;
constexpr std::uint16_t kJapanese = 0x0411;

std::optional<SfntFacts> Read(const std::vector<std::uint8_t>& bytes, std::uint32_t language = 0x0409) {
    MemoryByteSource source(bytes);
    return ReadSfntFacts(source, language);
}

// Reads and insists on a result: most damage must still give one.
SfntFacts Facts(const std::vector<std::uint8_t>& bytes, std::uint32_t language = 0x0409) {
    auto facts = Read(bytes, language);
    EXPECT_TRUE(facts.has_value());
    return facts.value_or(SfntFacts{});
}

NameEntry Ms(std::uint16_t id, std::u16string text, std::uint16_t language = 0x0409, std::uint16_t encoding = 1) {
    NameEntry e;
    e.platformId = 3;
    e.encodingId = encoding;
    e.languageId = language;
    e.nameId = id;
    e.text = std::move(text);
    return e;
}

NameEntry Mac(std::uint16_t id, std::string bytes, std::uint16_t language = 0, std::uint16_t encoding = 0) {
    NameEntry e;
    e.platformId = 1;
    e.encodingId = encoding;
    e.languageId = language;
    e.nameId = id;
    e.bytes = std::move(bytes);
    return e;
}

FontSpec WithNames(std::vector<NameEntry> names) {
    FontSpec fontSpec;
    fontSpec.names = std::move(names);
    return fontSpec;
}

std::uint16_t GetU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}
void PutU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}
void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    PutU16(b, at, static_cast<std::uint16_t>(v >> 16));
    PutU16(b, at + 2, static_cast<std::uint16_t>(v));
}

// Directory patches: tag, offset and length of a table.
void SetTableOffset(std::vector<std::uint8_t>& font, const char* tag, std::uint32_t offset) {
    auto t = FindTable(font, tag);
    ASSERT_TRUE(t);
    PutU32(font, t->directoryEntry + 8, offset);
}
void SetTableLength(std::vector<std::uint8_t>& font, const char* tag, std::uint32_t length) {
    auto t = FindTable(font, tag);
    ASSERT_TRUE(t);
    PutU32(font, t->directoryEntry + 12, length);
}

// Byte position of name record `index`.
std::size_t NameRecordAt(const std::vector<std::uint8_t>& font, std::size_t index) {
    auto t = FindTable(font, "name");
    EXPECT_TRUE(t);
    return t ? t->offset + 6 + 12 * index : 0;
}

const std::u16string kNamedTexts[kNameSlotCount] = {
    u"Copyright (c) Typorama tests", u"Typo Sans", u"Bold Italic", u"Typorama: Typo Sans Bold Italic: 1.0",
    u"Typo Sans Bold Italic",        u"Version 1.000", u"TypoSans-BoldItalic"};

TEST(SfntFacts, ReadsTheSevenNamesAndStyleOfAWellFormedFont) {
    auto bytes = BuildFont(FontSpec::Named(u"Typo Sans", u"Bold Italic"));
    SfntFacts f = Facts(bytes);
    for (int i = 0; i < kNameSlotCount; ++i) EXPECT_EQ(f.names[i], kNamedTexts[i]) << "name ID " << i;
    EXPECT_EQ(f.weight, 700);
    EXPECT_TRUE(f.italic);
    EXPECT_EQ(f.embedding, 4);

    SfntFacts regular = Facts(BuildFont(FontSpec::Named(u"Typo Sans")));
    EXPECT_EQ(regular.names[kFullName], u"Typo Sans");
    EXPECT_EQ(regular.weight, 400);
    EXPECT_FALSE(regular.italic);
}

TEST(SfntFacts, LocalNamesWinPerSlotAndEnglishFillsTheRest) {
    // Local records come first, so "later replaces earlier" cannot explain the result.
    auto bytes = BuildFont(WithNames({
        Ms(1, u"字体", kChinese),
        Ms(4, u"字体 粗体", kChinese),
        Ms(0, u"Copyright"),
        Ms(1, u"Family"),
        Ms(2, u"Bold"),
        Ms(4, u"Family Bold"),
        Ms(1, u"Schrift", kGerman),
    }));

    SfntFacts zh = Facts(bytes, kChinese);
    EXPECT_EQ(zh.names[kCopyright], u"Copyright");
    EXPECT_EQ(zh.names[kFamilyName], u"字体");
    EXPECT_EQ(zh.names[kSubfamilyName], u"Bold") << "ID only in English";
    EXPECT_EQ(zh.names[kFullName], u"字体 粗体");
    EXPECT_EQ(zh.names[kVersion], u"");

    // English system: only English records count; Chinese and German are foreign.
    SfntFacts en = Facts(bytes, 0x0409);
    EXPECT_EQ(en.names[kFamilyName], u"Family");
    EXPECT_EQ(en.names[kFullName], u"Family Bold");

    SfntFacts ja = Facts(bytes, kJapanese);
    EXPECT_EQ(ja.names[kFamilyName], u"Family");

    SfntFacts de = Facts(bytes, kGerman);
    EXPECT_EQ(de.names[kFamilyName], u"Schrift");
    EXPECT_EQ(de.names[kFullName], u"Family Bold");
}

TEST(SfntFacts, LaterRecordReplacesEarlierAndEncodingIsIgnored) {
    auto bytes = BuildFont(WithNames({
        Ms(1, u"First"),
        Ms(1, u"Second", 0x0409, 0),  // symbol encoding still counts
        Ms(2, u"Local one", kChinese),
        Ms(2, u"Local two", kChinese, 10),
        Ms(6, u"PS", 0x0409, 77),
    }));
    SfntFacts f = Facts(bytes, kChinese);
    EXPECT_EQ(f.names[kFamilyName], u"Second");
    EXPECT_EQ(f.names[kSubfamilyName], u"Local two");
    EXPECT_EQ(f.names[kPostScriptName], u"PS");
}

TEST(SfntFacts, MacintoshNamesAreTheFallbackWhenNoMicrosoftNameMatches) {
    FontSpec fontSpec = WithNames({
        Mac(1, "Mac Family"),
        Mac(1, "Japanese", 11),    // Macintosh language other than English: ignored
        Mac(2, "Caf\xE9", 0, 1),   // encodingID is not looked at
        Mac(4, "Wrong"),
        Mac(4, "Mac Full"),        // later replaces earlier
        Mac(9, "ID 9"),
        Ms(1, u"Deutsch", kGerman),  // third language: not used, sets no flag
    });
    NameEntry unicode = Ms(1, u"Unicode platform");
    unicode.platformId = 0;  // Unicode platform: neither pass reads it
    unicode.encodingId = 3;
    fontSpec.names.push_back(unicode);
    auto bytes = BuildFont(fontSpec);

    SfntFacts f = Facts(bytes, kChinese);
    EXPECT_EQ(f.names[kFamilyName], u"Mac Family");
    EXPECT_EQ(f.names[kSubfamilyName], u"Caf\u00E9");
    EXPECT_EQ(f.names[kFullName], u"Mac Full");
    EXPECT_EQ(f.names[kCopyright], u"");

    // The caller's decoder turns the bytes into text.
    MemoryByteSource source(bytes);
    auto decoded = ReadSfntFacts(source, 0x0409, [](std::string_view b) { return u"<" + DecodeLatin1(b) + u">"; });
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->names[kFamilyName], u"<Mac Family>");

    // The German system language makes the Microsoft record usable: no fallback.
    SfntFacts de = Facts(bytes, kGerman);
    EXPECT_EQ(de.names[kFamilyName], u"Deutsch");
    EXPECT_EQ(de.names[kFullName], u"");
}

TEST(SfntFacts, AnyUsedMicrosoftRecordSuppressesTheMacintoshFallback) {
    // Name ID 16 is read and dropped, but it is a Microsoft name all the same.
    auto bytes = BuildFont(WithNames({Mac(1, "Mac Family"), Ms(16, u"Typographic family")}));
    SfntFacts f = Facts(bytes);
    for (int i = 0; i < kNameSlotCount; ++i) EXPECT_EQ(f.names[i], u"") << "name ID " << i;
}

TEST(SfntFacts, FontWithoutUsableNamesSucceedsWithEmptyNames) {
    for (auto names : {std::vector<NameEntry>{}, std::vector<NameEntry>{Ms(1, u"Deutsch", kGerman), Mac(1, "X", 2)}}) {
        SfntFacts f = Facts(BuildFont(WithNames(names)));
        for (int i = 0; i < kNameSlotCount; ++i) EXPECT_EQ(f.names[i], u"") << "name ID " << i;
        EXPECT_EQ(f.weight, 400) << "the style is still read";
    }
}

TEST(SfntFacts, NameStringsKeepNulsAndReadPastTheEndAsZeros) {
    NameEntry odd = Ms(2, u"");
    odd.bytes = std::string("\0A\0B\0", 5);  // five bytes: two code units
    auto bytes = BuildFont(WithNames({Ms(1, std::u16string(u"A\0B", 3)), odd, Ms(4, u"Full")}));
    SfntFacts f = Facts(bytes);
    EXPECT_EQ(f.names[kFamilyName], std::u16string(u"A\0B", 3));
    EXPECT_EQ(f.names[kSubfamilyName], u"AB");

    // Point record 2 (ID 4) at the last two bytes of the file and make it 8 bytes long.
    bytes.push_back(0);
    bytes.push_back('Z');
    auto name = FindTable(bytes, "name");
    ASSERT_TRUE(name);
    std::size_t record = NameRecordAt(bytes, 2);
    std::size_t strings = name->offset + GetU16(bytes, name->offset + 4);
    PutU16(bytes, record + 8, 8);
    PutU16(bytes, record + 10, static_cast<std::uint16_t>(bytes.size() - 2 - strings));
    EXPECT_EQ(Facts(bytes).names[kFullName], std::u16string(u"Z\0\0\0", 4));

    // A string wholly beyond the end is all zeros, not skipped.
    PutU16(bytes, record + 10, 0xFFF0);
    EXPECT_EQ(Facts(bytes).names[kFullName], std::u16string(4, u'\0'));
}

TEST(SfntFacts, NamesAreFoundWhateverTheNameTableLengthSays) {
    // No table length is compared with anything: strings outside the stated
    // length, or a length far beyond the file, still read normally.
    auto fontSpec = FontSpec::Named(u"Typo Sans", u"Bold Italic");
    for (std::uint32_t length : {0u, 6u, 0xFFFFFFFFu}) {
        auto bytes = BuildFont(fontSpec);
        SetTableLength(bytes, "name", length);
        SfntFacts f = Facts(bytes);
        for (int i = 0; i < kNameSlotCount; ++i)
            EXPECT_EQ(f.names[i], kNamedTexts[i]) << "name ID " << i << ", length " << length;
    }
}

TEST(SfntFacts, WeightAndItalicComeFromOs2) {
    struct Case {
        std::uint16_t weightClass, fsSelection;
        std::int32_t weight;
        bool italic;
    } cases[] = {
        {4, 0, 400, false}, {0, 0, 0, false},     {9, 0, 900, false},      {1, 0, 100, false},
        {10, 0, 10, false}, {700, 1, 700, true},  {400, 0x40, 400, false}, {1000, 0x21, 1000, true},
    };
    for (const Case& c : cases) {
        FontSpec fontSpec = FontSpec::Named(u"W");
        fontSpec.weightClass = c.weightClass;
        fontSpec.fsSelection = c.fsSelection;
        fontSpec.macStyle = 0x03;  // head disagrees: OS/2 wins
        SfntFacts f = Facts(BuildFont(fontSpec));
        EXPECT_EQ(f.weight, c.weight) << "usWeightClass " << c.weightClass;
        EXPECT_EQ(f.italic, c.italic) << "fsSelection " << c.fsSelection;
    }
}

TEST(SfntFacts, EmbeddingClassFromFsType) {
    struct Case {
        std::uint16_t fsType;
        std::uint8_t embedding;
    } cases[] = {{0x0000, 4}, {0x0002, 1}, {0x0004, 2}, {0x0008, 3}, {0x000C, 3},
                 {0x000A, 3}, {0x0006, 2}, {0x000E, 3}, {0x0001, 4}, {0x0300, 4}, {0x0302, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(EmbeddingClass(c.fsType), c.embedding) << "fsType " << c.fsType;
        FontSpec fontSpec = FontSpec::Named(u"E");
        fontSpec.fsType = c.fsType;
        EXPECT_EQ(Facts(BuildFont(fontSpec)).embedding, c.embedding) << "font with fsType " << c.fsType;
    }
}

TEST(SfntFacts, WithoutOs2TheStyleComesFromHeadAndEmbeddingIsUnknown) {
    for (std::uint16_t macStyle : {0, 1, 2, 3}) {
        FontSpec fontSpec = FontSpec::Named(u"H");
        fontSpec.os2Length.reset();
        fontSpec.macStyle = macStyle;
        SfntFacts f = Facts(BuildFont(fontSpec));
        EXPECT_EQ(f.weight, (macStyle & 1) ? 700 : 400) << "macStyle " << macStyle;
        EXPECT_EQ(f.italic, (macStyle & 2) != 0) << "macStyle " << macStyle;
        EXPECT_EQ(f.embedding, 0);
        EXPECT_EQ(f.names[kFamilyName], u"H");
    }
    FontSpec neither = FontSpec::Named(u"N");
    neither.os2Length.reset();
    neither.withHead = false;
    SfntFacts f = Facts(BuildFont(neither));
    EXPECT_EQ(f.weight, 0);
    EXPECT_FALSE(f.italic);
    EXPECT_EQ(f.names[kFamilyName], u"N");
}

TEST(SfntFacts, ShortOs2TablesAreUsedWithMissingFieldsAsZero) {
    FontSpec fontSpec = FontSpec::Named(u"S");
    fontSpec.weightClass = 700;
    fontSpec.fsType = 0x0008;
    fontSpec.fsSelection = 0x0001;
    fontSpec.macStyle = 0;

    fontSpec.os2Length = 78;  // version 0 table: every field used is inside
    SfntFacts v0 = Facts(BuildFont(fontSpec));
    EXPECT_EQ(v0.weight, 700);
    EXPECT_TRUE(v0.italic);
    EXPECT_EQ(v0.embedding, 3);

    // The full table is in the file but the directory claims less: bytes beyond
    // the stated length are not the table's and must read as zero.
    fontSpec.os2Length = 96;
    struct Case {
        std::uint32_t length;
        std::int32_t weight;
        bool italic;
        std::uint8_t embedding;
    } cases[] = {{64, 700, true, 3}, {62, 700, false, 3}, {10, 700, false, 3},
                 {8, 700, false, 4}, {5, 0x0200, false, 4}, {4, 0, false, 4}, {0, 0, false, 4}};
    for (const Case& c : cases) {
        auto bytes = BuildFont(fontSpec);
        SetTableLength(bytes, "OS/2", c.length);
        SfntFacts f = Facts(bytes);
        EXPECT_EQ(f.weight, c.weight) << "OS/2 length " << c.length;
        EXPECT_EQ(f.italic, c.italic) << "OS/2 length " << c.length;
        EXPECT_EQ(f.embedding, c.embedding) << "OS/2 length " << c.length;
    }
}

TEST(SfntFacts, TablesCutByTheEndOfTheFileAreIgnored) {
    FontSpec fontSpec = FontSpec::Named(u"T");
    fontSpec.weightClass = 300;
    fontSpec.fsType = 0x0002;
    fontSpec.macStyle = 0x0003;
    auto bytes = BuildFont(fontSpec);

    // Move OS/2 to the end of the file with only 85 of the 86 bytes the reader
    // wants: OS/2 is ignored and head decides.
    auto os2 = FindTable(bytes, "OS/2");
    ASSERT_TRUE(os2);
    std::vector<std::uint8_t> os2Head(bytes.begin() + os2->offset, bytes.begin() + os2->offset + 85);
    SetTableOffset(bytes, "OS/2", static_cast<std::uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), os2Head.begin(), os2Head.end());
    SfntFacts f = Facts(bytes);
    EXPECT_EQ(f.weight, 700);
    EXPECT_TRUE(f.italic);
    EXPECT_EQ(f.embedding, 0);

    // A 40-byte OS/2 table needs only 40 bytes.
    SetTableLength(bytes, "OS/2", 40);
    f = Facts(bytes);
    EXPECT_EQ(f.weight, 300);
    EXPECT_FALSE(f.italic);
    EXPECT_EQ(f.embedding, 1);

    // head needs all 54 bytes, whatever its stated length.
    fontSpec.os2Length.reset();
    for (std::size_t kept : {53u, 54u}) {
        auto font = BuildFont(fontSpec);
        auto head = FindTable(font, "head");
        ASSERT_TRUE(head);
        std::vector<std::uint8_t> copy(font.begin() + head->offset, font.begin() + head->offset + kept);
        SetTableOffset(font, "head", static_cast<std::uint32_t>(font.size()));
        SetTableLength(font, "head", 2);
        font.insert(font.end(), copy.begin(), copy.end());
        f = Facts(font);
        EXPECT_EQ(f.weight, kept == 54 ? 700 : 0) << kept << " bytes of head";
        EXPECT_EQ(f.italic, kept == 54) << kept << " bytes of head";
    }
}

TEST(SfntFacts, TableCountLimitIsOneHundred) {
    FontSpec fontSpec = FontSpec::Named(u"Many");
    std::size_t real = BuildFont(fontSpec).at(5);  // tables the builder writes itself
    for (std::size_t i = real; i < 100; ++i) {
        char tag[5];
        std::snprintf(tag, sizeof tag, "X%03zu", i);
        fontSpec.extraTables.push_back({tag, {1, 2, 3, 4}});
    }
    auto hundred = BuildFont(fontSpec);
    ASSERT_EQ(GetU16(hundred, 4), 100);
    auto f = Read(hundred);
    ASSERT_TRUE(f) << "100 tables are accepted";
    EXPECT_EQ(f->names[kFamilyName], u"Many");

    fontSpec.extraTables.push_back({"Y101", {1}});
    EXPECT_FALSE(Read(BuildFont(fontSpec))) << "101 tables are refused";

    auto few = BuildFont(FontSpec::Named(u"Few"));
    for (std::uint16_t n : {101, 0x8000, 0xFFFF}) {
        test::SetNumTables(few, n);
        EXPECT_FALSE(Read(few)) << n << " tables";
    }
}

TEST(SfntFacts, DamagedOrForeignFilesGiveEmptyFactsNotFailure) {
    auto expectEmpty = [](const std::vector<std::uint8_t>& bytes, const char* what) {
        auto f = Read(bytes);
        ASSERT_TRUE(f) << what;
        for (int i = 0; i < kNameSlotCount; ++i) EXPECT_EQ(f->names[i], u"") << what;
        EXPECT_EQ(f->weight, 0) << what;
        EXPECT_EQ(f->embedding, 0) << what;
    };
    expectEmpty({}, "empty file");
    expectEmpty({0, 1, 0, 0, 0}, "five bytes");
    std::string text = "\x7F" "ELF\0\x03 and then a lot of text that is not a font at all";
    expectEmpty({text.begin(), text.end()}, "not a font, 3 tables claimed");

    std::string letter = "Dear reader, this is plain text.";  // bytes 4..5 "r " = 0x7220
    EXPECT_FALSE(Read({letter.begin(), letter.end()}));

    auto font = BuildFont(FontSpec::Named(u"Cut"));
    for (std::size_t cut : {12u, 12u + 16u * 3u + 8u, 12u + 16u * 10u}) {
        std::vector<std::uint8_t> truncated(font.begin(), font.begin() + cut);
        expectEmpty(truncated, "truncated directory");
    }
}

TEST(SfntFacts, DirectoryEntriesAreMatchedExactlyAndExtraEntriesTolerated) {
    auto font = BuildFont(FontSpec::Named(u"Tags", u"Bold"));
    // numTables larger than the directory: the extra "entries" are table data.
    auto more = font;
    test::SetNumTables(more, 30);
    SfntFacts f = Facts(more);
    EXPECT_EQ(f.names[kFamilyName], u"Tags");
    EXPECT_EQ(f.weight, 700);

    // Tags compare case-sensitively.
    auto renamed = font;
    auto name = FindTable(renamed, "name");
    auto os2 = FindTable(renamed, "OS/2");
    ASSERT_TRUE(name && os2);
    renamed[name->directoryEntry] = 'N';
    renamed[os2->directoryEntry + 1] = 's';
    f = Facts(renamed);
    EXPECT_EQ(f.names[kFamilyName], u"");
    EXPECT_EQ(f.embedding, 0) << "OS/2 under another tag is not read";
    EXPECT_EQ(f.weight, 700) << "head still is";
}

TEST(SfntFacts, NameTablesListedManyTimesCostAboutTheirSize) {
    // Every byte asked of the source is counted; past a few times the file the
    // reader is doing per record what it should do per file, and the read stops.
    struct Metered final : ByteSource {
        MemoryByteSource bytes;
        std::uint64_t allowance;
        explicit Metered(const std::vector<std::uint8_t>& b) : bytes(b), allowance(4 * std::uint64_t{b.size()}) {}
        std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
            if (out.size() > allowance) throw std::length_error("read far more than the file");
            allowance -= out.size();
            return bytes.ReadAt(offset, out);
        }
    };
    for (bool shifted : {false, true}) {
        // 100 entries for one table of 65,535 records (788 KB), or for 100
        // overlapping tables in 1 MB, every record asking for 65,535 bytes.
        auto flood = test::BuildNameTableFlood(1u << 20, shifted);
        Metered source(flood);
        std::optional<SfntFacts> f;
        ASSERT_NO_THROW(f = ReadSfntFacts(source, kChinese)) << (shifted ? "overlapping tables" : "one table");
        ASSERT_TRUE(f);
        EXPECT_EQ(f->names[kFamilyName].size(), 0xFFFFu / 2) << "the names are still read";
    }

    // Listed more than once, a table still has the last word where it is
    // listed last: B, A, B reads as A, then B.
    auto other = BuildFont(WithNames({Ms(1, u"B family"), Ms(4, u"B full")}));
    auto otherName = FindTable(other, "name");
    ASSERT_TRUE(otherName);
    FontSpec withSlots = WithNames({Ms(1, u"A family"), Ms(2, u"A style")});
    withSlots.extraTables = {{"nam0", {}}, {"namz", {}}};  // sorted around "name"
    auto font = BuildFont(withSlots);
    const auto tableB = static_cast<std::uint32_t>(font.size());
    font.insert(font.end(), other.begin() + otherName->offset, other.begin() + otherName->offset + otherName->length);
    for (const char* slot : {"nam0", "namz"}) {
        auto t = FindTable(font, slot);
        ASSERT_TRUE(t);
        std::copy_n("name", 4, font.begin() + static_cast<std::ptrdiff_t>(t->directoryEntry));
        PutU32(font, t->directoryEntry + 8, tableB);
        PutU32(font, t->directoryEntry + 12, otherName->length);
    }
    SfntFacts f = Facts(font);
    EXPECT_EQ(f.names[kFamilyName], u"B family");
    EXPECT_EQ(f.names[kSubfamilyName], u"A style");
    EXPECT_EQ(f.names[kFullName], u"B full");
}

TEST(SfntFacts, ReadsOnlyTheTablesItNeedsFromAFile) {
    // A font with a lot of glyph data; the reader must not read the file whole.
    FontSpec fontSpec = FontSpec::Named(u"Big");
    for (char32_t cp = 0x4E00; cp < 0x4E00 + 3000; ++cp) {
        test::GlyphOutline g;
        g.codePoint = cp;
        g.contours.push_back({{0, 0}, {0, 700}, {300, 800, false}, {600, 700}, {600, 0}});
        fontSpec.glyphs.push_back(g);
    }
    auto bytes = BuildFont(fontSpec);
    auto path = std::filesystem::temp_directory_path() / "typorama_sfnt_facts_file.ttf";
    ASSERT_TRUE(test::WriteBytesToFile(path, bytes));

    struct Counting final : ByteSource {
        test::PosixFileByteSource file;
        std::uint64_t bytesRead = 0;
        explicit Counting(const char* p) : file(p) {}
        std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
            std::size_t n = file.ReadAt(offset, out);
            bytesRead += n;
            return n;
        }
    } source(path.c_str());
    ASSERT_TRUE(source.file.IsOpen());
    auto f = ReadSfntFacts(source, 0x0409);
    std::filesystem::remove(path);

    ASSERT_TRUE(f);
    EXPECT_EQ(f->names[kFullName], u"Big");
    EXPECT_EQ(f->weight, 400);
    EXPECT_LT(source.bytesRead, bytes.size() / 10) << "file of " << bytes.size() << " bytes";
}

TEST(ParseLocaleText, ReadsUpperCaseHexAndStopsAtOtherLetters) {
    struct Case {
        std::u16string_view text;
        std::uint32_t id;
    } cases[] = {
        {u"00000409", 0x0409}, {u"0804", 0x0804},   {u"  0411", 0x0411}, {u"-04 09", 0x0409},
        {u"0C0A", 0x0C0A},     {u"04a9", 0x04},     {u"04G9", 0x04},     {u"", 0},
        {u"abc", 0},           {u"00000409\n", 0x0409}, {u"0000040F", 0x040F},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLocaleText(c.text), c.id) << "text \"" << std::string(c.text.begin(), c.text.end()) << '"';
}

}  // namespace
}  // namespace typorama::catalog

namespace typorama::catalog {
namespace {

std::vector<std::uint8_t> ThreeFaceCollection(std::uint16_t version = 1) {
    FontSpec bold = FontSpec::Named(u"Typo Serif", u"Bold");
    bold.weightClass = 700;
    return test::BuildCollection({BuildFont(FontSpec::Named(u"Typo Sans")), BuildFont(bold),
                                  BuildFont(FontSpec::Named(u"Typo Mono"))},
                                 version);
}

// A collection of `count` faces that all are the one font given.
std::vector<std::uint8_t> SharedFaces(std::vector<std::uint8_t> font, std::uint32_t count) {
    const std::uint32_t base = 12 + 4 * count;
    std::vector<std::uint8_t> out = {'t', 't', 'c', 'f', 0, 1, 0, 0};
    out.resize(base);
    PutU32(out, 8, count);
    for (std::uint32_t i = 0; i < count; ++i) PutU32(out, 12 + 4 * i, base);
    for (std::size_t t = 0; t < GetU16(font, 4); ++t) {
        const std::size_t at = 12 + 16 * t + 8;
        PutU32(font, at, static_cast<std::uint32_t>(font[at] << 24 | font[at + 1] << 16 | font[at + 2] << 8 | font[at + 3]) + base);
    }
    out.insert(out.end(), font.begin(), font.end());
    return out;
}

std::vector<SfntFacts> Faces(const std::vector<std::uint8_t>& bytes) {
    MemoryByteSource source(bytes);
    return ReadSfntFaces(source, 0x0409).value_or(std::vector<SfntFacts>{});
}

TEST(SfntFacts, CollectionsGiveEachFaceWithItsOwnNamesAndIndex) {
    for (std::uint16_t version : {1, 2}) {
        const auto bytes = ThreeFaceCollection(version);
        const std::vector<SfntFacts> faces = Faces(bytes);
        ASSERT_EQ(faces.size(), 3u) << "version " << version;
        const char16_t* full[] = {u"Typo Sans", u"Typo Serif Bold", u"Typo Mono"};
        for (std::uint32_t i = 0; i < 3; ++i) {
            EXPECT_EQ(faces[i].face, i);
            EXPECT_EQ(faces[i].names[kFullName], full[i]);
        }
        EXPECT_EQ(faces[1].weight, 700);
        EXPECT_EQ(faces[0].weight, 400);

        // The face index chooses; one past the last is no face.
        MemoryByteSource source(bytes);
        auto second = ReadSfntFacts(source, 0x0409, &DecodeLatin1, 1);
        ASSERT_TRUE(second);
        EXPECT_EQ(second->names[kFamilyName], u"Typo Serif");
        EXPECT_EQ(Read(bytes)->names[kFamilyName], u"Typo Sans") << "face 0 by default";
        EXPECT_FALSE(ReadSfntFacts(source, 0x0409, &DecodeLatin1, 3));
    }

    // A file of one font is face 0 only, and no collection.
    const auto single = BuildFont(FontSpec::Named(u"Typo Sans"));
    ASSERT_EQ(Faces(single).size(), 1u);
    EXPECT_FALSE(Faces(single)[0].face);
    MemoryByteSource source(single);
    EXPECT_FALSE(ReadSfntFacts(source, 0x0409, &DecodeLatin1, 1));
    EXPECT_FALSE(ReadCollectionOffsets(source));
}

TEST(SfntFacts, DamagedCollectionsKeepWhatTheyHoldAndNoMore) {
    // A face whose offset table lies past the end is left out; the others keep their index.
    auto pastEnd = ThreeFaceCollection();
    test::SetCollectionFaceOffset(pastEnd, 1, static_cast<std::uint32_t>(pastEnd.size() - 4));
    std::vector<SfntFacts> faces = Faces(pastEnd);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0].face, 0u);
    EXPECT_EQ(faces[1].face, 2u);
    EXPECT_EQ(faces[1].names[kFullName], u"Typo Mono");
    test::SetCollectionFaceOffset(pastEnd, 1, 0xFFFFFFF0u);
    EXPECT_EQ(Faces(pastEnd).size(), 2u);
    MemoryByteSource source(pastEnd);
    EXPECT_FALSE(ReadSfntFacts(source, 0x0409, &DecodeLatin1, 1));

    // Every face out of reach, or none at all: no font.
    for (std::uint32_t i : {0u, 2u}) test::SetCollectionFaceOffset(pastEnd, i, 0xFFFFFFF0u);
    MemoryByteSource none(pastEnd);
    EXPECT_FALSE(ReadSfntFaces(none, 0x0409));
    auto empty = ThreeFaceCollection();
    test::SetCollectionFaceCount(empty, 0);
    MemoryByteSource zero(empty);
    EXPECT_FALSE(ReadSfntFaces(zero, 0x0409));

    // A count of 0xFFFFFFFF: the offsets that arrive, up to the cap, are all
    // that is read; the real faces come first.
    auto huge = ThreeFaceCollection();
    test::SetCollectionFaceCount(huge, 0xFFFFFFFFu);
    MemoryByteSource claims(huge);
    auto offsets = ReadCollectionOffsets(claims);
    ASSERT_TRUE(offsets);
    EXPECT_EQ(offsets->size(), kMaxCollectionFaces);
    faces = Faces(huge);
    ASSERT_GE(faces.size(), 3u);
    EXPECT_LE(faces.size(), kMaxCollectionFaces);
    EXPECT_EQ(faces[2].names[kFullName], u"Typo Mono");
    // ... and a file that ends within the offsets gives only those there.
    std::vector<std::uint8_t> cut(huge.begin(), huge.begin() + 12 + 4 * 2 + 3);
    MemoryByteSource shortSource(cut);
    EXPECT_EQ(ReadCollectionOffsets(shortSource)->size(), 2u);

    // 256 faces that all point at the costliest name table cost about what one
    // does: the file's allowance of records and name bytes is shared.
    const std::vector<std::uint8_t> floodBytes = SharedFaces(test::BuildNameTableFlood(1u << 20, false), kMaxCollectionFaces);
    faces = Faces(floodBytes);
    ASSERT_EQ(faces.size(), kMaxCollectionFaces);
    std::size_t units = 0;
    for (const SfntFacts& face : faces)
        for (const auto& name : face.names) units += name.size();
    EXPECT_LE(units, 16u * 0xFFFF / 2) << "name bytes decoded over all faces";
    EXPECT_GT(units, 0u);

    // A header version whose layout is unknown is not read.
    auto version3 = ThreeFaceCollection();
    PutU16(version3, 4, 3);
    MemoryByteSource v3(version3);
    EXPECT_TRUE(ReadCollectionOffsets(v3)->empty());
    EXPECT_FALSE(ReadSfntFaces(v3, 0x0409));
}

}  // namespace
}  // namespace typorama::catalog
