// The font list on the real font table and a scratch installed-font key.
#include "catalog/font_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"

namespace typorama::catalog {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;
using test::ScratchKey;

// A scratch folder of fonts and a scratch installed-font key that the list uses
// in place of the system's.
struct Fixture {
    explicit Fixture(const std::wstring& name)
        : folder(name), key(name), where(ScratchLocations(key, Locations().fontsFolder)) {}
    std::wstring Font(const std::wstring& file, const std::u16string& family, const std::u16string& style = u"Regular") {
        return folder.Write(file, BuildFont(FontSpec::Named(family, style)));
    }
    ScratchFolder folder;
    ScratchKey key;
    SystemLocations where;
};

std::vector<std::wstring> Names(const TFontList& list) {
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i].Name);
    return names;
}

void ListFolder(TFontList& list, const std::wstring& folder, bool subfolders = false) {
    list.SetSourceKind(SourceKind::Folder);
    list.SetFolder(folder);
    list.IncludeSubfolders = subfolders;
    list.Rebuild(false);
}

TEST(FontListFolder, ListsSortsLoadsAndUnloadsTheFontsOfAFolder) {
    Fixture fx(L"list-folder");
    fx.Font(L"b.ttf", u"Typorama LF beta");
    fx.Font(L"a.ttf", u"Typorama LF Alpha");
    fx.Font(L"sub\\c.otf", u"Typorama LF Gamma");
    fx.folder.Write(L"readme.txt", {'x'});

    {
        TFontList list(fx.where);
        ListFolder(list, fx.folder.Path());
        EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LF Alpha", L"Typorama LF beta"}))
            << "sorted with A-Z folded; no subfolders";
        EXPECT_TRUE(list[0].LoadedByList);
        EXPECT_FALSE(IsFontAvailable(L"Typorama LF Alpha", L"Typorama LF Alpha")) << "loaded when first drawn";
        list.PrepareToDraw(list[0]);
        EXPECT_TRUE(IsFontAvailable(L"Typorama LF Alpha", L"Typorama LF Alpha"));
        EXPECT_EQ(list.DisplayLoadedCount(), 1);
        EXPECT_EQ(list[0].FileName(), fx.folder.Path() + L"a.ttf");
        EXPECT_GT(list[0].FileSize(), 0);
        EXPECT_TRUE(list[0].InfoRead());
        EXPECT_EQ(list[0].Version(), L"Version 1.000");

        list.IncludeSubfolders = true;
        list.Rebuild(false);
        ASSERT_EQ(list.Files.size(), 3u);
        EXPECT_EQ(list.Files[0], fx.folder.Path() + L"sub\\c.otf") << "files of subfolders come first";
        EXPECT_EQ(list.Count(), 3);
    }
    EXPECT_FALSE(IsFontAvailable(L"Typorama LF Alpha", L"Typorama LF Alpha"))
        << "destroying the list unloads the fonts it loaded";

    ScratchFolder empty(L"list-folder-empty");
    TFontList list(fx.where);
    ListFolder(list, empty.Path(), true);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FontListFolder, LeavesFontsTheSystemKnowsAloneAndClearUnloadsItsOwn) {
    Fixture fx(L"list-known");
    std::wstring known = fx.Font(L"known.ttf", u"Typorama LK Known");
    fx.Font(L"own.ttf", u"Typorama LK Own");
    ASSERT_TRUE(LoadFont(known, fx.where));

    TFontList list(fx.where);
    ListFolder(list, fx.folder.Path());
    ASSERT_EQ(list.Count(), 2);
    EXPECT_FALSE(list[0].LoadedByList) << list[0].Name;
    EXPECT_TRUE(list[1].LoadedByList) << list[1].Name;
    list.PrepareToDraw(list[0]);
    list.PrepareToDraw(list[1]);
    EXPECT_EQ(list.DisplayLoadedCount(), 1) << "a font the system knows is not loaded again";

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(IsFontAvailable(L"Typorama LK Own", L"Typorama LK Own"));
    EXPECT_TRUE(IsFontAvailable(L"Typorama LK Known", L"Typorama LK Known")) << "not the list's to unload";
    EXPECT_TRUE(UnloadFont(known, fx.where));
}

