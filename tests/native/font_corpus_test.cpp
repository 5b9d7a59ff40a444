// Every TrueType and OpenType file installed on this machine reads, in full
// names, without a sanitizer report. Real fonts are the best test of the
// reader's tolerance: they break the rules in ways no made-up file does.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/sfnt_facts.h"
#include "support/posix_file_source.h"

namespace typorama::catalog {
namespace {

std::vector<std::filesystem::path> InstalledFonts() {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/fonts", ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (it->is_regular_file() && (ext == ".ttf" || ext == ".otf" || ext == ".ttc" || ext == ".otc"))
            files.push_back(it->path());
    }
    return files;
}

TEST(FontCorpus, EveryInstalledFontReadsWithItsNames) {
    std::vector<std::filesystem::path> files = InstalledFonts();
    if (files.size() < 10) GTEST_SKIP() << "the font packages of the set-up are not installed";
    for (const auto& file : files) {
        test::PosixFileByteSource source(file.c_str());
        ASSERT_TRUE(source.IsOpen()) << file;
        std::optional<std::vector<SfntFacts>> faces = ReadSfntFaces(source, 0x0409);
        ASSERT_TRUE(faces.has_value()) << file;
        // A collection (the CJK fonts are) gives every face it holds, each with its own names.
        const bool collection = file.extension() == ".ttc" || file.extension() == ".otc";
        EXPECT_EQ(faces->front().face.has_value(), collection) << file;
        for (const SfntFacts& facts : *faces) {
            EXPECT_FALSE(facts.names[kFamilyName].empty()) << file;
            EXPECT_FALSE(facts.names[kFullName].empty()) << file;
            EXPECT_GE(facts.weight, 100) << file;
            EXPECT_LE(facts.weight, 1000) << file;
            EXPECT_GE(facts.embedding, 1) << file << ": every real font has an OS/2 table";
        }
        if (collection) EXPECT_GE(faces->size(), 2u) << file;
    }
}

}  // namespace
}  // namespace typorama::catalog
