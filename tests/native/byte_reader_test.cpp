#include "base/byte_reader.h"

#include <gtest/gtest.h>


namespace typorama {
namespace {

TEST(BigEndianReader, ReadsBigEndianValuesInSequence) {
    const std::uint8_t bytes[] = {0x12, 0x34, 0xFF, 0xFE, 0x89, 0xAB, 0xCD, 0xEF, 0x7F};
    BigEndianReader r(bytes);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.S16(), -2);
    EXPECT_EQ(r.U32(), 0x89ABCDEFu);
    EXPECT_EQ(r.U8(), 0x7F);
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(r.Seek(2));
    EXPECT_EQ(r.Bytes(2).size(), 2u);
    EXPECT_EQ(r.Position(), 4u);
}

TEST(BigEndianReader, ReadsPastTheEndFailAndYieldZero) {
    const std::uint8_t bytes[] = {0xAA, 0xBB, 0xCC};
    {
        BigEndianReader r(bytes);
        r.Skip(2);
        EXPECT_EQ(r.U16(), 0) << "one byte left";
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.Position(), 2u) << "a failed read consumes nothing";
        EXPECT_EQ(r.U8(), 0xCC) << "a smaller read still fits";
    }
    {
        // Three bytes cannot hold a 32-bit value; the partial high half must not leak out.
        BigEndianReader r(bytes);
        EXPECT_EQ(r.U32(), 0u);
        EXPECT_TRUE(r.Failed());
    }
    {
        BigEndianReader r(bytes);
        EXPECT_TRUE(r.Bytes(4).empty());
        EXPECT_TRUE(r.Failed());
    }
    {
        BigEndianReader r(bytes);
        EXPECT_TRUE(r.Seek(3)) << "the end itself is a valid position";
        EXPECT_EQ(r.U8(), 0);
        EXPECT_TRUE(r.Failed());
    }
    {
        BigEndianReader r(bytes);
        EXPECT_FALSE(r.Seek(4));
        EXPECT_FALSE(r.Skip(4));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.Position(), 0u);
    }
    {
        BigEndianReader r(std::span<const std::uint8_t>{});
        EXPECT_EQ(r.U8(), 0);
        EXPECT_EQ(r.S16(), 0);
        EXPECT_TRUE(r.Failed());
    }
}

TEST(LittleEndianReader, ReadsLittleEndianValuesAndFailsPastTheEnd) {
    const std::uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0xEF, 0xCD, 0xAB, 0x89, 0x00, 0x00, 0xFF};
    LittleEndianReader r(bytes);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.S16(), -2);
    EXPECT_EQ(r.U32(), 0x89ABCDEFu);
    EXPECT_EQ(r.S32(), 0) << "three bytes left: no 32-bit value";
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.Position(), 8u);
}

}  // namespace
}  // namespace typorama
