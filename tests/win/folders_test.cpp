// The one listing of folders and the folder and file tests.
#include "win/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scratch.h"

namespace typorama::win {
namespace {

std::vector<std::wstring> Names(const std::wstring& folder, std::wstring_view wildcard, EntryKind kind) {
    std::vector<std::wstring> names;
    ForEachFolderEntry(folder, wildcard, kind, [&](const WIN32_FIND_DATAW& data) { names.push_back(data.cFileName); });
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FoldersTest, EntriesOfTheKindAskedWithoutDotsAndAStopOnRequest) {
    test::ScratchFolder scratch(L"folders");
    scratch.Write(L"a.ttf", {1});
    scratch.Write(L"b.otf", {1});
    scratch.Write(L"sub.ttf\\inner.ttf", {1});  // a folder whose name matches the wildcard
    const std::wstring folder = scratch.Path();
    const std::wstring withoutSlash = folder.substr(0, folder.size() - 1);

    EXPECT_EQ(Names(folder, L"*", EntryKind::Any), (std::vector<std::wstring>{L"a.ttf", L"b.otf", L"sub.ttf"}))
        << "no . or ..";
    EXPECT_EQ(Names(withoutSlash, L"*.ttf", EntryKind::Files), (std::vector<std::wstring>{L"a.ttf"}));
    EXPECT_EQ(Names(folder, L"*", EntryKind::Folders), (std::vector<std::wstring>{L"sub.ttf"}));
    EXPECT_TRUE(Names(folder + L"missing", L"*", EntryKind::Any).empty());

    int visited = 0;
    ForEachFolderEntry(folder, L"*", EntryKind::Any, [&](const WIN32_FIND_DATAW&) {
        ++visited;
        return false;
    });
    EXPECT_EQ(visited, 1) << "a visitor that answers false ends the listing";

    EXPECT_TRUE(IsFolder(withoutSlash));
    EXPECT_TRUE(IsFolder(folder + L"sub.ttf"));
    EXPECT_FALSE(IsFolder(folder + L"a.ttf"));
    EXPECT_TRUE(IsFile(folder + L"a.ttf"));
    EXPECT_FALSE(IsFile(folder + L"sub.ttf"));
    EXPECT_FALSE(IsFolder(L""));
    EXPECT_FALSE(IsFile(L""));
    EXPECT_FALSE(IsFile(folder + L"missing"));
}

}  // namespace
}  // namespace typorama::win