// Fonts are loaded as rows are drawn, a bounded number at a time; what the
// items say (the tag rules, LoadedByList) does not depend on what was drawn.
TEST(FontListFolder, LoadsFontsAsTheyAreDrawnAndKeepsABoundedNumber) {
    Fixture fx(L"list-lazy");
    std::vector<std::wstring> names;
    for (int i = 0; i < 8; ++i) {
        names.push_back(L"Typorama LL " + std::wstring(1, static_cast<wchar_t>(L'A' + i)));
        fx.Font(std::to_wstring(i) + L".ttf", u"Typorama LL " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
    }
    fx.Font(L"9-copy.ttf", u"Typorama LL A");  // a second file of the first font
    const auto available = [&](int i) { return IsFontAvailable(names[i], names[i]); };

    TFontList list(fx.where);
    list.DisplayLoadLimit = 4;
    ListFolder(list, fx.folder.Path());
    ASSERT_EQ(list.Count(), 9);
    ASSERT_EQ(list[0].Name, list[1].Name);
    EXPECT_NE(list[0].LoadedByList, list[1].LoadedByList) << "the list answers for the first file of a font only";
    list.TagItems(TagRule::NotInstalledOrLoaded);
    const int taggedBefore = list.TaggedCount();

    for (int i = 0; i < list.Count(); ++i) list.PrepareToDraw(list[i]);
    EXPECT_LE(list.DisplayLoadedCount(), 4);
    EXPECT_TRUE(available(7)) << "the fonts drawn last stay loaded";
    EXPECT_FALSE(available(2)) << "those drawn longest ago were unloaded";
    list.PrepareToDraw(list[3]);  // names[2]: the copy shifts the rows by one
    EXPECT_TRUE(available(2)) << "and come back when drawn again";
    list.TagItems(TagRule::NotInstalledOrLoaded);
    EXPECT_EQ(list.TaggedCount(), taggedBefore) << "the tag rule does not depend on what was drawn";

    list.Clear();
    EXPECT_EQ(list.DisplayLoadedCount(), 0);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(available(i)) << names[i];
}

TEST(FontListFiles, KeepsEveryFileGivenAndTakesTheFolderOfTheFirst) {
    Fixture fx(L"list-files");
    std::wstring twice = fx.Font(L"twice.ttf", u"Typorama LFi Twice");
    std::wstring other = fx.Font(L"other\\x.ttf", u"Typorama LFi Other");

    TFontList list(fx.where);
    list.SetSourceKind(SourceKind::FileList);
    list.Files = {twice, other, twice, fx.folder.Path() + L"missing.ttf"};
    list.Rebuild(false);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LFi Other", L"Typorama LFi Twice",
                                                      L"Typorama LFi Twice"}));
    EXPECT_EQ(list.Folder(), fx.folder.Path());
}

