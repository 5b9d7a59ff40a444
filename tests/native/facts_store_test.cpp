#include "catalog/facts_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace typorama::catalog {
namespace {

StoredFacts Font(std::u16string path, std::u16string fullName) {
    StoredFacts entry;
    entry.path = std::move(path);
    entry.size = 0x1'0000'0001ull;  // beyond 32 bits
    entry.writeTime = 0x01DB'1234'5678'9ABCull;
    entry.languageId = 0x0804;
    entry.readable = true;
    SfntFacts& face = entry.faces.emplace_back();
    face.names[kFullName] = std::move(fullName);
    face.names[kFamilyName] = u"Family";
    face.weight = 700;
    face.italic = true;
    face.embedding = 3;
    return entry;
}

TEST(FactsStore, WhatIsWrittenReadsBackExactly) {
    std::vector<StoredFacts> entries = {
        Font(u"C:\\fonts\\a.ttf", u"Alpha"),
        // Names keep what the font holds: NULs, CJK, a surrogate pair, a lone surrogate.
        Font(u"C:\\字体\\b.ttf", std::u16string(u"B\0eta 宋体 \U0001F600 ", 12) + char16_t(0xD800)),
        StoredFacts{u"C:\\fonts\\broken.ttf", 12, 34, 0x0409, false, {}},
        Font(u"C:\\fonts\\simsun.ttc", u"SimSun"),
    };
    entries[1].faces[0].names[kCopyright] = std::u16string(65535, u'c');  // the longest a name can be
    // A collection: each face keeps its index, a face left out leaves a gap.
    entries[3].faces[0].face = 0;
    entries[3].faces.push_back(entries[3].faces[0]);
    entries[3].faces[1].face = 2;
    entries[3].faces[1].names[kFullName] = u"NSimSun";
    entries[3].faces[1].italic = false;

    auto decoded = DecodeFactsStore(EncodeFactsStore(entries));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const StoredFacts &in = entries[i], &out = (*decoded)[i];
        EXPECT_EQ(out.path, in.path);
        EXPECT_EQ(out.size, in.size);
        EXPECT_EQ(out.writeTime, in.writeTime);
        EXPECT_EQ(out.languageId, in.languageId);
        EXPECT_EQ(out.readable, in.readable);
        ASSERT_EQ(out.faces.size(), in.faces.size());
        for (std::size_t f = 0; f < in.faces.size(); ++f) {
            EXPECT_EQ(out.faces[f].names, in.faces[f].names);
            EXPECT_EQ(out.faces[f].weight, in.faces[f].weight);
            EXPECT_EQ(out.faces[f].italic, in.faces[f].italic);
            EXPECT_EQ(out.faces[f].embedding, in.faces[f].embedding);
            EXPECT_EQ(out.faces[f].face, in.faces[f].face);
        }
    }

    // What the format cannot hold is left out, not cut.
    std::vector<StoredFacts> odd = {Font(u"", u"No path"), Font(std::u16string(70000, u'p'), u"Long path"),
                                    Font(u"C:\\ok.ttf", std::u16string(65536, u'n'))};
    decoded = DecodeFactsStore(EncodeFactsStore(odd));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->empty());
}

TEST(FactsStore, AnythingButAWholeUnchangedStoreIsDropped) {
    const std::vector<StoredFacts> entries = {Font(u"C:\\fonts\\a.ttf", u"Alpha"), Font(u"C:\\fonts\\b.ttf", u"Beta")};
    const std::vector<std::uint8_t> bytes = EncodeFactsStore(entries);
    ASSERT_TRUE(DecodeFactsStore(bytes));

    EXPECT_FALSE(DecodeFactsStore({}));
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(DecodeFactsStore({bytes.data(), cut})) << "cut after " << cut << " bytes";
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodeFactsStore(longer));
    for (std::size_t at : {std::size_t{0}, std::size_t{4}, std::size_t{12}, bytes.size() / 2, bytes.size() - 1}) {
        std::vector<std::uint8_t> damaged = bytes;
        damaged[at] ^= 0x20;
        EXPECT_FALSE(DecodeFactsStore(damaged)) << "byte " << at << " changed";
    }

    // A count that claims more entries than the bytes hold, with a checksum
    // that matches: the claim is not believed.
    std::vector<std::uint8_t> claims = bytes;
    claims[8] = claims[9] = claims[10] = claims[11] = 0xFF;
    EXPECT_FALSE(DecodeFactsStore(claims));
}

}  // namespace
}  // namespace typorama::catalog
