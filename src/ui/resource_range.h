// Compile-time checks of the resource id ranges: every feature's header
// declares the numbers it owns and checks that its ids stay inside them, and
// ui/resource.h checks that no two ranges share a number. Included only by
// the compiler, never by the resource compiler (RC_INVOKED).
#pragma once

#include <cstddef>
#include <initializer_list>

namespace typorama::ui::resource_ids {

// Numbers `first`..`last` (both included) owned by one feature or area.
struct Range {
    const char* owner;
    int first;
    int last;
};

// Every id of `ids` lies within first..last.
constexpr bool Within(int first, int last, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id < first || id > last) return false;
    }
    return first <= last;
}

// No two ranges share a number and none is empty.
template <std::size_t N>
constexpr bool Disjoint(const Range (&ranges)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (ranges[i].first > ranges[i].last) return false;
        for (std::size_t j = i + 1; j < N; ++j) {
            if (ranges[i].first <= ranges[j].last && ranges[j].first <= ranges[i].last) return false;
        }
    }
    return true;
}

// The checks themselves catch the overlap they exist for: the listing and find
// controls once sat at 2601..2614, inside browsing's 2600..2799.
inline constexpr Range kOverlapExample[] = {{"browsing", 2600, 2799}, {"selection", 2800, 2999}, {"find", 2611, 2614}};
static_assert(!Disjoint(kOverlapExample) && !Within(2800, 2999, {2800, 2611}) && Within(2800, 2999, {2800, 2999}));

}  // namespace typorama::ui::resource_ids
