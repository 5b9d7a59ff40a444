// The CRC-32 routines against zlib's crc32 over the same buffer in the same
// run, in GB/s (best of several rounds, so another program's turn on the
// processor does not count). Checks that every routine gives zlib's sum.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/crc32.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Sum>
double BestGBps(const std::vector<std::uint8_t>& bytes, std::size_t piece, Sum sum, std::uint32_t& result) {
    double best = 0;
    for (int round = 0; round < 7; ++round) {
        auto start = Clock::now();
        std::uint32_t crc = 0;
        for (int repeat = 0; repeat < 4; ++repeat)
            for (std::size_t at = 0; at < bytes.size(); at += piece)
                crc = sum(crc, bytes.data() + at, std::min(piece, bytes.size() - at));
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::max(best, 4.0 * bytes.size() / seconds / 1e9);
        result = crc;
    }
    return best;
}

}  // namespace

int main() {
    std::vector<std::uint8_t> bytes(64u << 20);
    std::uint32_t x = 1;
    for (auto& b : bytes) b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);

    std::printf("CRC-32 over %zu MB, carry-less multiply %s\n", bytes.size() >> 20,
                typorama::HasCarrylessMultiply() ? "available" : "not available");
    for (std::size_t piece : {std::size_t{256} << 10, std::size_t{4096}, std::size_t{300}}) {
        std::uint32_t zsum = 0, sum = 0;
        double zlibRate = BestGBps(bytes, piece, [](std::uint32_t c, const std::uint8_t* p, std::size_t n) {
            return static_cast<std::uint32_t>(crc32(c, p, static_cast<uInt>(n)));
        }, zsum);
        std::printf("pieces of %7zu bytes: zlib %6.2f GB/s", piece, zlibRate);
        struct Named { const char* name; std::uint32_t (*fn)(std::uint32_t, const void*, std::size_t); };
        for (Named r : {Named{"bytewise", typorama::Crc32Bytewise}, Named{"slice16", typorama::Crc32Slice16},
                        Named{"Crc32", typorama::Crc32}}) {
            double rate = BestGBps(bytes, piece, r.fn, sum);
            std::printf("  %s %6.2f GB/s%s", r.name, rate, sum == zsum ? "" : " (WRONG SUM)");
        }
        std::printf("\n");
    }
    return 0;
}
