// Writes the seed corpus for font_facts_fuzzer: a few well-formed fonts,
// damaged variants that reach the reader's fallback paths, and files made to
// be slow to read.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "seed_folder.h"
#include "support/font_builder.h"

using namespace typorama::test;

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

FontSpec Small(const std::u16string& family, const std::u16string& style = u"Regular") {
    FontSpec fontSpec = FontSpec::Named(family, style);
    // A handful of glyphs keeps the seeds small; the reader never looks at them.
    GlyphOutline a;
    a.codePoint = U'A';
    a.contours.push_back({{0, 0}, {0, 700}, {250, 800, false}, {500, 700}, {500, 0}});
    fontSpec.glyphs = {a};
    return fontSpec;
}

}  // namespace

int main(int argc, char** argv) {
    Seeds seeds;

    seeds.emplace_back("regular.ttf", BuildFont(Small(u"Seed Sans")));
    seeds.emplace_back("bold_italic.ttf", BuildFont(Small(u"Seed Sans", u"Bold Italic")));

    FontSpec local = Small(u"Seed Local");
    local.names.push_back({3, 1, 0x0804, 1, u"种子", {}});
    local.names.push_back({3, 1, 0x0804, 4, u"种子 常规", {}});
    local.names.push_back({3, 1, 0x0409, 16, u"Typographic", {}});
    seeds.emplace_back("local_names.ttf", BuildFont(local));

    FontSpec mac = Small(u"Seed Mac");
    for (auto& e : mac.names)
        if (e.platformId == 3) e.languageId = 0x0407;  // third language: Macintosh fallback
    mac.os2Length.reset();
    mac.macStyle = 3;
    seeds.emplace_back("mac_fallback_no_os2.ttf", BuildFont(mac));

    FontSpec shortOs2 = Small(u"Seed Short");
    shortOs2.os2Length = 78;
    shortOs2.fsType = 0x000C;
    seeds.emplace_back("os2_78.ttf", BuildFont(shortOs2));

    // A name string running past the end of the file, and the OS/2 table cut short.
    auto damaged = BuildFont(Small(u"Seed Damaged"));
    if (auto name = FindTable(damaged, "name")) {
        std::size_t record = name->offset + 6 + 12 * 8;  // the Microsoft family name
        damaged[record + 10] = 0xFF;
        damaged[record + 11] = 0xF0;
    }
    if (auto os2 = FindTable(damaged, "OS/2"))
        Put32(damaged, os2->directoryEntry + 8, static_cast<std::uint32_t>(damaged.size() - 40));
    seeds.emplace_back("damaged.ttf", damaged);

    auto truncated = BuildFont(Small(u"Seed Cut"));
    truncated.resize(12 + 16 * 5 + 7);
    seeds.emplace_back("truncated_directory.ttf", truncated);

    auto tooMany = BuildFont(Small(u"Seed Many"));
    SetNumTables(tooMany, 101);
    seeds.emplace_back("101_tables.ttf", tooMany);

    // Collections: two faces (header version 1) and three (version 2), one with
    // a face past the end and one claiming 0xFFFFFFFF faces.
    const auto sans = BuildFont(Small(u"Seed Coll Sans")), serif = BuildFont(Small(u"Seed Coll Serif", u"Bold"));
    seeds.emplace_back("collection_2.ttc", BuildCollection({sans, serif}));
    seeds.emplace_back("collection_3_v2.ttc", BuildCollection({sans, serif, BuildFont(Small(u"Seed Coll Mono"))}, 2));
    auto pastEnd = BuildCollection({sans, serif});
    SetCollectionFaceOffset(pastEnd, 1, static_cast<std::uint32_t>(pastEnd.size() + 100));
    seeds.emplace_back("collection_face_past_end.ttc", pastEnd);
    auto claims = BuildCollection({sans, serif});
    SetCollectionFaceCount(claims, 0xFFFFFFFFu);
    seeds.emplace_back("collection_count_ffffffff.ttc", claims);

    // The costliest name tables in 1 MB: 100 directory entries for one table of
    // 65,535 records, and for 100 overlapping tables, every record asking for
    // 65,535 bytes. A reader whose work grows per record times table times
    // string stalls here, and the fuzzer's time limit turns that into a failure.
    seeds.emplace_back("name_flood.ttf", BuildNameTableFlood(1u << 20, false));
    seeds.emplace_back("name_flood_overlapping.ttf", BuildNameTableFlood(1u << 20, true));

    return WriteSeedFolder(argc, argv, seeds);
}
