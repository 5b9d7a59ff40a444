// Bounds-checked big-endian reader over a byte span. Every read tests the bytes
// that remain by subtraction; a read that does not fit sets the failed flag and
// yields zero, so callers check once after a group of reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace typorama {

class BigEndianReader {
public:
    explicit BigEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

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
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] << 8 | bytes_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32() {
        if (Remaining() < 4) return Fail(), 0;
        std::uint32_t hi = U16();
        return hi << 16 | U16();
    }
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

}  // namespace typorama
