// Writes the seed corpus for glyph_outline_fuzzer: native outline buffers with
// lines, quadratic and cubic records, several contours and a record type the
// reader skips.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "seed_folder.h"
#include "support/font_builder.h"
#include "support/outline_buffer.h"

using namespace typorama::test;

int main(int argc, char** argv) {
    Seeds seeds;
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
    return WriteSeedFolder(argc, argv, seeds);
}
