// The builder's fonts must be loadable by Windows and FreeType; these checks keep
// the structural rules they insist on from drifting.
#include "support/font_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace typorama::test {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}
std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

std::uint32_t Sum(const std::vector<std::uint8_t>& b, std::size_t offset, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length; i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4; ++k) word = word << 8 | (i + k < length ? b[offset + i + k] : 0);
        sum += word;
    }
    return sum;
}

void ExpectWellFormed(const std::vector<std::uint8_t>& font, const std::string& what) {
    ASSERT_GE(font.size(), 12u) << what;
    EXPECT_EQ(font.size() % 4, 0u) << what;
    std::uint16_t n = U16At(font, 4);
    std::uint16_t pow2 = 1;
    while (pow2 * 2 <= n) pow2 *= 2;
    EXPECT_EQ(U16At(font, 6), pow2 * 16) << what;
    EXPECT_EQ(1u << U16At(font, 8), pow2) << what;
    EXPECT_EQ(U16At(font, 10), n * 16 - pow2 * 16) << what;
    std::string previous;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t at = 12 + 16 * i;
        std::string tag(font.begin() + at, font.begin() + at + 4);
        EXPECT_LT(previous, tag) << what << ": directory sorted by tag";
        previous = tag;
        std::uint32_t offset = U32At(font, at + 8), length = U32At(font, at + 12);
        EXPECT_EQ(offset % 4, 0u) << what << ": " << tag;
        ASSERT_LE(std::uint64_t{offset} + length, font.size()) << what << ": " << tag;
        std::uint32_t sum = Sum(font, offset, length);
        if (tag == "head") sum -= U32At(font, offset + 8);  // checkSumAdjustment counts as zero
        EXPECT_EQ(U32At(font, at + 4), sum) << what << ": checksum of " << tag;
    }
    if (FindTable(font, "head")) {
        EXPECT_EQ(Sum(font, 0, font.size()), 0xB1B0AFBAu) << what;
    }
}

TEST(FontBuilder, WritesConsistentDirectoryAndChecksums) {
    ExpectWellFormed(BuildFont(FontSpec::Named(u"Typo Sans")), "regular");
    FontSpec odd = FontSpec::Named(u"Typo Odd", u"Bold Italic");
    odd.os2Length = 78;
    odd.unitsPerEm = 2048;
    odd.names.push_back({3, 1, 0x0409, 7, u"", "\x01"});  // a one-byte record
    odd.extraTables = {{"zzzz", {1, 2, 3}}, {"AAAA", {4}}};
    ExpectWellFormed(BuildFont(odd), "odd sizes and extra tables");
    FontSpec headless = FontSpec::Named(u"Headless");
    headless.withHead = false;
    headless.os2Length.reset();
    auto font = BuildFont(headless);
    ExpectWellFormed(font, "no head, no OS/2");
    EXPECT_FALSE(FindTable(font, "head"));
    EXPECT_FALSE(FindTable(font, "OS/2"));
}

}  // namespace
}  // namespace typorama::test