TEST(FontListFiles, InstallFlagsComeFromTheEntryAndItsFile) {
    Fixture fx(L"list-flags");
    std::wstring here = fx.Font(L"here.ttf", u"Typorama LFl Here");
    std::wstring elsewhere = fx.Font(L"elsewhere.ttf", u"Typorama LFl Elsewhere");
    fx.Font(L"none.ttf", u"Typorama LFl None");
    ASSERT_TRUE(RegisterFont(L"Typorama LFl Here", here, fx.where));
    ASSERT_TRUE(RegisterFont(L"Typorama LFl Elsewhere", fx.folder.Path() + L"copy\\elsewhere.ttf", fx.where));

    TFontList list(fx.where);
    ListFolder(list, fx.folder.Path());
    ASSERT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LFl Elsewhere", L"Typorama LFl Here",
                                                      L"Typorama LFl None"}));
    EXPECT_TRUE(list[0].Installed);
    EXPECT_FALSE(list[0].InstalledFromThisFile);
    EXPECT_TRUE(list[1].Installed);
    EXPECT_TRUE(list[1].InstalledFromThisFile);
    EXPECT_FALSE(list[2].Installed);
    EXPECT_TRUE(list.AnyInstalled(true));

    EXPECT_EQ(GetInstallState(list[1].Name, here, fx.where).Status(), InstallStatus::InstalledFromThisFile);
    InstallState other = GetInstallState(list[0].Name, elsewhere, fx.where);
    EXPECT_EQ(other.Status(), InstallStatus::InstalledFromOtherFile);
    EXPECT_EQ(other.registeredFile, fx.folder.Path() + L"copy\\elsewhere.ttf");
    EXPECT_EQ(GetInstallState(list[2].Name, L"", fx.where).Status(), InstallStatus::NotInstalled);

    list.TagItems(TagRule::InstalledFromThisFile);
    EXPECT_EQ(list.TaggedCount(), 1);
    EXPECT_TRUE(list[1].Tagged);
    list.TagItems(TagRule::Installed);
    EXPECT_EQ(list.TaggedCount(), 2);
    list.TagItems(TagRule::Invert);
    EXPECT_TRUE(list[2].Tagged);
    EXPECT_EQ(list.TaggedCount(), 1);
    list.TagItems(TagRule::NotInstalledOrLoaded);
    EXPECT_EQ(list.TaggedCount(), 0) << "every font here is installed or loaded by the list";
    list.TagItems(TagRule::All);
    EXPECT_EQ(list.TaggedCount(), 3);
    list.TagItems(TagRule::None);
    EXPECT_EQ(list.TaggedCount(), 0);
}

TEST(FontListFolder, ListsEveryFaceOfACollectionWithTheFileTheyShare) {
    Fixture fx(L"list-collections");
    const std::wstring two = fx.folder.Write(
        L"two.ttc", test::BuildCollection({BuildFont(FontSpec::Named(u"Typorama LC Song")),
                                           BuildFont(FontSpec::Named(u"Typorama LC NSong"))}));
    fx.folder.Write(L"three.otc", test::BuildCollection({BuildFont(FontSpec::Named(u"Typorama LC Hei")),
                                                         BuildFont(FontSpec::Named(u"Typorama LC Kai")),
                                                         BuildFont(FontSpec::Named(u"Typorama LC Li"))},
                                                        2));
    fx.Font(L"single.ttf", u"Typorama LC Alone");
    // Installed as Windows installs a collection: one entry named after all its faces.
    ASSERT_TRUE(RegisterFont(L"Typorama LC Song & Typorama LC NSong", two, fx.where));

    TFontList list(fx.where);
    ListFolder(list, fx.folder.Path());
    ASSERT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LC Alone", L"Typorama LC Hei", L"Typorama LC Kai",
                                                      L"Typorama LC Li", L"Typorama LC NSong", L"Typorama LC Song"}));
    TFontListItem& song = list[5];
    TFontListItem& nsong = list[4];
    EXPECT_EQ(song.FileName(), two);
    EXPECT_EQ(nsong.FileName(), two);
    EXPECT_EQ(song.FileSize(), nsong.FileSize());
    EXPECT_EQ(song.Face(), 0u);
    EXPECT_EQ(nsong.Face(), 1u);
    EXPECT_FALSE(list[0].Face());
    EXPECT_EQ(std::wstring(nsong.LogFont.lfFaceName), L"Typorama LC NSong") << "the row picks its own face";
    EXPECT_TRUE(song.InstalledFromThisFile && nsong.InstalledFromThisFile) << "the file's entry is each face's";
    EXPECT_FALSE(list[1].Installed);
    EXPECT_EQ(nsong.EntryName(), L"Typorama LC Song & Typorama LC NSong");
    EXPECT_EQ(list[2].EntryName(), L"Typorama LC Hei & Typorama LC Kai & Typorama LC Li");

    // The collection is loaded once for all its faces, and each face can be drawn.
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(list[i].LoadedByList);
    for (int i = 1; i <= 3; ++i) list.PrepareToDraw(list[i]);
    EXPECT_EQ(list.DisplayLoadedCount(), 1);
    EXPECT_EQ(list.LoadFailureCount(), 0);
    EXPECT_TRUE(IsFontAvailable(L"Typorama LC Kai", L"Typorama LC Kai"));
    EXPECT_TRUE(IsFontAvailable(L"Typorama LC Li", L"Typorama LC Li"));

    // Tagging two faces of one collection gives a command the file once.
    TWorkingList fonts;
    for (int i : {0, 1, 3, 4, 5}) fonts.Add(list[i]);
    fonts.KeepOneFacePerCollection();
    ASSERT_EQ(fonts.Count(), 3);
    EXPECT_EQ(&fonts[0], &list[0]);
    EXPECT_EQ(&fonts[1], &list[1]);
    EXPECT_EQ(&fonts[2], &nsong);
}

