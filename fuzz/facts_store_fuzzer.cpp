// libFuzzer target: the stored facts file. It lives in the user's profile and
// may be damaged or written by another version, so it is read as untrusted.
// The first byte of the input is the claimed entry count and the rest the
// body; the header with a matching checksum is made here, so that mutations
// reach the entry parser instead of stopping at the checksum.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "catalog/facts_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace typorama::catalog;
    DecodeFactsStore({data, size});
    if (size == 0) return 0;

    std::span<const std::uint8_t> body(data + 1, size - 1);
    std::vector<std::uint8_t> store = {'T', 'Y', 'F', 'C'};
    auto le = [&store](std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) store.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    le(kFactsStoreVersion, 4);
    le(data[0], 4);
    le(FactsStoreChecksum(body), 8);
    store.insert(store.end(), body.begin(), body.end());

    auto entries = DecodeFactsStore(store);
    if (!entries) return 0;
    // What decodes writes back to the same entries.
    auto again = DecodeFactsStore(EncodeFactsStore(*entries));
    if (!again || again->size() != entries->size()) std::abort();
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const StoredFacts &a = (*entries)[i], &b = (*again)[i];
        if (a.path != b.path || a.size != b.size || a.writeTime != b.writeTime || a.readable != b.readable ||
            a.faces.size() != b.faces.size())
            std::abort();
        for (std::size_t f = 0; f < a.faces.size(); ++f)
            if (a.faces[f].names != b.faces[f].names || a.faces[f].weight != b.faces[f].weight ||
                a.faces[f].face != b.faces[f].face)
                std::abort();
    }
    return 0;
}
