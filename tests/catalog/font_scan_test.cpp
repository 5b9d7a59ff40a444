// Finding font files in a folder tree, and ending the scan early.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/font_scan.h"
#include "support/scratch.h"

namespace typorama::catalog {
namespace {

TEST(FontScanTest, SubfoldersComeFirstAndTheObserverCanEndTheScan) {
    test::ScratchFolder root(L"font-scan");
    root.Write(L"top.ttf", {'x'});
    root.Write(L"top.otf", {'x'});
    root.Write(L"notes.txt", {'x'});
    root.Write(L"a\\one.ttf", {'x'});
    root.Write(L"b\\two.ttf", {'x'});

    std::vector<std::wstring> files;
    std::vector<std::size_t> told;
    EXPECT_TRUE(FindFontFiles(root.Path(), kFontFilePatterns, true, files, [&](std::size_t listed) {
        told.push_back(listed);
        return true;
    }));
    EXPECT_EQ(files, (std::vector<std::wstring>{root.Path() + L"a\\one.ttf", root.Path() + L"b\\two.ttf",
                                                root.Path() + L"top.ttf", root.Path() + L"top.otf"}));
    EXPECT_EQ(told, (std::vector<std::size_t>{1, 2, 4})) << "after each folder, the files so far";

    // Ended after the first subfolder: neither the second nor the top folder is read.
    files.clear();
    EXPECT_TRUE(FindFontFiles(root.Path(), kFontFilePatterns, true, files, [](std::size_t) { return false; }));
    EXPECT_EQ(files, (std::vector<std::wstring>{root.Path() + L"a\\one.ttf"}));
}

}  // namespace
}  // namespace typorama::catalog
