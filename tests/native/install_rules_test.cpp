#include "tools/install_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace typorama::tools {
namespace {

// A system font table and installed-font list in memory; files named
// "bad..." cannot be read, "stuck..." cannot be loaded or unloaded.
struct FakeSystem {
    std::set<std::u16string> loaded;
    std::map<std::u16string, std::u16string> entries;  // full name: file
    std::vector<std::u16string> calls;

    static std::u16string NameOf(const std::u16string& file) { return u"Name of " + file; }
    static bool Stuck(const std::u16string& file) { return file.rfind(u"stuck", 0) == 0; }

    BatchCalls Calls() {
        BatchCalls c;
        c.readInfo = [](const std::u16string& file, std::u16string& full, std::u16string& family) {
            if (file.rfind(u"bad", 0) == 0) return false;
            full = NameOf(file);
            family = u"Family";
            return true;
        };
        c.isAvailable = [this](const std::u16string&, const std::u16string& full) {
            for (const auto& file : loaded)
                if (NameOf(file) == full) return true;
            return false;
        };
        c.load = [this](const std::u16string& file) {
            calls.push_back(u"load " + file);
            return !Stuck(file) && loaded.insert(file).second;
        };
        c.unload = [this](const std::u16string& file) {
            calls.push_back(u"unload " + file);
            return !Stuck(file) && loaded.erase(file) > 0;
        };
        c.registerFont = [this](const std::u16string& full, const std::u16string& file) {
            entries[full] = file;
            return true;
        };
        c.unregisterFont = [this](const std::u16string& full, const std::u16string&) { return entries.erase(full) > 0; };
        return c;
    }
};

TEST(InstallBatch, FollowsTheTableAndCountsFoundDoneAndCancelled) {
    FakeSystem sys;
    sys.loaded.insert(u"a.ttf");
    BatchCounts load = RunBatch(BatchOp::Load, {u"a.ttf", u"b.ttf", u"bad.ttf"}, sys.Calls());
    EXPECT_EQ(sys.calls, (std::vector<std::u16string>{u"load b.ttf"})) << "available and unreadable fonts are not loaded";
    EXPECT_EQ(load.found, 3u);
    EXPECT_EQ(load.processed, 3u);
    EXPECT_EQ(load.succeeded, 1u);

    BatchCounts install = RunBatch(BatchOp::Install, {u"c.ttf", u"stuck.ttf", u"bad.ttf"}, sys.Calls());
    EXPECT_EQ(install.succeeded, 1u);
    EXPECT_EQ(sys.entries.count(u"Name of c.ttf"), 1u);
    EXPECT_EQ(sys.entries.count(u"Name of stuck.ttf"), 0u) << "a font that cannot be loaded is not registered";

    // Not loaded: nothing to unload, so the entry stays.
    sys.loaded.erase(u"c.ttf");
    sys.entries[u"Name of stuck.ttf"] = u"stuck.ttf";
    BatchCounts uninstall = RunBatch(BatchOp::Uninstall, {u"c.ttf", u"stuck.ttf"}, sys.Calls());
    EXPECT_EQ(uninstall.found, 2u);
    EXPECT_EQ(uninstall.succeeded, 0u);
    EXPECT_EQ(sys.entries.size(), 2u);
    sys.loaded.insert(u"c.ttf");
    EXPECT_EQ(RunBatch(BatchOp::Uninstall, {u"c.ttf"}, sys.Calls()).succeeded, 1u);
    EXPECT_EQ(sys.entries.count(u"Name of c.ttf"), 0u);

    // Cancel is looked at between files; what was done stays counted.
    BatchCalls calls = sys.Calls();
    std::vector<std::size_t> progress;
    calls.progress = [&](std::size_t done) { progress.push_back(done); };
    calls.cancelled = [&] { return progress.size() == 2; };
    BatchCounts cancelled = RunBatch(BatchOp::Unload, {u"b.ttf", u"x.ttf", u"y.ttf", u"z.ttf"}, calls);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.found, 4u);
    EXPECT_EQ(cancelled.processed, 2u);
    EXPECT_EQ(cancelled.succeeded, 1u);
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));

    EXPECT_EQ(RunBatch(BatchOp::Load, {u"d.ttf"}, BatchCalls{}).succeeded, 0u) << "no calls, nothing done";
}

TEST(InstallFolders, OffersTheFirstTenAndAppendsANewText) {
    std::vector<std::u16string> stored = {u"A", u"", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J", u"K"};
    auto read = [&](std::size_t i) { return i < stored.size() ? stored[i] : std::u16string(); };
    std::vector<std::u16string> offered = OfferedFolders(12, read);
    EXPECT_EQ(offered, (std::vector<std::u16string>{u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I"}))
        << "indexes 0 to 9 only, the empty one skipped";
    EXPECT_EQ(OfferedFolders(2, read), (std::vector<std::u16string>{u"A"}));

    auto same = [](const std::u16string& a, const std::u16string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
        return true;
    };
    EXPECT_EQ(FoldersToStore({u"C:\\x"}, u"c:\\X", same), (std::vector<std::u16string>{u"C:\\x"}));
    EXPECT_EQ(FoldersToStore({u"C:\\x"}, u"", same), (std::vector<std::u16string>{u"C:\\x"}));
    EXPECT_EQ(FoldersToStore({u"C:\\x"}, u"D:\\y", same), (std::vector<std::u16string>{u"C:\\x", u"D:\\y"}));
}

}  // namespace
}  // namespace typorama::tools
