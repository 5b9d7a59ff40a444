// Reads the facts of every font under a folder, as the folder listing does, and
// compares the rate with FreeType opening each face and fetching its name records.
// Prints figures; asserts nothing.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "catalog/sfnt_facts.h"
#include "support/posix_file_source.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kMinSeconds = 1.0;

std::vector<std::string> FindFonts(const std::filesystem::path& root) {
    std::vector<std::string> files;
    std::error_code ec;
    auto options = std::filesystem::directory_options::skip_permission_denied;
    for (std::filesystem::recursive_directory_iterator it(root, options, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".ttf" || ext == ".otf") files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Result {
    double seconds = 0;
    std::size_t rounds = 0;
    std::size_t ok = 0;        // files per round that gave a result
    std::size_t work = 0;      // something derived from the results, so nothing is optimised away
    std::size_t reads = 0;     // pread calls per round (parser only)
};

// Whole rounds over the corpus until at least kMinSeconds have passed.
template <typename PerFile>
Result Measure(const std::vector<std::string>& files, PerFile perFile) {
    Result r;
    auto start = Clock::now();
    do {
        std::size_t ok = 0, reads = 0;
        for (const auto& f : files) ok += perFile(f, r.work, reads);
        r.ok = ok;
        r.reads = reads;
        ++r.rounds;
        r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (r.seconds < kMinSeconds);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path root = argc > 1 ? argv[1] : "/usr/share/fonts";
    auto files = FindFonts(root);
    if (files.empty()) {
        std::printf("no *.ttf or *.otf files under %s\n", root.c_str());
        return 0;
    }

    auto parser = [](const std::string& path, std::size_t& work, std::size_t& reads) -> std::size_t {
        typorama::test::PosixFileByteSource source(path.c_str());
        if (!source.IsOpen()) return 0;
        auto facts = typorama::catalog::ReadSfntFacts(source, 0x0409);
        reads += source.Reads();
        if (!facts) return 0;
        for (const auto& name : facts->names) work += name.size();
        return 1;
    };

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        std::printf("FreeType failed to initialise\n");
        return 1;
    }
    auto freetype = [library](const std::string& path, std::size_t& work, std::size_t&) -> std::size_t {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &face)) return 0;
        FT_UInt count = FT_Get_Sfnt_Name_Count(face);
        for (FT_UInt i = 0; i < count; ++i) {
            FT_SfntName name;
            if (!FT_Get_Sfnt_Name(face, i, &name)) work += name.string_len;
        }
        FT_Done_Face(face);
        return 1;
    };

    // One untimed pass each, so that both find the files in the page cache.
    std::size_t sink = 0, unused = 0;
    for (const auto& f : files) parser(f, sink, unused), freetype(f, sink, unused);

    Result ours = Measure(files, parser);
    Result ft = Measure(files, freetype);
    FT_Done_FreeType(library);

    double oursRate = ours.rounds * files.size() / ours.seconds;
    double ftRate = ft.rounds * files.size() / ft.seconds;
    std::printf("font files:        %zu under %s\n", files.size(), root.c_str());
    std::printf("facts reader:      %10.0f files/s  (%zu rounds, %.2f s, %zu read, %.1f preads/file)\n", oursRate,
                ours.rounds, ours.seconds, ours.ok, double(ours.reads) / files.size());
    std::printf("FreeType names:    %10.0f files/s  (%zu rounds, %.2f s, %zu opened)\n", ftRate, ft.rounds, ft.seconds,
                ft.ok);
    std::printf("ratio:             %10.2f x\n", oursRate / ftRate);
    std::printf("(checksum %zu)\n", (ours.work + ft.work + sink) & 0xFFFF);
    return 0;
}