TEST(FontListFiles, ReportsALoadProblemFromTheFourthFailure) {
    Fixture fx(L"list-problems");
    // Opens and reads (bytes 4..5 are small) but is no font the system can load.
    std::vector<std::uint8_t> junk = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 3; ++i) fx.folder.Write(L"bad" + std::to_wstring(i) + L".ttf", junk);

    int problems = 0;
    TFontList list(fx.where);
    list.OnLoadProblem = [&] { ++problems; };
    const auto drawAll = [&list] {
        for (int i = 0; i < list.Count(); ++i) list.PrepareToDraw(list[i]);
    };
    ListFolder(list, fx.folder.Path());
    EXPECT_EQ(list.Count(), 3) << "an item is made even when loading fails";
    drawAll();
    EXPECT_EQ(list.LoadFailureCount(), 3);
    EXPECT_EQ(problems, 0) << "three failures are not reported";

    fx.folder.Write(L"bad3.ttf", junk);
    list.Rebuild(false);
    EXPECT_EQ(problems, 0) << "known only when the fonts are needed";
    drawAll();
    drawAll();
    EXPECT_EQ(problems, 1) << "four are, once per listing";
    list.Rebuild(false);
    drawAll();
    EXPECT_EQ(problems, 2) << "and again for the next listing";
}

TEST(FontListFiles, HidesMarlettOnlyWhenAsked) {
    Fixture fx(L"list-marlett");
    FontSpec fontSpec = FontSpec::Named(u"Marlett");
    fx.folder.Write(L"marlett.ttf", BuildFont(fontSpec));
    fx.Font(L"other.ttf", u"Typorama LM Other");

    TFontList list(fx.where);
    list.SetHideMarlett(true);
    ListFolder(list, fx.folder.Path());
    EXPECT_EQ(Names(list), std::vector<std::wstring>{L"Typorama LM Other"});
    list.SetHideMarlett(false);
    list.Rebuild(false);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Marlett", L"Typorama LM Other"}));
    list.SetHideMarlett(true);
}

