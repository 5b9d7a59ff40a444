// The CRC-32 routines against known sums and against the plain table method.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/crc32.h"

namespace typorama {
namespace {

using Routine = std::uint32_t (*)(std::uint32_t, const void*, std::size_t);

std::vector<std::pair<const char*, Routine>> Routines() {
    std::vector<std::pair<const char*, Routine>> r = {
        {"bytewise", Crc32Bytewise}, {"slice16", Crc32Slice16}, {"dispatch", Crc32}};
    if (HasCarrylessMultiply()) r.emplace_back("folding", Crc32Folding);
    return r;
}

std::vector<std::uint8_t> Noise(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::uint32_t x = 0x2545F491;
    for (auto& b : bytes) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return bytes;
}

TEST(Crc32Test, KnownSums) {
    const std::pair<std::string_view, std::uint32_t> vectors[] = {
        {"", 0},
        {"a", 0xE8B7BE43},
        {"123456789", 0xCBF43926},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339},
    };
    for (auto [name, crc32] : Routines())
        for (auto [text, sum] : vectors) EXPECT_EQ(crc32(0, text.data(), text.size()), sum) << name << " " << text;
    // A long run of one byte goes through every folding loop.
    std::vector<std::uint8_t> zeros(4096, 0);
    for (auto [name, crc32] : Routines()) EXPECT_EQ(crc32(0, zeros.data(), zeros.size()), 0xC71C0011u) << name;
}

TEST(Crc32Test, EveryLengthAndStartAgreesWithThePlainTable) {
    auto bytes = Noise(300 + 16);
    for (auto [name, crc32] : Routines())
        for (std::size_t start = 0; start < 16; ++start)
            for (std::size_t n = 0; n <= 300; ++n)
                ASSERT_EQ(crc32(0, bytes.data() + start, n), Crc32Bytewise(0, bytes.data() + start, n))
                    << name << " start " << start << " length " << n;
}

TEST(Crc32Test, PiecesContinueTheSum) {
    auto bytes = Noise(100000);
    const std::uint32_t whole = Crc32Bytewise(0, bytes.data(), bytes.size());
    for (auto [name, crc32] : Routines()) {
        std::uint32_t crc = 0;
        std::size_t at = 0;
        for (std::size_t piece = 1; at < bytes.size(); piece = piece * 3 + 1) {
            std::size_t n = std::min(piece, bytes.size() - at);
            crc = crc32(crc, bytes.data() + at, n);
            at += n;
        }
        EXPECT_EQ(crc, whole) << name;
    }
}

}  // namespace
}  // namespace typorama
