// libFuzzer target: the font facts reader over arbitrary bytes. Font files come
// from anywhere (downloads, network shares), so every byte is untrusted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/byte_source.h"
#include "catalog/sfnt_facts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace typorama;
    MemoryByteSource source({data, size});
    // English system, and a system whose local names are Chinese, so that both
    // name sets are filled.
    auto check = [](const catalog::SfntFacts& facts) {
        if (facts.embedding > 4 || facts.weight < 0 || facts.weight > 65535) std::abort();
        std::size_t total = 0;
        for (const auto& name : facts.names) total += name.size();
        // Strings come from 16-bit lengths: no name can be longer than 65535 units.
        if (total > 7u * 65535u) std::abort();
    };
    for (std::uint32_t language : {0x0409u, 0x0804u}) {
        if (auto facts = catalog::ReadSfntFacts(source, language)) check(*facts);
    }
    // Collections: every face, each within the cap and in the file's order.
    if (auto faces = catalog::ReadSfntFaces(source, 0x0804u)) {
        if (faces->empty() || faces->size() > catalog::kMaxCollectionFaces) std::abort();
        std::uint32_t next = 0;
        for (const auto& facts : *faces) {
            check(facts);
            if (facts.face && *facts.face < next) std::abort();
            if (facts.face) next = *facts.face + 1;
        }
    }
    return 0;
}