TEST(FontListTags, SurviveARebuildByNameAndShowTaggedOnlyHidesTheRest) {
    Fixture fx(L"list-tags");
    fx.Font(L"a.ttf", u"Typorama LT A");
    fx.Font(L"b.ttf", u"Typorama LT B");
    fx.Font(L"c.ttf", u"Typorama LT C");

    int begins = 0, ends = 0;
    TFontList list(fx.where);
    list.OnBeginUpdate = [&] { ++begins; };
    list.OnEndUpdate = [&] { ++ends; };
    ListFolder(list, fx.folder.Path());
    list[0].Tagged = true;
    list[2].Tagged = true;

    // Renaming the font of c.ttf: its tag does not follow the new name.
    fx.Font(L"c.ttf", u"Typorama LT Renamed");
    list.Rebuild(true);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LT A", L"Typorama LT B", L"Typorama LT Renamed"}));
    EXPECT_TRUE(list[0].Tagged);
    EXPECT_FALSE(list[2].Tagged);
    EXPECT_TRUE(list.TaggedNames.empty());
    list.Rebuild(false);
    EXPECT_EQ(list.TaggedCount(), 0);

    list[0].Tagged = list[1].Tagged = true;
    list.SetShowTaggedOnly(true);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.HiddenCount(), 1);
    list[0].Tagged = false;
    list.Refresh(true);  // hides, does not re-read
    EXPECT_EQ(Names(list), std::vector<std::wstring>{L"Typorama LT B"});
    EXPECT_EQ(list.HiddenCount(), 2);
    list.SetShowTaggedOnly(false);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"Typorama LT A", L"Typorama LT B", L"Typorama LT Renamed"}));
    EXPECT_EQ(begins, ends) << "every update that began has ended";

    list.SetShowTaggedOnly(true);
    list.DropHidden(false);
    EXPECT_FALSE(list.ShowTaggedOnly());
    EXPECT_EQ(list.HiddenCount(), 0);
    EXPECT_EQ(list.Count(), 1) << "the stale hidden items are gone, not put back";

    // Changing the source while rows are set aside forgets them with the old list.
    ListFolder(list, fx.folder.Path());
    list[0].Tagged = true;
    list.SetShowTaggedOnly(true);
    ASSERT_GT(list.HiddenCount(), 0);
    list.SetSourceKind(SourceKind::FileList);
    list.Files = {fx.folder.Path() + L"b.ttf"};
    list.Rebuild(false);
    EXPECT_FALSE(list.ShowTaggedOnly());
    EXPECT_EQ(list.HiddenCount(), 0);
    list.SetShowTaggedOnly(true);
    list.SetShowTaggedOnly(false);
    EXPECT_EQ(Names(list), std::vector<std::wstring>{L"Typorama LT B"}) << "no row of the old list comes back";
}

TEST(FontListFind, FindsByPrefixOrContentAndWrapsOnce) {
    Fixture fx(L"list-find");
    fx.Font(L"1.ttf", u"Typorama LFind Apple");
    fx.Font(L"2.ttf", u"Typorama LFind Banana");
    fx.Font(L"3.ttf", u"Typorama LFind Cherry");
    TFontList list(fx.where);
    ListFolder(list, fx.folder.Path());
    ASSERT_EQ(list.Count(), 3);
    bool wrapped = true;

    EXPECT_EQ(list.FindFont(L"typorama lfind b", true, false, -1), 1) << "prefix ignores ASCII case";
    EXPECT_EQ(list.FindFont(L"CHERRY", false, false, -1), 2) << "contains, lower-cased";
    EXPECT_EQ(list.FindFont(L"Apple", true, false, -1), -1) << "not a prefix";
    EXPECT_EQ(list.FindFont(L"", false, false, -1), -1) << "empty text is in no name";
    EXPECT_EQ(list.FindFont(L"", true, false, -1), 0) << "but is a prefix of every one";
    EXPECT_EQ(list.FindFont(L"Typorama", true, false, 2, &wrapped), -1);
    EXPECT_FALSE(wrapped);
    EXPECT_EQ(list.FindFont(L"Typorama LFind C", true, true, 1, &wrapped), 2);
    EXPECT_FALSE(wrapped) << "found before the end";
    EXPECT_EQ(list.FindFont(L"Typorama LFind A", true, true, 2, &wrapped), 0) << "wraps from the last item";
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(list.FindFont(L"Nothing", true, true, 0, &wrapped), -1) << "no second wrap";
    EXPECT_TRUE(wrapped);
}

