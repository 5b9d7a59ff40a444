// typorama-cli outline: a glyph of a font file as JSON, SVG and metafile.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/font_builder.h"

namespace typorama::test {
namespace {

TEST(CliOutline, WritesTheGlyphAsSvgAndMetafileAndRefusesUnusableFonts) {
    ScratchFolder dir(L"cli-outline");
    FontSpec fontSpec = FontSpec::Named(u"Typorama Cli Outline");
    GlyphOutline box{U'H', 640, {}};
    box.contours.push_back({{100, 0}, {100, 700}, {200, 700}, {200, 0}});
    box.contours.push_back({{300, 0}, {300, 700}, {400, 700}, {400, 0}});
    fontSpec.glyphs = {box, GlyphOutline{U' ', 250, {}}};
    const std::wstring font = dir.Write(L"outline.ttf", BuildFont(fontSpec));
    const std::wstring svg = dir.Path() + L"h.svg";
    const std::wstring emf = dir.Path() + L"h.emf";

    ProcessResult run = RunCli({L"outline", font, L"U+0048", L"--size", L"1000", L"--svg", svg, L"--emf", emf});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), std::vector<std::string>{"{\"file\": \"" + Json(font) +
                                                       "\", \"codepoint\": 72, \"contours\": 2, \"points\": 8, "
                                                       "\"advance\": 640}"});
    const std::string svgText = ReadFileBytes(svg);
    EXPECT_EQ(svgText.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"700\"", 0), 0u) << svgText;
    EXPECT_NE(svgText.find("d=\"M100 700L100 0L200 0L200 700ZM300 700"), std::string::npos) << svgText;
    const std::string emfBytes = ReadFileBytes(emf);
    ASSERT_GT(emfBytes.size(), 44u);
    EXPECT_EQ(emfBytes.substr(40, 4), " EMF");

    ProcessResult space = RunCli({L"outline", font, L"32"});
    EXPECT_EQ(space.exitCode, 0) << space.err;
    // No outline, but an advance: 250, which Wine 8 reports as 256.
    EXPECT_NE(space.out.find("\"contours\": 0, \"points\": 0, \"advance\": 25"), std::string::npos) << space.out;

    FontSpec hostile = FontSpec::Named(u"Typorama Cli Outline");
    for (auto& name : hostile.names)
        if (name.nameId == 1) name.text = u"Line\r\nBreak";
    const std::wstring bad = dir.Write(L"bad.ttf", BuildFont(hostile));
    ProcessResult refused = RunCli({L"outline", bad, L"65"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("no usable family name"), std::string::npos) << refused.err;

    EXPECT_EQ(RunCli({L"outline", font}).exitCode, 2);
    EXPECT_EQ(RunCli({L"outline", font, L"0xD800"}).exitCode, 2);
    EXPECT_EQ(RunCli({L"outline", font, L"65", L"--size", L"0"}).exitCode, 2);
}

}  // namespace
}  // namespace typorama::test
