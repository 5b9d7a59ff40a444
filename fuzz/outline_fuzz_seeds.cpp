// Writes the seed corpus for glyph_outline_fuzzer: native outline buffers with
// lines, quadratic and cubic records, several contours and a record type the
// reader skips.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/font_builder.h"
#include "support/outline_buffer.h"

using namespace typorama::test;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> seeds;
    seeds.emplace_back("lines.bin", OutlineBuffer().Contour({0, 0}).Record(1, {{600, 0}, {300, 700}}).Bytes());
    seeds.emplace_back("ring.bin", OutlineBuffer()
                                       .Contour({350, 0})
                                       .Record(2, {{0, 0}, {0, 350}})
                                       .Record(2, {{0, 700}, {700, 700}, {700, 0}})
                                       .Contour({350, 100.5})
                                       .Record(1, {{600.25, 100}})
                                       .Record(2, {{600, 600}, {100, 600}, {100, 100}})
                                       .Bytes());
    seeds.emplace_back("cubic.bin", OutlineBuffer()
                                        .Contour({0, -200})
                                        .Record(3, {{0, 55}, {45, 100}, {100, 100}, {150, 100}, {200, 50}})
                                        .Record(9, {{1, 1}})
                                        .Record(1, {{-50, -200}})
                                        .Bytes());
    int failures = 0;
    for (const auto& [file, bytes] : seeds)
        if (!WriteBytesToFile(dir / file, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", (dir / file).c_str());
            ++failures;
        }
    std::printf("%zu seeds in %s\n", seeds.size() - failures, dir.c_str());
    return failures ? 1 : 0;
}