TEST(FontListSystem, ListsLoadedFontsWithTheirEntriesAndFilters) {
    Fixture fx(L"list-system");
    std::wstring file = fx.Font(L"sys.ttf", u"Typorama LS System");
    ASSERT_TRUE(LoadFont(file, fx.where));
    // The entry under the bare name: installed, but its file is not looked up.
    ScratchKey& key = fx.key;
    key.SetString(L"", L"Typorama LS System", file);

    int endsSeen = 0;
    {
        TFontList list(fx.where);
        list.OnEndUpdate = [&] { ++endsSeen; };
        list.Rebuild(false);
        auto names = Names(list);
        auto it = std::find(names.begin(), names.end(), L"Typorama LS System");
        ASSERT_NE(it, names.end());
        TFontListItem& item = list[static_cast<int>(it - names.begin())];
        EXPECT_TRUE(item.Installed);
        EXPECT_EQ(item.FileName(), L"");
        EXPECT_EQ(item.FileSize(), 0);
        EXPECT_FALSE(item.LoadedByList);
        EXPECT_EQ(FontScripts(item), std::vector<std::wstring>{L"Western"});
        EXPECT_EQ(FirstFontScript(item), L"Western");
        EXPECT_EQ(std::count(names.begin(), names.end(), L"Typorama LS System"), 1) << "one item per style";
        EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()).size(), names.size())
            << "no full name twice, also where the system repeats one between others";
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), FontNameLess));
        EXPECT_EQ(std::count(names.begin(), names.end(), L"Marlett"), 0);

        // Now with the suffixed entry the file is found.
        key.SetString(L"", L"Typorama LS System (TrueType)", L"sys.ttf");
        SystemLocations inFolder = fx.where;
        inFolder.fontsFolder = fx.folder.Path();
        TFontList withFolder(inFolder);
        withFolder.Rebuild(false);
        auto names2 = Names(withFolder);
        auto it2 = std::find(names2.begin(), names2.end(), L"Typorama LS System");
        ASSERT_NE(it2, names2.end());
        TFontListItem& found = withFolder[static_cast<int>(it2 - names2.begin())];
        EXPECT_EQ(found.FileName(), file) << "a bare file name is completed with the fonts folder";
        EXPECT_EQ(found.Version(), L"Version 1.000") << "read from the file on demand";
        EXPECT_EQ(found.Embedding(), 4);

        int rebuilds = endsSeen;
        list.SetCharsetFilter(DEFAULT_CHARSET);
        EXPECT_EQ(endsSeen, rebuilds) << "the same charset without a family filter changes nothing";
        list.SetFamilyFilter(FF_MODERN);
        EXPECT_EQ(list.FamilyFilter(), FF_MODERN);
        EXPECT_EQ(list.CharsetFilter(), DEFAULT_CHARSET);
        list.SetCharsetFilter(DEFAULT_CHARSET);
        EXPECT_EQ(endsSeen, rebuilds + 2) << "the same charset clears an active family filter";
        EXPECT_EQ(list.FamilyFilter(), 0);
        list.SetCharsetFilter(EASTEUROPE_CHARSET);
        EXPECT_EQ(list.CharsetFilter(), EASTEUROPE_CHARSET);
    }
    EXPECT_TRUE(IsFontAvailable(L"Typorama LS System", L"Typorama LS System")) << "system fonts are never unloaded";
    EXPECT_TRUE(UnloadFont(file, fx.where));
}

TEST(FontListSystem, TakesOpenTypeFontsWithPostScriptOutlines) {
    const wchar_t* cff = L"Z:\\usr\\share\\fonts\\opentype\\urw-base35\\NimbusSans-Regular.otf";
    TFontInfo info;
    if (!ReadFontInfo(cff, info)) GTEST_SKIP() << "fonts-urw-base35 is not installed";
    Fixture fx(L"list-cff");
    TFontList list(fx.where);
    list.Rebuild(false);
    auto names = Names(list);
    EXPECT_NE(std::find(names.begin(), names.end(), info.FullName), names.end()) << "CFF-based " << info.FullName;

    list.SetHideMarlett(false);
    list.Rebuild(false);
    names = Names(list);
    EXPECT_NE(std::find(names.begin(), names.end(), L"Marlett"), names.end());
    list.SetHideMarlett(true);
}

}  // namespace
}  // namespace typorama::catalog
