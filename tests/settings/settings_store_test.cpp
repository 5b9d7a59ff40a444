// The settings store against scratch keys: typed values, the reads that never
// fail, font settings and the list convention.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/setting_values.h"
#include "support/scratch.h"

namespace typorama::settings {
namespace {

SettingsRoot RootOf(const test::ScratchKey& scratch) { return {HKEY_CURRENT_USER, scratch.SubKey()}; }

void SetRaw(const TRegistryEx& reg, const wchar_t* name, DWORD type, std::vector<std::uint8_t> data) {
    ASSERT_EQ(RegSetValueExW(reg.CurrentKey(), name, 0, type, data.data(), static_cast<DWORD>(data.size())), 0);
}

TEST(SettingsStore, ValuesReadBackAndMissingOrUnfitValuesGiveTheDefault) {
    test::ScratchKey scratch(L"store-values");
    TRegistryEx reg(RootOf(scratch));
    EXPECT_FALSE(reg.WriteInteger(L"NoKey", 1)) << "nothing is open yet";
    EXPECT_EQ(reg.ReadIntegerDef(L"NoKey", 7, kAnyInteger), 7);
    EXPECT_FALSE(reg.OpenKey(L"Charmap", false));
    EXPECT_EQ(reg.LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    ASSERT_TRUE(reg.OpenKey(L"Charmap", true));
    ASSERT_TRUE(reg.WriteInteger(L"Left", -150) && reg.WriteColor(L"ColorBack", 0x80000005u) &&
                reg.WriteBool(L"Maximized", false) && reg.WriteString(L"左", L"宋体 Ünïcode") &&
                reg.WriteString(L"Empty", L"") && reg.WriteString(L"LongText", L"twelve chars"));
    SetRaw(reg, L"TwoBytes", REG_BINARY, {0x34, 0x12});
    SetRaw(reg, L"NoBytes", REG_SZ, {});
    SetRaw(reg, L"Embedded", REG_SZ, {'a', 0, 'b', 0, 0, 0, 'c', 0});
    SetRaw(reg, L"Bytes", REG_BINARY, {'a', 0, 'b', 0});
    ASSERT_TRUE(reg.OpenKeyReadOnly(L"Charmap"));

    EXPECT_EQ(reg.ReadIntegerDef(L"Left", 0, kAnyInteger), -150);
    EXPECT_EQ(reg.ReadColorDef(L"ColorBack", 0), 0x80000005u);
    EXPECT_FALSE(reg.ReadBoolDef(L"Maximized", true));
    EXPECT_EQ(reg.ReadStringDef(L"左", L"x"), L"宋体 Ünïcode");
    EXPECT_EQ(reg.ReadStringDef(L"Empty", L"x"), L"") << "a stored empty string is not a missing one";
    EXPECT_EQ(reg.ReadIntegerDef(L"Missing", 12, kAnyInteger), 12);
    EXPECT_EQ(reg.ReadStringDef(L"Missing", L"dflt"), L"dflt");
    EXPECT_EQ(reg.ReadIntegerDef(L"LongText", 5, kAnyInteger), 5) << "more than four bytes";
    EXPECT_EQ(reg.ReadIntegerDef(L"TwoBytes", 5, kAnyInteger), 0x1234)
        << "the type is not checked; short data is zero-extended";
    EXPECT_EQ(reg.ReadStringDef(L"NoBytes", L"dflt"), L"dflt");
    EXPECT_EQ(reg.ReadStringDef(L"Embedded", L"dflt"), L"ab") << "cut at the first NUL";
    EXPECT_EQ(reg.ReadStringDef(L"Left", L"dflt"), L"dflt") << "a number is no text";
    EXPECT_EQ(reg.ReadStringDef(L"Bytes", L"dflt"), L"dflt");

    EXPECT_FALSE(reg.WriteInteger(L"Left", 48)) << "opened read-only";
    EXPECT_EQ(reg.LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(SettingsStore, BooleansCountOnlyTheLowestByte) {
    test::ScratchKey scratch(L"store-bools");
    TRegistryEx reg(RootOf(scratch));
    ASSERT_TRUE(reg.OpenKey(L"", true));
    const std::pair<std::int32_t, bool> cases[] = {{0, false}, {1, true},         {2, true},
                                                   {256, false}, {257, true}, {INT32_MIN, false}};
    for (auto [stored, expected] : cases) {
        ASSERT_TRUE(reg.WriteInteger(L"Flag", stored));
        EXPECT_EQ(reg.ReadBoolDef(L"Flag", !expected), expected) << "stored " << stored;
    }
    EXPECT_TRUE(reg.ReadBoolDef(L"Missing", true));
}

TEST(SettingsStore, FontSettingsAreFivePrefixedValuesThatOnlyAddStyles) {
    test::ScratchKey scratch(L"store-font");
    TRegistryEx reg(RootOf(scratch));
    ASSERT_TRUE(reg.OpenKey(L"Print", true));
    FontSettings title;
    title.SetFaceName(L"Arial");
    title.SetPointSize(12);
    title.color = 0x8000000Du;
    title.logFont.lfWeight = FW_BOLD;
    title.logFont.lfUnderline = TRUE;
    ASSERT_TRUE(reg.WriteFontSettings(L"TitleFont", title));
    EXPECT_EQ(reg.GetValueNames().size(), 5u) << "underline is not stored";
    EXPECT_EQ(reg.ReadStringDef(L"TitleFont名称", L""), L"Arial");
    EXPECT_EQ(reg.ReadIntegerDef(L"TitleFont字号", 0, kAnyInteger), 12);
    EXPECT_EQ(reg.ReadColorDef(L"TitleFont颜色", 0), 0x8000000Du);
    EXPECT_EQ(reg.ReadIntegerDef(L"TitleFont粗体", -1, kAnyInteger), 1);
    EXPECT_EQ(reg.ReadIntegerDef(L"TitleFont斜体", -1, kAnyInteger), 0);

    FontSettings other;
    other.SetPointSize(9);
    other.logFont.lfItalic = TRUE;
    reg.ReadFontSettings(L"TitleFont", other);
    EXPECT_EQ(other.FaceName(), L"Arial");
    EXPECT_EQ(other.logFont.lfHeight, -16) << "12 points at 96 pixels per inch";
    EXPECT_EQ(other.color, 0x8000000Du);
    EXPECT_TRUE(other.Bold());
    EXPECT_TRUE(other.Italic()) << "a stored false does not take italic away";

    // Nothing stored under the prefix: every attribute stays, even a cell height.
    FontSettings kept;
    kept.SetFaceName(L"Courier New");
    kept.logFont.lfHeight = 20;
    kept.color = 0x123456;
    reg.ReadFontSettings(L"BodyFont", kept);
    EXPECT_EQ(kept.FaceName(), L"Courier New");
    EXPECT_EQ(kept.logFont.lfHeight, 20);
    EXPECT_EQ(kept.color, 0x123456u);
    EXPECT_FALSE(kept.Bold() || kept.Italic());

    ASSERT_TRUE(reg.WriteString(L"LongFont名称", std::wstring(40, L'x')));
    reg.ReadFontSettings(L"LongFont", kept);
    EXPECT_EQ(kept.FaceName(), std::wstring(LF_FACESIZE - 1, L'x')) << "cut, never overrun";
}

TEST(SettingsStore, StoredNumbersKeepToTheirRangesAndColoursToTheirForms) {
    test::ScratchKey scratch(L"store-ranges");
    TRegistryEx reg(RootOf(scratch));
    ASSERT_TRUE(reg.OpenKey(L"", true));
    ASSERT_TRUE(reg.WriteInteger(L"Huge", INT32_MAX) && reg.WriteInteger(L"Tiny", INT32_MIN) &&
                reg.WriteInteger(L"Fine", 48));
    const IntRange sizes{20, 1000};
    EXPECT_EQ(reg.ReadIntegerDef(L"Huge", 36, sizes), 1000);
    EXPECT_EQ(reg.ReadIntegerDef(L"Tiny", 36, sizes), 20);
    EXPECT_EQ(reg.ReadIntegerDef(L"Fine", 36, sizes), 48);
    EXPECT_EQ(reg.ReadIntegerDef(L"Missing", -15, sizes), -15) << "the caller's own default is left alone";

    const std::pair<std::uint32_t, bool> colours[] = {{0x00123456u, true},  {0x80000000u, true},
                                                      {0x8000001Eu, true},  {0x8000001Fu, false},
                                                      {0x80000100u, false}, {0x12345678u, false}};
    for (auto [stored, kept] : colours) {
        ASSERT_TRUE(reg.WriteColor(L"Colour", stored));
        EXPECT_EQ(reg.ReadColorDef(L"Colour", 7), kept ? stored : 7u) << std::hex << stored;
    }

    ASSERT_TRUE(reg.WriteInteger(L"BodyFont字号", INT32_MAX));
    FontSettings body;
    body.SetPointSize(10);
    reg.ReadFontSettings(L"BodyFont", body);
    EXPECT_EQ(body.PointSize(), 1638) << "the largest size the font dialog offers";
}

struct Declared {
    bool flag = true;
    std::int32_t size = 36;
    std::uint32_t color = 0x80000005u;
    std::wstring text = L"dflt";
};
constexpr ValueSetting<Declared> kDeclared[] = {
    {L"Flag", &Declared::flag},
    {L"Size", &Declared::size, IntRange{20, 1000}},
    {L"Color", &Declared::color},
    {L"Text", &Declared::text},
};

TEST(SettingsStore, DeclaredValuesWriteWithTheirTypesAndReadBackWithinTheirRanges) {
    test::ScratchKey scratch(L"store-declared");
    TRegistryEx reg(RootOf(scratch));
    ASSERT_TRUE(reg.OpenKey(L"", true));
    Declared untouched;
    ReadValues<Declared>(reg, kDeclared, untouched);
    EXPECT_TRUE(untouched.flag && untouched.size == 36 && untouched.color == 0x80000005u && untouched.text == L"dflt")
        << "missing values keep the fields' defaults";

    const Declared written{false, 72, 0x00123456u, L"宋体"};
    WriteOutcome outcome;
    WriteValues<Declared>(reg, kDeclared, written, outcome);
    EXPECT_FALSE(outcome.Failed());
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(reg.CurrentKey(), L"Flag", nullptr, &type, nullptr, nullptr), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(RegQueryValueExW(reg.CurrentKey(), L"Text", nullptr, &type, nullptr, nullptr), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    Declared read;
    ReadValues<Declared>(reg, kDeclared, read);
    EXPECT_TRUE(!read.flag && read.size == 72 && read.color == 0x00123456u && read.text == L"宋体");

    ASSERT_TRUE(reg.WriteInteger(L"Size", 5000) && reg.WriteInteger(L"Color", 0x80000063));
    ReadValues<Declared>(reg, kDeclared, read);
    EXPECT_EQ(read.size, 1000) << "kept to the declared range";
    EXPECT_EQ(read.color, 0x00123456u) << "no system colour 99: the field stays";

    TRegistryEx closed(RootOf(scratch));
    WriteValues<Declared>(closed, kDeclared, written, outcome);
    EXPECT_TRUE(outcome.Failed()) << "no key open: the failure is noted";
}

TEST(SettingsStore, ListsLoadAtMostTheirCap) {
    test::ScratchKey scratch(L"store-list-caps");
    SettingsRoot root = RootOf(scratch);
    TRegistryEx reg(root);
    ASSERT_TRUE(reg.OpenKey(kProgramsKey, true));
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(reg.WriteString(L"Title" + std::to_wstring(i), L"T" + std::to_wstring(i)) &&
                    reg.WriteString(L"CmdLine" + std::to_wstring(i), L"C" + std::to_wstring(i)));
    ASSERT_TRUE(reg.WriteInteger(kCountValue, 30));
    ASSERT_TRUE(reg.OpenKey(kFavoritesKey, true));
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(reg.WriteString(std::to_wstring(i), L"F" + std::to_wstring(i)));
    ASSERT_TRUE(reg.WriteInteger(kCountValue, 60));

    const std::wstring_view fields[] = {L"Title", L"CmdLine"};
    auto programs = LoadRecordList(root, kProgramsKey, fields, kProgramsCap);
    ASSERT_EQ(programs.size(), 25u);
    EXPECT_EQ(programs[24], (std::vector<std::wstring>{L"T24", L"C24"}));
    auto favorites = LoadList(root, kFavoritesKey, kFavoritesCap);
    ASSERT_EQ(favorites.size(), 50u);
    EXPECT_EQ(favorites.back(), L"F49");

    ASSERT_TRUE(reg.OpenKey(kDestinationsKey, true));
    ASSERT_TRUE(reg.WriteString(L"0", L"a") && reg.WriteString(L"2", L"c") && reg.WriteInteger(kCountValue, 3));
    EXPECT_EQ(ReadListValues(reg, kDestinationsCap), (std::vector<std::wstring>{L"a", L"", L"c"}));
    ASSERT_TRUE(reg.WriteInteger(kCountValue, -1));
    EXPECT_TRUE(ReadListValues(reg, kDestinationsCap).empty());
    reg.CloseKey();
    EXPECT_TRUE(LoadList(root, L"Nowhere", 50).empty());
    EXPECT_FALSE(reg.KeyExists(L"Nowhere")) << "loading creates nothing";
}

TEST(SettingsStore, SavingAListRewritesItsSubkeyAndOnlySampleStringsStayWhenEmpty) {
    test::ScratchKey scratch(L"store-list-save");
    SettingsRoot root = RootOf(scratch);
    TRegistryEx reg(root);
    const std::wstring three[] = {L"C:\\A", L"C:\\B", L"C:\\C"};
    ASSERT_TRUE(SaveList(root, kFavoritesKey, three));
    ASSERT_TRUE(SaveList(root, kFavoritesKey, std::span(three, 1)));
    ASSERT_TRUE(reg.OpenKeyReadOnly(kFavoritesKey));
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::wstring>{L"0", L"Count"})) << "stale entries are gone";
    EXPECT_EQ(reg.ReadIntegerDef(kCountValue, 0, kAnyInteger), 1);
    reg.CloseKey();
    ASSERT_TRUE(SaveList(root, kFavoritesKey, {}));
    EXPECT_FALSE(reg.KeyExists(kFavoritesKey)) << "an empty list leaves no subkey";

    const std::wstring_view fields[] = {L"CmdLine", L"Title"};
    const std::vector<std::vector<std::wstring>> programs = {{L"notepad.exe $TY_FILEPATH", L"Notepad"},
                                                             {L"fontview.exe", L"查看"}};
    ASSERT_TRUE(SaveRecordList(root, kProgramsKey, fields, programs));
    EXPECT_EQ(LoadRecordList(root, kProgramsKey, fields, kProgramsCap), programs);
    ASSERT_TRUE(SaveRecordList(root, kProgramsKey, fields, {}));
    EXPECT_FALSE(reg.KeyExists(kProgramsKey));

    EXPECT_EQ(LoadSampleStrings(root, L"Type Here").current, L"Type Here");
    EXPECT_TRUE(reg.KeyExists(kStringsKey)) << "created when loading";
    ASSERT_TRUE(SaveSampleStrings(root, {L"Hamburgefonstiv", {L"一", L"two"}}));
    SampleStrings loaded = LoadSampleStrings(root, L"Type Here");
    EXPECT_EQ(loaded.current, L"Hamburgefonstiv");
    EXPECT_EQ(loaded.items, (std::vector<std::wstring>{L"一", L"two"}));
    ASSERT_TRUE(SaveSampleStrings(root, {L"", {}}));
    ASSERT_TRUE(reg.OpenKeyReadOnly(kStringsKey)) << "always written";
    EXPECT_EQ(reg.ReadIntegerDef(kCountValue, -1, kAnyInteger), 0);
}

}  // namespace
}  // namespace typorama::settings
