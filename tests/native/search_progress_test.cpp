// The counts a search worker shares with its progress window.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace typorama
