// What the seed writers share: the folder from the command line, and writing
// the seeds into it with a line for each that cannot be written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/font_builder.h"

namespace typorama::test {

using Seeds = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Writes `seeds` into the folder named by the one argument; the exit code.
inline int WriteSeedFolder(int argc, char** argv, const Seeds& seeds) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::size_t failures = 0;
    for (const auto& [file, bytes] : seeds)
        if (!WriteBytesToFile(dir / file, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", (dir / file).c_str());
            ++failures;
        }
    std::printf("%zu seeds in %s\n", seeds.size() - failures, dir.c_str());
    return failures ? 1 : 0;
}

}  // namespace typorama::test
