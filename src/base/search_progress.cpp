#include "base/search_progress.h"

namespace typorama {

void SearchProgress::Changed() {
    if (pending_.exchange(true)) return;  // the window has not taken the last notice yet
    if (!notice_ || !notice_()) pending_.store(false);
}

void SearchProgress::SetFound(std::size_t found) {
    found_.store(found);
    Changed();
}

void SearchProgress::EndScan() {
    scanned_.store(true);
    Changed();
}

void SearchProgress::AddRead() {
    read_.fetch_add(1);
    Changed();
}

SearchCounts SearchProgress::Take() {
    // The flag is cleared before the counts are read: a change made after the
    // reads sends a notice of its own, so the last counts always arrive.
    pending_.store(false);
    SearchCounts counts;
    counts.found = found_.load();
    counts.read = read_.load();
    counts.scanned = scanned_.load();
    return counts;
}

}  // namespace typorama
