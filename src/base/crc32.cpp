#include "base/crc32.h"

#include <array>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define TYPORAMA_CRC_CLMUL 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace typorama {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

using Tables = std::array<std::array<std::uint32_t, 256>, 16>;

// Table k advances a byte through k further zero bytes, so sixteen lookups
// take sixteen bytes at once.
constexpr Tables MakeTables() {
    Tables t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
        t[0][i] = c;
    }
    for (std::size_t k = 1; k < 16; ++k)
        for (std::size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    return t;
}

constexpr Tables kTables = MakeTables();

std::uint32_t Load32(const unsigned char* p) {
    // Little-endian whatever the host: the CRC is defined on the byte order.
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// The register (not complemented) over the bytes, one at a time.
std::uint32_t BytewiseRegister(std::uint32_t reg, const unsigned char* p, std::size_t n) {
    while (n--) reg = (reg >> 8) ^ kTables[0][(reg ^ *p++) & 0xFF];
    return reg;
}

std::uint32_t Slice16Register(std::uint32_t reg, const unsigned char* p, std::size_t n) {
    const auto& t = kTables;
    while (n >= 16) {
        std::uint32_t a = Load32(p) ^ reg, b = Load32(p + 4), c = Load32(p + 8), d = Load32(p + 12);
        reg = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
              t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
              t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
              t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        p += 16;
        n -= 16;
    }
    return BytewiseRegister(reg, p, n);
}

#if TYPORAMA_CRC_CLMUL
#define TYPORAMA_CLMUL_TARGET __attribute__((target("pclmul,sse2")))

TYPORAMA_CLMUL_TARGET inline __m128i load(const unsigned char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// x times both constants, the halves added, then the next 16 bytes.
TYPORAMA_CLMUL_TARGET inline __m128i fold(__m128i x, __m128i k, __m128i next) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// Folds 64 bytes at a time in four lanes, then the lanes into one, then
// reduces the 128 bits to 32 (Barrett). The constants are powers of x modulo
// the polynomial, bit-reflected: x^(4*128+32) and x^(4*128-32) for the 64-byte
// fold, x^(128+32) and x^(128-32) for the 16-byte fold, x^64 for the last 64
// bits, and the polynomial with its Barrett quotient. `n` is at least 64 and a
// multiple of 16.
TYPORAMA_CLMUL_TARGET std::uint32_t FoldRegister(std::uint32_t reg, const unsigned char* p, std::size_t n) {
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);

    __m128i x1 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
    __m128i x2 = load(p + 16), x3 = load(p + 32), x4 = load(p + 48);
    p += 64;
    n -= 64;
    while (n >= 64) {
        x1 = fold(x1, k1k2, load(p));
        x2 = fold(x2, k1k2, load(p + 16));
        x3 = fold(x3, k1k2, load(p + 32));
        x4 = fold(x4, k1k2, load(p + 48));
        p += 64;
        n -= 64;
    }
    x1 = fold(x1, k3k4, x2);
    x1 = fold(x1, k3k4, x3);
    x1 = fold(x1, k3k4, x4);
    while (n >= 16) {
        x1 = fold(x1, k3k4, load(p));
        p += 16;
        n -= 16;
    }

    // 128 bits to 64.
    __m128i x2b = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
    // 64 to 32 more, with 32 zero bits appended.
    x2b = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00), x2b);
    // Barrett reduction to the 32-bit remainder.
    x2b = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    x2b = _mm_clmulepi64_si128(_mm_and_si128(x2b, low32), poly, 0x00);
    x1 = _mm_xor_si128(x1, x2b);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(x1, 4)));
}
#endif

}  // namespace

std::uint32_t Crc32Bytewise(std::uint32_t crc, const void* data, std::size_t size) {
    return ~BytewiseRegister(~crc, static_cast<const unsigned char*>(data), size);
}

std::uint32_t Crc32Slice16(std::uint32_t crc, const void* data, std::size_t size) {
    return ~Slice16Register(~crc, static_cast<const unsigned char*>(data), size);
}

bool HasCarrylessMultiply() {
#if TYPORAMA_CRC_CLMUL
    static const bool has = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        return __get_cpuid(1, &a, &b, &c, &d) && (c & bit_PCLMUL) != 0;
    }();
    return has;
#else
    return false;
#endif
}

std::uint32_t Crc32Folding(std::uint32_t crc, const void* data, std::size_t size) {
    auto p = static_cast<const unsigned char*>(data);
    std::uint32_t reg = ~crc;
#if TYPORAMA_CRC_CLMUL
    if (size >= 64) {
        std::size_t folded = size & ~std::size_t{15};
        reg = FoldRegister(reg, p, folded);
        p += folded;
        size -= folded;
    }
#endif
    return ~Slice16Register(reg, p, size);
}

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size) {
    // Below a few blocks the tables win: the fold's setup and final reduction
    // cost more than they save.
    if (size >= 256 && HasCarrylessMultiply()) return Crc32Folding(crc, data, size);
    return Crc32Slice16(crc, data, size);
}

}  // namespace typorama
