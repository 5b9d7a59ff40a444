// The CRC-32 of ZIP and zlib (reflected polynomial 0xEDB88320, register started
// at all ones and complemented at the end), shown beside duplicate font files
// so that identical copies can be told from different versions. Pure code.
//
// Every routine continues a CRC: pass 0 for the first piece and the result of
// one piece for the next, so a file can be summed chunk by chunk without being
// held in memory whole.
#pragma once

#include <cstddef>
#include <cstdint>

namespace typorama {

// The fastest way this processor offers: carry-less multiplication folding
// where the processor has PCLMULQDQ, sixteen bytes per step through tables
// elsewhere.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);

// The plain table method, one byte at a time: the reference the others answer to.
std::uint32_t Crc32Bytewise(std::uint32_t crc, const void* data, std::size_t size);
// Sixteen bytes per step through sixteen tables.
std::uint32_t Crc32Slice16(std::uint32_t crc, const void* data, std::size_t size);

// Whether this processor can multiply without carries (PCLMULQDQ), asked once.
bool HasCarrylessMultiply();
// Folding with carry-less multiplication; call only where HasCarrylessMultiply().
// Short pieces and the tail of long ones go through the tables.
std::uint32_t Crc32Folding(std::uint32_t crc, const void* data, std::size_t size);

}  // namespace typorama
