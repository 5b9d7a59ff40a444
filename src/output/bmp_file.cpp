#include "output/bmp_file.h"

#include <limits>

namespace typorama::output {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::size_t BmpRowStride(std::uint32_t width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

std::vector<std::uint8_t> BmpFileBytes(std::uint32_t width, std::uint32_t height,
                                       std::span<const std::uint8_t> bottomUpRows) {
    constexpr std::uint32_t kHeaders = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    constexpr std::size_t kMax32 = std::numeric_limits<std::uint32_t>::max();
    // Width and height are signed in the info header.
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return {};
    const std::size_t stride = BmpRowStride(width);
    if (height != 0 && stride > (kMax32 - kHeaders) / height) return {};
    const std::size_t imageSize = stride * height;
    if (bottomUpRows.size() != imageSize) return {};

    std::vector<std::uint8_t> out;
    out.reserve(kHeaders + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(kHeaders + imageSize));
    Put32(out, 0);  // two reserved words
    Put32(out, kHeaders);
    Put32(out, kBmpInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: bottom-up
    Put16(out, 1);       // planes
    Put16(out, 24);      // bits per pixel
    Put32(out, 0);       // BI_RGB, uncompressed
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, kBmpPixelsPerMetre);
    Put32(out, kBmpPixelsPerMetre);
    Put32(out, 0);  // colours used: none, no palette
    Put32(out, 0);  // important colours
    out.insert(out.end(), bottomUpRows.begin(), bottomUpRows.end());
    return out;
}

}  // namespace typorama::output
