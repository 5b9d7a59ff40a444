// The counts a search worker shares with its progress window.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/search_progress.h"

namespace typorama {
namespace {

TEST(SearchProgressTest, OneNoticeUntilTheWindowTakesTheCounts) {
    int notices = 0;
    bool delivered = true;
    SearchProgress progress([&] {
        ++notices;
        return delivered;
    });
    progress.SetFound(3);
    EXPECT_EQ(notices, 1) << "the first change sends a notice";
    progress.SetFound(7);
    progress.EndScan();
    progress.AddRead();
    EXPECT_EQ(notices, 1) << "one is on its way already";
    SearchCounts counts = progress.Take();
    EXPECT_EQ(counts.found, 7u);
    EXPECT_TRUE(counts.scanned);
    EXPECT_EQ(counts.read, 1u);

    delivered = false;
    progress.AddRead();
    EXPECT_EQ(notices, 2) << "taken: the next change sends again";
    delivered = true;
    progress.AddRead();
    EXPECT_EQ(notices, 3) << "a notice that could not be sent does not silence the next ones";
    progress.AddRead();
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(progress.Take().read, 4u);
}

TEST(SearchProgressTest, TheLastChangeOfAWorkerAlwaysReachesTheWindow) {
    // The window takes the counts whenever a notice is out; once the worker
    // has ended, what the window took last must be the final counts.
    constexpr std::size_t kFiles = 20000;
    std::atomic<int> notices{0};
    SearchProgress progress([&] {
        notices.fetch_add(1);
        return true;
    });
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        for (std::size_t i = 1; i <= kFiles; ++i) progress.SetFound(i);
        progress.EndScan();
        for (std::size_t i = 0; i < kFiles; ++i) progress.AddRead();
        finished = true;
    });
    int taken = 0;
    SearchCounts shown;
    for (;;) {
        const bool done = finished.load();
        if (notices.load() > taken) {
            ++taken;
            shown = progress.Take();
        } else if (done) {
            break;
        } else {
            std::this_thread::yield();
        }
    }
    worker.join();
    EXPECT_EQ(shown.found, kFiles);
    EXPECT_TRUE(shown.scanned);
    EXPECT_EQ(shown.read, kFiles);
}

}  // namespace
}  // namespace typorama
