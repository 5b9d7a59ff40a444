// The counts of a search that runs on a worker thread, shared with the window
// that shows them. The worker sends the window a notice only when the window
// has taken the previous one, so that a search over thousands of files never
// floods the window's message queue (which holds 10,000 messages at most) and
// the counts shown are always the latest. Pure code.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <utility>

namespace typorama {

struct SearchCounts {
    std::size_t found = 0;  // files found by the folder scan so far
    std::size_t read = 0;   // files whose facts were read
    bool scanned = false;   // the scan is over: `found` is the total
};

class SearchProgress {
public:
    // Sends a notice to the window (on the worker's thread); false when it
    // could not be delivered, and the next change tries again.
    using Notice = std::function<bool()>;

    explicit SearchProgress(Notice notice = {}) : notice_(std::move(notice)) {}

    // Worker side.
    void SetFound(std::size_t found);
    void EndScan();
    void AddRead();

    // Window side: the counts as they are now; the next change sends a
    // notice again.
    SearchCounts Take();

private:
    void Changed();

    Notice notice_;
    std::atomic<std::size_t> found_{0};
    std::atomic<std::size_t> read_{0};
    std::atomic<bool> scanned_{false};
    std::atomic<bool> pending_{false};
};

}  // namespace typorama
