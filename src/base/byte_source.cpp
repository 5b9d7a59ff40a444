#include "base/byte_source.h"

#include <algorithm>
#include <cstring>

namespace typorama {

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= bytes_.size()) return 0;
    std::size_t n = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
    if (n) std::memcpy(out.data(), bytes_.data() + offset, n);
    return n;
}

}  // namespace typorama
