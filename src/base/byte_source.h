// Positional reads from a file or a block of memory. A read past the end gives
// fewer bytes, never an error: the font reader relies on that tolerance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace typorama {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to out.size() bytes starting at offset; returns how many arrived.
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace typorama
