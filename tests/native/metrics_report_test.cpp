#include "charmap/metrics_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace typorama::charmap {
namespace {

// Distinct values everywhere, so that a field swapped for another shows.
OutlineMetricsValues MadeUpRecord() {
    OutlineMetricsValues v;
    v.height = 33, v.ascent = 26, v.descent = 7, v.internalLeading = 5, v.externalLeading = 1;
    v.aveCharWidth = 14, v.maxCharWidth = 40, v.weight = 700, v.overhang = 0;
    v.digitizedAspectX = 96, v.digitizedAspectY = 97;
    v.firstChar = u' ', v.lastChar = 0xFFFC, v.defaultChar = 0x1F, v.breakChar = u'A';
    v.italic = 255, v.underlined = 0, v.struckOut = 1, v.pitchAndFamily = 0x26, v.charSet = 134;
    v.panose = {2, 11, 6, 4, 3, 5, 4, 4, 2, 9};
    v.charSlopeRise = 1, v.charSlopeRun = -2, v.italicAngle = -120, v.emSquare = 2048;
    v.outlineAscent = 24, v.outlineDescent = -8, v.lineGap = 3, v.capEmHeight = 22, v.xHeight = 16;
    v.fontBox = {-3, 30, 45, -9};
    v.macAscent = 29, v.macDescent = -7, v.macLineGap = 2, v.minimumPPEM = 4294967295u;
    v.subscriptSize = {20, 19}, v.subscriptOffset = {0, 4};
    v.superscriptSize = {21, 18}, v.superscriptOffset = {-1, -14};
    v.strikeoutSize = 2, v.strikeoutPosition = 9, v.underscoreSize = -2, v.underscorePosition = -4;
    return v;
}

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST(MetricsReport, WritesEveryLineWithItsLabelAndNumberFormat) {
    const std::u16string text = MetricsReportText(MadeUpRecord());
    ASSERT_NE(text.substr(text.size() - 2), u"\r\n") << "the last line has no line end";
    const std::vector<std::u16string> expected = {
        u"TEXTMETRIC",
        u"\tHeight: 33", u"\tAscent: 26", u"\tDescent: 7", u"\tInternalLeading: 5", u"\tExternalLeading: 1",
        u"\tAveCharWidth: 14", u"\tMaxCharWidth: 40", u"\tWeight: 700", u"\tOverhang: 0",
        u"\tDigitizedAspectX: 96", u"\tDigitizedAspectY: 97",
        u"\tFirstChar:   (32)", u"\tLastChar: \uFFFC (65532)", u"\tDefaultChar:   (31)", u"\tBreakChar: A (65)",
        u"\tItalic: 255", u"\tUnderlined: 0", u"\tStruckOut: 1", u"\tPitchAndFamily: 38", u"\tCharSet: 134",
        u"PANOSE",
        u"\tFamilyType: 2", u"\tSerifStyle: 11", u"\tWeight: 6", u"\tProportion: 4", u"\tContrast: 3",
        u"\tStrokeVariation: 5", u"\tArmStyle: 4", u"\tLetterform: 4", u"\tMidline: 2", u"\tXHeight: 9",
        u"OUTLINETEXTMETRIC",
        u"\tCharSlopeRise: 1", u"\tCharSlopeRun: -2", u"\tItalicAngle: -120", u"\tEMSquare: 2048",
        u"\tAscent: 24", u"\tDescent: -8", u"\tLineGap: 3", u"\tCapEmHeight: 22", u"\tXHeight: 16",
        u"\tFontBox: (-3, 30, 45, -9)",
        u"\tMacAscent: 29", u"\tMacDescent: -7", u"\tMacLineGap: 2", u"\tMinimumPPEM: 4294967295",
        u"\tSubscriptSize: (20, 19)", u"\tSubscriptOffset: (0, 4)", u"\tSuperscriptSize: (21, 18)",
        u"\tSuperscriptOffset: (-1, -14)",
        u"\tStrikeoutSize: 2", u"\tStrikeoutPosition: 9", u"\tUnderscoreSize: -2", u"\tUnderscorePosition: -4",
    };
    const std::vector<std::u16string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 55u);
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(MetricsReport, SectionsCarryTheFieldsTheConsoleWritesAsJson) {
    const std::vector<MetricsSection> sections = MetricsSections(MadeUpRecord());
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].fields.size(), 20u);
    EXPECT_EQ(sections[1].fields.size(), 10u);
    EXPECT_EQ(sections[2].fields.size(), 22u);
    const MetricsField& box = sections[2].fields[9];
    EXPECT_EQ(box.label, "FontBox");
    EXPECT_EQ(box.kind, MetricsFieldKind::Box);
    EXPECT_EQ(box.values, (std::vector<std::int64_t>{-3, 30, 45, -9}));
    EXPECT_EQ(sections[0].fields[11].kind, MetricsFieldKind::Character);
    EXPECT_EQ(sections[0].fields[11].values, std::vector<std::int64_t>{32});
}

TEST(MetricsReport, ControlsSurrogatesAndNoncharactersShowAsSpaces) {
    OutlineMetricsValues v;
    v.firstChar = 0;
    v.lastChar = 0xD800;
    v.defaultChar = 0x85;
    v.breakChar = u'\n';
    const std::u16string text = MetricsReportText(v);
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    EXPECT_NE(text.find(u"\tFirstChar:   (0)\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\tLastChar:   (55296)\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\tDefaultChar:   (133)\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\tBreakChar:   (10)\r\n"), std::u16string::npos);
    v.lastChar = 0xFFFF;
    v.defaultChar = 0xFDD0;
    const std::u16string ends = MetricsReportText(v);
    EXPECT_NE(ends.find(u"\tLastChar:   (65535)\r\n"), std::u16string::npos);
    EXPECT_NE(ends.find(u"\tDefaultChar:   (64976)\r\n"), std::u16string::npos);
}

}  // namespace
}  // namespace typorama::charmap
