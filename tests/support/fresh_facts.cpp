// Every test starts with no font facts kept from another test. Scratch folders
// reuse their names, and a font rewritten at the same path with the same size
// within one tick of the file system's clock would otherwise be answered from
// memory with the facts of the file it replaced.
#include <gtest/gtest.h>

#include "catalog/font_facts_cache.h"

namespace {

class FreshFacts : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { typorama::catalog::FactsCache().Clear(); }
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFacts);
    return true;
}();

}  // namespace
