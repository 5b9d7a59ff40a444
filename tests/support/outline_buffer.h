// Writes native glyph outline buffers (the GGO_NATIVE layout: polygon headers
// and curve records, little-endian, 16.16 fixed-point points) for tests and
// fuzzer seeds, including buffers whose counts lie. Pure, header only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace typorama::test {

class OutlineBuffer {
public:
    using Point = std::pair<double, double>;

    // Starts a contour; its size is filled in by the next contour or Bytes().
    OutlineBuffer& Contour(Point start, std::uint32_t type = 24) {
        EndContour();
        header_ = bytes_.size();
        Put32(0);
        Put32(type);
        PutPoint(start);
        return *this;
    }
    // A curve record: 1 lines, 2 quadratic, 3 cubic. `claimedCount` overrides
    // the point count written (a lying count).
    OutlineBuffer& Record(std::uint16_t type, const std::vector<Point>& points, int claimedCount = -1) {
        Put16(type);
        Put16(static_cast<std::uint16_t>(claimedCount >= 0 ? claimedCount : static_cast<int>(points.size())));
        for (const Point& p : points) PutPoint(p);
        return *this;
    }
    std::vector<std::uint8_t> Bytes() {
        EndContour();
        return bytes_;
    }

    static void Put32At(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    void EndContour() {
        if (header_ != kNone) Put32At(bytes_, header_, static_cast<std::uint32_t>(bytes_.size() - header_));
        header_ = kNone;
    }
    void Put16(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void Put32(std::uint32_t v) {
        Put16(static_cast<std::uint16_t>(v));
        Put16(static_cast<std::uint16_t>(v >> 16));
    }
    void PutPoint(Point p) {
        Put32(static_cast<std::uint32_t>(static_cast<std::int32_t>(p.first * 65536.0)));
        Put32(static_cast<std::uint32_t>(static_cast<std::int32_t>(p.second * 65536.0)));
    }

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::uint8_t> bytes_;
    std::size_t header_ = kNone;
};

}  // namespace typorama::test
