#include "base/dropped_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace typorama {
namespace {

using namespace std::string_literals;

constexpr std::u16string_view kFonts = u"*.ttf;*.otf;*.ttc;*.otc";

TEST(DroppedFiles, FontPatternsMatchTheFileNameOnlyInEitherCase) {
    EXPECT_TRUE(MatchesPatterns(u"C:\\Fonts\\Arial.TTF", kFonts));
    EXPECT_TRUE(MatchesPatterns(u"C:\\a.b\\simsun.ttc", kFonts));
    EXPECT_TRUE(MatchesPatterns(u"x.tar.otf", kFonts));
    EXPECT_FALSE(MatchesPatterns(u"C:\\fonts.ttf\\readme.txt", kFonts)) << "a folder's name is not the file's";
    EXPECT_FALSE(MatchesPatterns(u"C:\\a.ttfx", kFonts));
    EXPECT_FALSE(MatchesPatterns(u"C:\\dir\\", kFonts));
    EXPECT_FALSE(MatchesPatterns(u"a.ttf", u";;"));
    EXPECT_TRUE(MatchesPatterns(u"abc.fon", u"a?c.*"));
    EXPECT_FALSE(MatchesPatterns(u"ac.fon", u"a?c.*"));
    EXPECT_TRUE(MatchesPatterns(u"aXbXbc", u"a*b*c")) << "a star backs off and tries again";
}

TEST(DroppedFiles, FontFilesWinOverFoldersAndTheRestIsCounted) {
    const std::vector<HandedPath> mixed = {
        {u"C:\\f\\a.ttf", PathKind::File},   {u"C:\\f\\notes.txt", PathKind::File},
        {u"C:\\f\\A.TTF", PathKind::File},   {u"C:\\other", PathKind::Folder},
        {u"C:\\f\\b.otf", PathKind::File},   {u"C:\\gone.ttf", PathKind::Missing},
    };
    DropPlan plan = PlanDrop(mixed, kFonts);
    EXPECT_EQ(plan.fontFiles, (std::vector<std::u16string>{u"C:\\f\\a.ttf", u"C:\\f\\b.otf"}));
    EXPECT_TRUE(plan.folder.empty());
    EXPECT_EQ(plan.ignored, 3) << "the text file, the folder and the missing font";

    plan = PlanDrop({{u"C:\\one", PathKind::Folder}, {u"C:\\x.txt", PathKind::File}, {u"C:\\two", PathKind::Folder}},
                    kFonts);
    EXPECT_EQ(plan.folder, u"C:\\one");
    EXPECT_TRUE(plan.fontFiles.empty());
    EXPECT_EQ(plan.ignored, 2);

    plan = PlanDrop({{u"C:\\x.txt", PathKind::File}}, kFonts);
    EXPECT_TRUE(plan.folder.empty());
    EXPECT_TRUE(plan.fontFiles.empty());
    EXPECT_EQ(plan.ignored, 1);
}

TEST(DroppedFiles, HandedListTravelsWholeAndOnlyWithFullPaths) {
    const std::vector<std::u16string> paths = {u"C:\\Fonts\\a.ttf", u"\\\\server\\share\\b.otf"};
    const auto encoded = EncodeHandedFiles(paths);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(encoded->size(), paths[0].size() + paths[1].size() + 3);
    const auto decoded = DecodeHandedFiles(encoded->data(), encoded->size() * sizeof(char16_t));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, paths);

    EXPECT_FALSE(EncodeHandedFiles({u"relative.ttf"}));
    EXPECT_FALSE(EncodeHandedFiles({u"C:\\a\nb.ttf"}));
    for (const char16_t* device : {u"\\\\.\\pipe\\x.ttf", u"\\\\?\\GLOBALROOT\\a.ttf", u"\\\\.\\COM1"})
        EXPECT_FALSE(IsHandedPath(device)) << "devices and pipes are not handed over";
    EXPECT_FALSE(EncodeHandedFiles({}));
    EXPECT_FALSE(EncodeHandedFiles(std::vector<std::u16string>(kMaxHandedFiles + 1, u"C:\\a.ttf")));
    EXPECT_TRUE(EncodeHandedFiles(std::vector<std::u16string>(kMaxHandedFiles, u"C:\\a.ttf")));
}

TEST(DroppedFiles, ReceivedListIsRefusedUnlessWellFormed) {
    const auto decode = [](const std::u16string& text, std::size_t cut = 0) {
        return DecodeHandedFiles(text.data(), text.size() * sizeof(char16_t) - cut);
    };
    const std::u16string good = u"C:\\a.ttf\0D:\\b.ttf\0\0"s;
    ASSERT_TRUE(decode(good));
    EXPECT_EQ(decode(good)->size(), 2u);
    EXPECT_FALSE(decode(good, 1)) << "odd byte count";
    EXPECT_FALSE(decode(good, 2)) << "no closing double NUL";
    EXPECT_FALSE(decode(u"C:\\a.ttf"s)) << "no terminator at all";
    EXPECT_FALSE(decode(u"\0\0"s)) << "no path";
    EXPECT_FALSE(decode(u"C:\\a.ttf\0\0D:\\b.ttf\0\0"s)) << "an empty path inside";
    EXPECT_FALSE(decode(u"a.ttf\0\0"s)) << "a relative path";
    EXPECT_FALSE(DecodeHandedFiles(nullptr, 4));

    std::u16string many;
    for (std::size_t i = 0; i <= kMaxHandedFiles; ++i) many += u"C:\\a.ttf\0"s;
    many += u'\0';
    EXPECT_FALSE(decode(many)) << "more paths than a start may hand over";
    std::u16string tooLong = u"C:\\" + std::u16string(kMaxHandedPathChars, u'a') + u"\0\0"s;
    EXPECT_FALSE(decode(tooLong));
}

}  // namespace
}  // namespace typorama
