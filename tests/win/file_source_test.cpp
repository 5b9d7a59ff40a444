// Reading a file in pieces: the first 64 KiB come from memory, the rest from
// the file, and the two meet without a seam.
#include "win/file_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/scratch.h"

namespace typorama::win {
namespace {

TEST(FileByteSource, PiecesAcrossTheHeadAndTheEndReadWhatTheFileHolds) {
    test::ScratchFolder folder(L"file-source");
    for (const std::size_t size : {std::size_t{10}, std::size_t{64 * 1024}, std::size_t{64 * 1024 + 300}}) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
        FileByteSource file(folder.Write(L"f" + std::to_wstring(size), bytes));
        ASSERT_TRUE(file.IsOpen());
        struct Piece {
            std::uint64_t offset;
            std::size_t length;
        };
        for (const Piece piece : {Piece{0, 4}, Piece{size - 2, 2}, Piece{64 * 1024 - 3, 10}, Piece{size - 3, 10},
                                  Piece{size, 4}, Piece{size + 100, 4}, Piece{0, size + 5}}) {
            if (piece.offset > size + 100) continue;
            std::vector<std::uint8_t> out(piece.length, 0xEE);
            const std::size_t got = file.ReadAt(piece.offset, out);
            const std::size_t expected =
                piece.offset >= size ? 0 : std::min<std::size_t>(piece.length, size - piece.offset);
            ASSERT_EQ(got, expected) << size << " at " << piece.offset << " for " << piece.length;
            for (std::size_t i = 0; i < got; ++i)
                ASSERT_EQ(out[i], bytes[piece.offset + i]) << size << " at " << piece.offset + i;
        }
    }
}

}  // namespace
}  // namespace typorama::win
