// Outlines the system gives for fonts made by the font builder, and the
// vector image drawn from them.
#include "charmap/glyph_vector.h"

#include <gtest/gtest.h>

#include "support/font_builder.h"
#include "support/scratch.h"

namespace typorama::charmap {
namespace {

using test::GlyphOutline;

// A triangle, a ring (two contours, curved corners) and a glyph of three boxes.
std::vector<GlyphOutline> TestGlyphs() {
    GlyphOutline a{U'A', 600, {{{0, 0}, {300, 700}, {600, 0}}}};
    GlyphOutline o{U'O', 700, {}};
    o.contours.push_back({{350, 0}, {0, 0, false}, {0, 350}, {0, 700, false}, {350, 700}, {700, 700, false},
                          {700, 350}, {700, 0, false}});
    o.contours.push_back({{350, 100}, {600, 100, false}, {600, 350}, {600, 600, false}, {350, 600},
                          {100, 600, false}, {100, 350}, {100, 100, false}});
    GlyphOutline e{U'E', 600, {}};
    for (int i = 0; i < 3; ++i) {
        const auto y = static_cast<std::int16_t>(i * 300);
        e.contours.push_back({{0, y}, {0, static_cast<std::int16_t>(y + 100)}, {500, static_cast<std::int16_t>(y + 100)},
                              {500, y}});
    }
    return {a, o, e, GlyphOutline{U' ', 300, {}}};
}

class PrivateFont {
public:
    explicit PrivateFont(const std::wstring& file) : file_(file) {
        loaded_ = AddFontResourceExW(file_.c_str(), FR_PRIVATE, nullptr) > 0;
    }
    ~PrivateFont() {
        if (loaded_) RemoveFontResourceExW(file_.c_str(), FR_PRIVATE, nullptr);
    }
    bool Loaded() const { return loaded_; }

private:
    std::wstring file_;
    bool loaded_ = false;
};

TEST(GlyphVector, ContoursOfBuiltGlyphsAreTheContoursOfTheirGlyfEntries) {
    test::ScratchFolder dir(L"glyph-vector");
    test::FontSpec fontSpec = test::FontSpec::Named(u"Typorama Outline Probe");
    fontSpec.glyphs = TestGlyphs();
    const std::wstring file = dir.Write(L"probe.ttf", test::BuildFont(fontSpec));
    PrivateFont font(file);
    ASSERT_TRUE(font.Loaded());

    LOGFONTW logFont{};
    wcscpy_s(logFont.lfFaceName, L"Typorama Outline Probe");
    OutlineConverter converter;
    converter.SetFont(logFont);
    converter.SetUnicode(true);
    converter.SetPrecision(0);
    converter.SetPrecision(101);
    EXPECT_EQ(converter.Precision(), kDefaultPrecision) << "values out of range are ignored";
    converter.SetPrecision(kImagePrecision);
    converter.SetHeight(1000);  // one pixel per font unit
    for (const GlyphOutline& glyph : fontSpec.glyphs) {
        if (glyph.contours.empty()) continue;
        auto strokes = converter.GetCharacterStrokes(glyph.codePoint);
        ASSERT_TRUE(strokes) << static_cast<char>(glyph.codePoint);
        EXPECT_EQ(strokes->strokes.ContourCount(), static_cast<int>(glyph.contours.size()))
            << static_cast<char>(glyph.codePoint);
        EXPECT_EQ(strokes->advance, glyph.advance);
    }
    auto a = converter.GetCharacterStrokes(U'A');
    ASSERT_TRUE(a);
    EXPECT_EQ(a->strokes.Count(), 3);
    const StrokeBounds bounds = a->strokes.Bounds();
    EXPECT_EQ(bounds.right, 600);
    EXPECT_EQ(bounds.bottom, 700);
    EXPECT_FALSE(converter.GetCharacterStrokes(U' ')) << "a space has no outline";

    UniqueEnhMetaFile image;
    ASSERT_TRUE(BuildCharVectorImage(logFont, 'O', image));
    ENHMETAHEADER header{};
    ASSERT_TRUE(GetEnhMetaFileHeader(image.get(), sizeof header, &header));
    EXPECT_GT(header.nRecords, 3u);
    // The bounds are inclusive device pixels: the ring at 1024 pixels per em.
    EXPECT_NEAR(header.rclBounds.right - header.rclBounds.left, 717, 3);
    EXPECT_FALSE(BuildCharVectorImage(logFont, ' ', image));
}

TEST(GlyphVector, FontsWithPostScriptOutlinesConvertToo) {
    // Windows hands their curves over as cubic records; Wine 8 as quadratic
    // ones, so the cubic flattening itself is tested on built buffers.
    const std::wstring file = L"Z:\\usr\\share\\fonts\\opentype\\urw-base35\\NimbusSans-Regular.otf";
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "fonts-urw-base35 is not installed";
    PrivateFont font(file);
    ASSERT_TRUE(font.Loaded());
    LOGFONTW logFont{};
    wcscpy_s(logFont.lfFaceName, L"Nimbus Sans");
    OutlineConverter converter;
    converter.SetFont(logFont);
    converter.SetUnicode(true);
    auto b = converter.GetCharacterStrokes(U'B');
    ASSERT_TRUE(b);
    EXPECT_EQ(b->strokes.ContourCount(), 3);
}

}  // namespace
}  // namespace typorama::charmap
