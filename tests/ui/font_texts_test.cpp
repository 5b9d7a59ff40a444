// The texts the views show for the states the catalogue reports.
#include "ui/font_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/scratch_locations.h"
#include "support/scratch.h"

namespace typorama::ui {
namespace {

using test::ScratchFolder;
using test::ScratchKey;

TEST(FontTexts, NameTheEmbeddingClassesAndTheInstallStatus) {
    EXPECT_EQ(EmbeddingText(0), L"信息不可用");
    EXPECT_EQ(EmbeddingText(1), L"受限");
    EXPECT_EQ(EmbeddingText(2), L"可打印");
    EXPECT_EQ(EmbeddingText(3), L"可编辑");
    EXPECT_EQ(EmbeddingText(4), L"安装型");
    EXPECT_EQ(EmbeddingText(5), L"");
    EXPECT_EQ(EmbeddingText(-1), L"");

    EXPECT_EQ(FontStatusText({}), L"未安装");
    EXPECT_EQ(FontStatusText({true, true, L"C:\\Fonts\\here.ttf"}), L"已永久安装");
    EXPECT_EQ(FontStatusText({true, false, L"D:\\Other\\there.ttf"}), L"同样的字体被安装自 \"D:\\Other\\there.ttf\"");
}

TEST(FontTexts, StatusLineTellsTheFileAndItsSizeOrThatThereIsNone) {
    ScratchFolder folder(L"font-texts-status");
    ScratchKey key(L"font-texts-status");
    const catalog::SystemLocations where = catalog::ScratchLocations(key, folder.Path());
    catalog::TFontListItem item(where);
    item.Name = L"Typorama Texts";
    EXPECT_EQ(StatusLine(item), L"Typorama Texts - 未安装") << "no entry, so no file";
    const std::wstring file = folder.Write(L"texts.ttf", std::vector<std::uint8_t>(1536));
    item.SetFile(file);
    EXPECT_EQ(StatusLine(item), L"Typorama Texts - " + file + L" (1.5KB)");
}

TEST(FontTexts, FilterNamesPreferTheFamilyAndKnowOnlyTheirValues) {
    EXPECT_EQ(FilterText(DEFAULT_CHARSET, 0), L"全");
    EXPECT_EQ(FilterText(EASTEUROPE_CHARSET, 0), L"东欧");
    EXPECT_EQ(FilterText(DEFAULT_CHARSET, FF_MODERN), L"现代");
    EXPECT_EQ(FilterText(DEFAULT_CHARSET, 2), L"全") << "a family value without a name";
    EXPECT_EQ(FilterText(77, 0), L"");
}

TEST(FontTexts, ScriptsAreJoinedInOrder) {
    catalog::TFontListItem item(catalog::Locations());
    item.Name = L"Tahoma";
    item.LogFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(item.LogFont.lfFaceName, L"Tahoma", LF_FACESIZE);
    const std::vector<std::wstring> scripts = catalog::FontScripts(item);
    if (scripts.size() < 2) GTEST_SKIP() << "Tahoma is not installed with several scripts";
    // Wine's Tahoma: "Arabic, Central European, Cyrillic, Turkish, Western".
    const std::wstring text = ScriptsText(item);
    EXPECT_TRUE(std::is_sorted(scripts.begin(), scripts.end()));
    EXPECT_EQ(text.rfind(scripts[0] + L", " + scripts[1], 0), 0u) << "the first two, in order";
    EXPECT_TRUE(text.ends_with(L", " + scripts.back())) << "nothing after the last";
}

}  // namespace
}  // namespace typorama::ui
