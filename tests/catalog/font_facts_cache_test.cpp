// The facts kept between listings: read again exactly when the file changed,
// and the stored copy.
#include "catalog/font_facts_cache.h"

#include <gtest/gtest.h>

#include "catalog/font_list.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "win/unique_handle.h"
#include "win/whole_file.h"

namespace typorama::catalog {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;

std::vector<std::uint8_t> Named(const std::u16string& family) { return BuildFont(FontSpec::Named(family)); }

// Its offset table would announce 24,864 tables: no font.
const std::vector<std::uint8_t> kNotAFont = {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'};

void SetWriteTime(const std::wstring& file, std::uint64_t time) {
    win::UniqueFile handle(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME at{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ASSERT_TRUE(handle && SetFileTime(handle.get(), nullptr, nullptr, &at));
}

TEST(FontFactsCache, ReadsAFileAgainOnlyWhenItChangedOrAnotherLanguageIsAsked) {
    ScratchFolder folder(L"facts-cache");
    const std::wstring file = folder.Write(L"a.ttf", Named(u"Typorama FC Alpha"));
    const std::wstring junk = folder.Write(L"junk.ttf", kNotAFont);
    SetWriteTime(file, 0x01D0'0000'0000'0000ull);
    FontFactsCache cache;

    auto first = cache.Read(file, 0x0409);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->FullName, L"Typorama FC Alpha");
    EXPECT_EQ(cache.Read(file, 0x0409), first) << "the same facts, shared";
    EXPECT_EQ(cache.FilesRead(), 1u);

    // Not a font: kept as such, not read at every listing.
    EXPECT_FALSE(cache.Read(junk, 0x0409));
    EXPECT_FALSE(cache.Read(junk, 0x0409));
    EXPECT_EQ(cache.FilesRead(), 2u);

    EXPECT_TRUE(cache.Read(file, 0x0804));
    EXPECT_EQ(cache.FilesRead(), 3u) << "names are chosen per language";

    // Another font of the same size written in place keeps the stamp only if
    // the write time is set back too: a new write time is enough.
    folder.Write(L"a.ttf", Named(u"Typorama FC Gamma"));
    SetWriteTime(file, 0x01D0'0000'0000'0001ull);
    auto changed = cache.Read(file, 0x0804);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->FullName, L"Typorama FC Gamma");
    EXPECT_EQ(first->FullName, L"Typorama FC Alpha") << "facts already handed out do not change";

    // A file that cannot be opened now is not remembered as broken.
    folder.Write(L"b.ttf", Named(u"Typorama FC Beta"));
    const std::wstring locked = folder.Path() + L"b.ttf";
    {
        win::UniqueFile holder(
            CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(cache.Read(locked, 0x0409));
    }
    auto free = cache.Read(locked, 0x0409);
    ASSERT_TRUE(free);
    EXPECT_EQ(free->FullName, L"Typorama FC Beta");

    cache.Forget(locked);
    const std::size_t read = cache.FilesRead();
    cache.Read(locked, 0x0409);
    EXPECT_EQ(cache.FilesRead(), read + 1);
}

TEST(FontFactsCache, KeepsTheCurrentListingWhenFull) {
    ScratchFolder folder(L"facts-cache-full");
    std::vector<std::wstring> files;
    for (char16_t c : std::u16string(u"ABCD"))
        files.push_back(folder.Write(std::wstring(L"f") + wchar_t(c) + L".ttf", Named(u"Typorama FC " + std::u16string(1, c))));
    FontFactsCache cache(2);
    cache.BeginListing();
    cache.Read(files[0], 0x0409);
    cache.Read(files[1], 0x0409);
    cache.BeginListing();
    cache.Read(files[1], 0x0409);
    cache.Read(files[2], 0x0409);  // makes room by dropping A, which this listing did not read
    EXPECT_EQ(cache.Size(), 2u);
    cache.Read(files[3], 0x0409);  // no room: read, handed out, not kept
    EXPECT_EQ(cache.Size(), 2u);
    const std::size_t read = cache.FilesRead();
    cache.Read(files[1], 0x0409);
    cache.Read(files[2], 0x0409);
    EXPECT_EQ(cache.FilesRead(), read);
}

TEST(FontFactsCache, TheStoredCopyComesBackAndADamagedOneIsDropped) {
    ScratchFolder folder(L"facts-cache-store");
    const std::wstring font = folder.Write(L"a.ttf", Named(u"Typorama FC Stored"));
    const std::wstring junk = folder.Write(L"junk.ttf", kNotAFont);
    const std::wstring store = folder.Path() + L"FontFacts.cache";
    {
        FontFactsCache cache;
        cache.Read(font, 0x0409);
        cache.Read(junk, 0x0409);
        ASSERT_TRUE(cache.Save(store));
    }
    FontFactsCache cache;
    ASSERT_TRUE(cache.Load(store));
    EXPECT_EQ(cache.Size(), 2u);
    auto info = cache.Read(font, 0x0409);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->FullName, L"Typorama FC Stored");
    EXPECT_EQ(std::wstring(info->LogFont.lfFaceName), L"Typorama FC Stored");
    EXPECT_FALSE(cache.Read(junk, 0x0409));
    EXPECT_EQ(cache.FilesRead(), 0u) << "both answered from the stored copy";

    auto bytes = win::ReadWholeFile(store, 1 << 20);
    ASSERT_TRUE(bytes);
    (*bytes)[bytes->size() - 3] ^= 1;
    ASSERT_EQ(win::WriteWholeFile(store, *bytes), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(cache.Load(store));
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_FALSE(cache.Load(folder.Path() + L"missing.cache"));

    // A folder in the way of the stored copy: Save says so and leaves no temporary file.
    const std::wstring blocked = folder.Path() + L"blocked";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    cache.Read(font, 0x0409);
    EXPECT_FALSE(cache.Save(blocked));
    EXPECT_EQ(GetFileAttributesW((blocked + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FontFactsCache, AListingAfterAFileChangedShowsTheNewFont) {
    ScratchFolder folder(L"facts-cache-list");
    test::ScratchKey key(L"facts-cache-list");
    const SystemLocations where = ScratchLocations(key, Locations().fontsFolder);
    const std::wstring file = folder.Write(L"a.ttf", Named(u"Typorama FC Old"));
    SetWriteTime(file, 0x01D0'0000'0000'0000ull);
    TFontList list(where);
    list.SetSourceKind(SourceKind::Folder);
    list.SetFolder(folder.Path());
    list.Rebuild(false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].Name, L"Typorama FC Old");

    folder.Write(L"a.ttf", Named(u"Typorama FC New"));
    SetWriteTime(file, 0x01D0'0000'0000'0002ull);
    list.Rebuild(false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].Name, L"Typorama FC New");
    EXPECT_EQ(list[0].FullName(), L"Typorama FC New");
    list.Clear();
}

}  // namespace
}  // namespace typorama::catalog
