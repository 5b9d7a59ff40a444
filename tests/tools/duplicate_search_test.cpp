// The duplicate finder's search over scratch folders and a scratch installed-font list.
#include "tools/duplicate_search.h"

#include <gtest/gtest.h>

#include "base/crc32.h"
#include "catalog/scratch_locations.h"
#include "cli/cli_runner.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "win/registry.h"

namespace typorama::tools {
namespace {

using test::BuildFont;
using test::FontSpec;

std::vector<std::uint8_t> Font(const std::u16string& family, std::size_t padding = 0) {
    FontSpec font = FontSpec::Named(family);
    if (padding) font.extraTables.push_back({"zpad", std::vector<std::uint8_t>(padding, 0x5A)});
    return BuildFont(font);
}

TEST(DuplicateSearchTest, GroupsSizesCrcsAndInstallStates) {
    test::ScratchFolder folder(L"dups-search");
    test::ScratchKey fontsKey(L"dups-fonts");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, folder.Path());

    const auto same = Font(u"TyDup Same");
    const std::wstring a = folder.Write(L"a\\same.ttf", same);
    const std::wstring b = folder.Write(L"a\\sub\\same copy.ttf", same);
    folder.Write(L"a\\sub\\lonely.ttf", Font(u"TyDup Lonely"));
    const std::wstring upper = folder.Write(L"b\\upper.ttf", Font(u"TYDUP MIXED"));
    const std::wstring lower = folder.Write(L"b\\lower.ttf", Font(u"tydup mixed", 100));
    folder.Write(L"b\\broken.ttf", {1, 2, 3});

    // Installed from this file (a.ttf, by its full path), from elsewhere, and not at all.
    fontsKey.SetString(L"", L"TyDup Same (TrueType)", a);
    fontsKey.SetString(L"", L"tydup mixed (TrueType)", L"C:\\elsewhere\\mixed.ttf");

    // The parent with subfolders and its own subfolder: each file once.
    auto result = FindDuplicates({{folder.Path() + L"a", true}, {folder.Path() + L"A\\SUB", false},
                                  {folder.Path() + L"b", false}},
                                 where);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.filesFound, 8u) << "same copy.ttf and lonely.ttf found twice";
    ASSERT_EQ(result.groups.size(), 2u);

    const DuplicateSet& mixed = result.groups[0];
    EXPECT_EQ(mixed.fullName, L"tydup mixed") << "named after the first file read (lower.ttf sorts first)";
    ASSERT_EQ(mixed.files.size(), 2u);
    EXPECT_EQ(mixed.files[0].path, lower);
    EXPECT_EQ(mixed.files[1].path, upper);
    EXPECT_NE(mixed.files[0].size, mixed.files[1].size);
    ASSERT_TRUE(mixed.files[0].crc32 && mixed.files[1].crc32);
    EXPECT_NE(*mixed.files[0].crc32, *mixed.files[1].crc32);
    EXPECT_EQ(mixed.files[0].state.Status(), catalog::InstallStatus::InstalledFromOtherFile);

    const DuplicateSet& sameSet = result.groups[1];
    ASSERT_EQ(sameSet.files.size(), 2u);
    EXPECT_EQ(sameSet.files[0].path, a);
    EXPECT_EQ(sameSet.files[1].path, b);
    EXPECT_EQ(sameSet.files[0].size, same.size());
    EXPECT_EQ(sameSet.files[0].crc32, Crc32Bytewise(0, same.data(), same.size()));
    EXPECT_EQ(sameSet.files[0].crc32, sameSet.files[1].crc32);
    EXPECT_EQ(sameSet.files[0].state.Status(), catalog::InstallStatus::InstalledFromThisFile);
    EXPECT_EQ(sameSet.files[1].state.Status(), catalog::InstallStatus::InstalledFromOtherFile);

    // Nothing found, and a search cancelled before it starts.
    EXPECT_TRUE(FindDuplicates({{folder.Path() + L"a\\sub", false}}, where).groups.empty());
    std::atomic<bool> cancel{true};
    auto cancelled = FindDuplicates({{folder.Path(), true}}, where, &cancel);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.groups.empty());

    // An empty or missing file has no CRC and a missing one no size.
    EXPECT_EQ(FileCrc32(folder.Write(L"empty.ttf", {})), std::nullopt);
    EXPECT_EQ(FileCrc32(folder.Path() + L"missing.ttf"), std::nullopt);
    EXPECT_EQ(FileSizeOf(folder.Path() + L"missing.ttf"), 0u);

    // The console prints the same groups, one line each.
    auto run = test::RunCli({L"duplicates", L"--subfolders", L"--fonts-key", L"HKCU\\" + fontsKey.SubKey(),
                             folder.Path() + L"a"});
    EXPECT_EQ(run.exitCode, 0);
    auto lines = test::Lines(run.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"installed\": \"this\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(test::Json(b)), std::string::npos) << lines[0];
}

TEST(DuplicateSearchTest, EachFaceOfACollectionTakesPartUnderItsOwnName) {
    test::ScratchFolder folder(L"dups-collection");
    test::ScratchKey fontsKey(L"dups-collection-fonts");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, folder.Path());
    const std::wstring pair = folder.Write(L"pair.ttc", test::BuildCollection({Font(u"TyDup Song"), Font(u"TyDup Hei")}));
    const std::wstring hei = folder.Write(L"hei.ttf", Font(u"TyDup Hei"));
    const auto result = FindDuplicates({{folder.Path(), false}}, where);
    ASSERT_EQ(result.groups.size(), 1u);
    EXPECT_EQ(result.groups[0].fullName, L"TyDup Hei");
    ASSERT_EQ(result.groups[0].files.size(), 2u);
    EXPECT_EQ(result.groups[0].files[0].path, hei);
    EXPECT_EQ(result.groups[0].files[1].path, pair);
}

TEST(DuplicateSearchTest, ADeleteThatDoesNotHappenLeavesTheFontAsItWas) {
    test::ScratchFolder folder(L"dups-delete");
    test::ScratchKey fontsKey(L"dups-delete-fonts");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, L"C:\\no-fonts-here\\");
    const std::wstring file = folder.Write(L"gone.ttf", Font(u"TyDupDelete Gone"));
    fontsKey.SetString(L"", L"TyDupDelete Gone (TrueType)", file);
    ASSERT_TRUE(catalog::LoadFont(file, where));

    // The confirmation cancelled: nothing deleted.
    EXPECT_FALSE(DeleteDuplicateFile(file, L"TyDupDelete Gone", [](const std::wstring&) {}, where));
    EXPECT_TRUE(catalog::GetInstallState(L"TyDupDelete Gone", file, where).fromThisFile) << "entry kept";
    EXPECT_TRUE(catalog::IsFontAvailable(L"TyDupDelete Gone", L"TyDupDelete Gone")) << "loaded again";

    EXPECT_TRUE(DeleteDuplicateFile(file, L"TyDupDelete Gone", [](const std::wstring& path) { DeleteFileW(path.c_str()); },
                                    where));
    EXPECT_FALSE(catalog::GetInstallState(L"TyDupDelete Gone", file, where).installed) << "entry removed";
    EXPECT_FALSE(catalog::IsFontAvailable(L"TyDupDelete Gone", L"TyDupDelete Gone")) << "unloaded";
}

}  // namespace
}  // namespace typorama::tools
