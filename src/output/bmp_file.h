// The bytes of an uncompressed 24-bit Windows bitmap file (.bmp): the file
// header, a BITMAPINFOHEADER and the rows bottom-up, each padded to a whole
// number of 4-byte words, as every reader of the format expects. Pure code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace typorama::output {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
// 96 dots per inch, the screen's resolution, in dots per metre.
inline constexpr std::int32_t kBmpPixelsPerMetre = 3780;

// Bytes of one row of `width` 24-bit pixels with its padding.
std::size_t BmpRowStride(std::uint32_t width);

// The whole file for pixels given as rows of BmpRowStride(width) bytes,
// bottom row first, blue-green-red. Empty when the pixels do not have that
// size or the file would not fit the format's 32-bit sizes.
std::vector<std::uint8_t> BmpFileBytes(std::uint32_t width, std::uint32_t height,
                                       std::span<const std::uint8_t> bottomUpRows);

}  // namespace typorama::output
