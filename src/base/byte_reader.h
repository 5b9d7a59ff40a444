// Bounds-checked readers over a byte span: big-endian for font files,
// little-endian for the structures the system hands back in memory (glyph
// outlines). Every read tests the bytes that remain by subtraction; a read that
// does not fit sets the failed flag and yields zero, so callers check once
// after a group of reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace typorama {

enum class ByteOrder { Big, Little };

template <ByteOrder Order>
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Failed() const { return failed_; }

    bool Seek(std::size_t pos) {
        if (pos > bytes_.size()) return Fail();
        pos_ = pos;
        return true;
    }
    bool Skip(std::size_t n) {
        if (Remaining() < n) return Fail();
        pos_ += n;
        return true;
    }
    std::uint8_t U8() {
        if (Remaining() < 1) return Fail(), 0;
        return bytes_[pos_++];
    }
    std::uint16_t U16() {
        if (Remaining() < 2) return Fail(), 0;
        const std::uint8_t first = bytes_[pos_], second = bytes_[pos_ + 1];
        pos_ += 2;
        return Order == ByteOrder::Big ? static_cast<std::uint16_t>(first << 8 | second)
                                       : static_cast<std::uint16_t>(second << 8 | first);
    }
    std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32() {
        if (Remaining() < 4) return Fail(), 0;
        const std::uint32_t first = U16();
        const std::uint32_t second = U16();
        return Order == ByteOrder::Big ? first << 16 | second : second << 16 | first;
    }
    std::int32_t S32() { return static_cast<std::int32_t>(U32()); }
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        if (Remaining() < n) return Fail(), std::span<const std::uint8_t>{};
        auto out = bytes_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

private:
    bool Fail() {
        failed_ = true;
        return false;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

using BigEndianReader = ByteReader<ByteOrder::Big>;
using LittleEndianReader = ByteReader<ByteOrder::Little>;

}  // namespace typorama
