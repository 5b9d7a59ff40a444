// ReadFontInfo on real files: opening and sharing, the ANSI decoding of
// Macintosh names and the face name field.
#include "catalog/font_file.h"

#include <gtest/gtest.h>

#include "support/font_builder.h"
#include "support/scratch.h"

namespace typorama::catalog {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::NameEntry;
using test::ScratchFolder;

NameEntry Ms(std::uint16_t language, std::uint16_t id, std::u16string text) {
    return {3, 1, language, id, std::move(text), {}};
}

TEST(ReadFontInfo, ReadsNamesStyleAndEmbeddingOfAFile) {
    ScratchFolder dir(L"font-file-basic");
    FontSpec fontSpec = FontSpec::Named(u"Typorama Reader Sans", u"Bold Italic");
    fontSpec.fsType = 0x0004;
    std::wstring path = dir.Write(L"reader.ttf", BuildFont(fontSpec));

    TFontInfo info;
    ASSERT_TRUE(ReadFontInfo(path, info, 0x0409));
    EXPECT_EQ(info.FamilyName, L"Typorama Reader Sans");
    EXPECT_EQ(info.SubfamilyName, L"Bold Italic");
    EXPECT_EQ(info.FullName, L"Typorama Reader Sans Bold Italic");
    EXPECT_EQ(info.Version, L"Version 1.000");
    EXPECT_EQ(info.LogFont.lfWeight, 700);
    EXPECT_TRUE(info.LogFont.lfItalic);
    EXPECT_EQ(info.LogFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(info.LogFont.lfFaceName, L"Typorama Reader Sans");
    EXPECT_EQ(info.Embedding, 2);
}

TEST(ReadFontInfo, PrefersNamesInThePreferredLanguage) {
    ScratchFolder dir(L"font-file-language");
    FontSpec fontSpec;
    fontSpec.names = {Ms(0x0409, 1, u"Typorama Song"), Ms(0x0409, 4, u"Typorama Song Regular"),
                  Ms(0x0409, 5, u"Version 2.0"), Ms(0x0804, 1, u"排版宋体"), Ms(0x0804, 4, u"排版宋体 常规")};
    std::wstring path = dir.Write(L"song.ttf", BuildFont(fontSpec));

    TFontInfo chinese;
    ASSERT_TRUE(ReadFontInfo(path, chinese, 0x0804));
    EXPECT_EQ(chinese.FamilyName, L"排版宋体");
    EXPECT_EQ(chinese.FullName, L"排版宋体 常规");
    EXPECT_EQ(chinese.Version, L"Version 2.0") << "a name only in English is taken from English";
    EXPECT_STREQ(chinese.LogFont.lfFaceName, L"排版宋体");

    TFontInfo english;
    ASSERT_TRUE(ReadFontInfo(path, english, 0x0409));
    EXPECT_EQ(english.FamilyName, L"Typorama Song");
}

TEST(ReadFontInfo, DecodesMacintoshNamesWithTheAnsiCodePage) {
    ScratchFolder dir(L"font-file-mac");
    FontSpec fontSpec;
    // Only Microsoft names in a third language: the Macintosh names are shown.
    fontSpec.names = {Ms(0x0407, 4, u"Nicht gezeigt"), {1, 0, 0, 1, {}, "Caf\xE9 Mac"}, {1, 0, 0, 4, {}, "Caf\xE9 Mac"}};
    std::wstring path = dir.Write(L"mac.ttf", BuildFont(fontSpec));

    TFontInfo info;
    ASSERT_TRUE(ReadFontInfo(path, info, 0x0409));
    wchar_t expected[16];
    int n = MultiByteToWideChar(CP_ACP, 0, "Caf\xE9 Mac", -1, expected, 16);
    ASSERT_GT(n, 0);
    EXPECT_EQ(info.FullName, expected);
    EXPECT_STREQ(info.LogFont.lfFaceName, expected);
}

TEST(ReadFontInfo, CutsALongFamilyNameToTheFaceNameField) {
    ScratchFolder dir(L"font-file-long");
    std::u16string family = u"Typorama Extraordinarily Long Family Name Beyond Thirty-One";
    std::wstring path = dir.Write(L"long.ttf", BuildFont(FontSpec::Named(family)));

    TFontInfo info;
    ASSERT_TRUE(ReadFontInfo(path, info, 0x0409));
    EXPECT_EQ(info.FamilyName.size(), family.size()) << "the family name itself is kept whole";
    EXPECT_EQ(std::wstring(info.LogFont.lfFaceName), info.FamilyName.substr(0, LF_FACESIZE - 1));

    // A surrogate pair straddling the limit is not split.
    std::u16string emoji = std::u16string(30, u'x') + u"\U0001F600" + u"tail";
    path = dir.Write(L"pair.ttf", BuildFont(FontSpec::Named(emoji)));
    ASSERT_TRUE(ReadFontInfo(path, info, 0x0409));
    EXPECT_EQ(std::wstring(info.LogFont.lfFaceName), std::wstring(30, L'x'));
}

TEST(ReadFontInfo, FailsOnlyForFilesThatCannotBeOpenedOrHaveTooManyTables) {
    ScratchFolder dir(L"font-file-failures");
    TFontInfo info;
    info.FullName = L"stale";
    EXPECT_FALSE(ReadFontInfo(dir.Path() + L"missing.ttf", info, 0x0409));
    EXPECT_TRUE(info.FullName.empty()) << "the record is cleared even when the read fails";
    EXPECT_EQ(info.LogFont.lfCharSet, DEFAULT_CHARSET);

    std::vector<std::uint8_t> font = BuildFont(FontSpec::Named(u"Typorama Hundred"));
    test::SetNumTables(font, 101);
    EXPECT_FALSE(ReadFontInfo(dir.Write(L"101.ttf", font), info, 0x0409));

    // Not a font, but it opens and bytes 4..5 read as a small number: accepted, empty.
    std::wstring text = dir.Write(L"notes.ttf", {'h', 'e', 'l', 'l', 0, 3, 'o', '!', '!', '!', '!', '!'});
    EXPECT_TRUE(ReadFontInfo(text, info, 0x0409));
    EXPECT_TRUE(info.FullName.empty());
    EXPECT_EQ(info.LogFont.lfWeight, 0);
    EXPECT_EQ(info.Embedding, 0);
}

TEST(ReadFontInfo, SharesTheFileWithReadersButNotWithWriters) {
    ScratchFolder dir(L"font-file-sharing");
    std::wstring path = dir.Write(L"shared.ttf", BuildFont(FontSpec::Named(u"Typorama Shared")));
    TFontInfo info;
    {
        win::UniqueFile reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        EXPECT_TRUE(ReadFontInfo(path, info, 0x0409)) << "another reader does not stop us";
        EXPECT_EQ(info.FullName, L"Typorama Shared");
    }
    {
        win::UniqueFile writer(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer);
        EXPECT_FALSE(ReadFontInfo(path, info, 0x0409)) << "a file being written is not read half-way";
    }
    {
        win::UniqueFile locked(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_FALSE(ReadFontInfo(path, info, 0x0409)) << "a file locked for reading";
    }
}

}  // namespace
}  // namespace typorama::catalog
