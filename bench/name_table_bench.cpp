// Reads the costliest name tables the font builder can make in at most 1 MB,
// from memory and from a file, and prints the time per read. A folder listing
// reads every file it is shown, so one crafted file must not stall it: the
// figure to watch is the CPU time of the slowest read, which should stay under
// 20 ms (wall-clock times on a busy machine include other programs' turns).
// Prints figures; asserts nothing.
#include <algorithm>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/sfnt_facts.h"
#include "support/font_builder.h"
#include "support/posix_file_source.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kMaxFileBytes = 1u << 20;
constexpr int kRounds = 25;
constexpr double kBoundMs = 20.0;

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timing {
    double medianMs = 0;      // wall clock
    double slowestCpuMs = 0;  // CPU time of this thread
    std::size_t nameUnits = 0;  // keeps the results alive
};

template <typename ReadOnce>
Timing Measure(ReadOnce readOnce) {
    std::vector<double> ms;
    Timing t;
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        double cpuStart = ThreadCpuMs();
        t.nameUnits += readOnce();
        t.slowestCpuMs = std::max(t.slowestCpuMs, ThreadCpuMs() - cpuStart);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    t.medianMs = ms[ms.size() / 2];
    return t;
}

std::size_t NameUnits(const std::optional<typorama::catalog::SfntFacts>& facts) {
    std::size_t n = 0;
    if (facts)
        for (const auto& name : facts->names) n += name.size();
    return n;
}

}  // namespace

int main() {
    using namespace typorama;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        // Strings past the end still read as zeros: the most text from the fewest bytes.
        {"one table cut at 4 KB", test::BuildNameTableFlood(4096, false)},
        {"one table listed 100 times", test::BuildNameTableFlood(kMaxFileBytes, false)},
        {"100 overlapping tables", test::BuildNameTableFlood(kMaxFileBytes, true)},
        // Together no more records than one table may hold: every table is read.
        {"100 tables of 655 records", test::BuildNameTableFlood(kMaxFileBytes, true, 655)},
    };

    double worst = 0;
    std::size_t sink = 0;
    for (const Case& c : cases) {
        // The local language of the file's records: both name sets are filled.
        Timing memory = Measure([&] {
            MemoryByteSource source(c.bytes);
            return NameUnits(catalog::ReadSfntFacts(source, 0x0804));
        });
        auto path = std::filesystem::temp_directory_path() / "typorama_name_table_bench.ttf";
        if (!test::WriteBytesToFile(path, c.bytes)) {
            std::printf("cannot write %s\n", path.c_str());
            return 1;
        }
        std::size_t preads = 0;
        Timing file = Measure([&] {
            test::PosixFileByteSource source(path.c_str());
            std::size_t units = NameUnits(catalog::ReadSfntFacts(source, 0x0804));
            preads = source.Reads();
            return units;
        });
        std::filesystem::remove(path);
        std::printf("%-27s %7zu bytes: from memory %6.3f ms (slowest %6.3f ms CPU), from a file %6.3f ms "
                    "(slowest %6.3f ms CPU, %zu preads)\n",
                    c.what, c.bytes.size(), memory.medianMs, memory.slowestCpuMs, file.medianMs, file.slowestCpuMs,
                    preads);
        worst = std::max({worst, memory.slowestCpuMs, file.slowestCpuMs});
        sink += memory.nameUnits + file.nameUnits;
    }
    std::printf("median wall-clock times; slowest read: %.3f ms CPU (bound %.0f ms: %s)\n", worst, kBoundMs, worst < kBoundMs ? "met" : "MISSED");
    std::printf("(checksum %zu)\n", sink & 0xFFFF);
    return 0;
}
