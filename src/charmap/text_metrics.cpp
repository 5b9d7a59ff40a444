#include "charmap/text_metrics.h"

#include "ui/resource.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::charmap {

OutlineMetricsValues ToMetricsValues(const OUTLINETEXTMETRICW& m) {
    const TEXTMETRICW& t = m.otmTextMetrics;
    OutlineMetricsValues v;
    v.height = t.tmHeight, v.ascent = t.tmAscent, v.descent = t.tmDescent;
    v.internalLeading = t.tmInternalLeading, v.externalLeading = t.tmExternalLeading;
    v.aveCharWidth = t.tmAveCharWidth, v.maxCharWidth = t.tmMaxCharWidth, v.weight = t.tmWeight;
    v.overhang = t.tmOverhang, v.digitizedAspectX = t.tmDigitizedAspectX, v.digitizedAspectY = t.tmDigitizedAspectY;
    v.firstChar = t.tmFirstChar, v.lastChar = t.tmLastChar, v.defaultChar = t.tmDefaultChar, v.breakChar = t.tmBreakChar;
    v.italic = t.tmItalic, v.underlined = t.tmUnderlined, v.struckOut = t.tmStruckOut;
    v.pitchAndFamily = t.tmPitchAndFamily, v.charSet = t.tmCharSet;
    const PANOSE& p = m.otmPanoseNumber;
    v.panose = {p.bFamilyType, p.bSerifStyle,     p.bWeight,    p.bProportion, p.bContrast,
                p.bStrokeVariation, p.bArmStyle, p.bLetterform, p.bMidline,    p.bXHeight};
    v.charSlopeRise = m.otmsCharSlopeRise, v.charSlopeRun = m.otmsCharSlopeRun, v.italicAngle = m.otmItalicAngle;
    v.emSquare = m.otmEMSquare, v.outlineAscent = m.otmAscent, v.outlineDescent = m.otmDescent;
    v.lineGap = m.otmLineGap, v.capEmHeight = m.otmsCapEmHeight, v.xHeight = m.otmsXHeight;
    v.fontBox = {m.otmrcFontBox.left, m.otmrcFontBox.top, m.otmrcFontBox.right, m.otmrcFontBox.bottom};
    v.macAscent = m.otmMacAscent, v.macDescent = m.otmMacDescent;
    v.macLineGap = m.otmMacLineGap, v.minimumPPEM = m.otmusMinimumPPEM;
    v.subscriptSize = {m.otmptSubscriptSize.x, m.otmptSubscriptSize.y};
    v.subscriptOffset = {m.otmptSubscriptOffset.x, m.otmptSubscriptOffset.y};
    v.superscriptSize = {m.otmptSuperscriptSize.x, m.otmptSuperscriptSize.y};
    v.superscriptOffset = {m.otmptSuperscriptOffset.x, m.otmptSuperscriptOffset.y};
    v.strikeoutSize = m.otmsStrikeoutSize, v.strikeoutPosition = m.otmsStrikeoutPosition;
    v.underscoreSize = m.otmsUnderscoreSize, v.underscorePosition = m.otmsUnderscorePosition;
    return v;
}

std::optional<OutlineMetricsValues> MeasureOutlineMetrics(HDC dc, const LOGFONTW& font) {
    if (!dc) return std::nullopt;
    win::UniqueFont handle(CreateFontIndirectW(&font));
    if (!handle) return std::nullopt;
    win::SelectedObject selected(dc, handle.get());
    // Exactly the fixed record: the name strings that would follow it are not
    // wanted, and a font that has names longer than any buffer cannot matter.
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    if (GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) == 0) return std::nullopt;
    return ToMetricsValues(metrics);
}

std::wstring BuildMetricsReport(HDC dc, const LOGFONTW* font) {
    if (font) {
        if (const std::optional<OutlineMetricsValues> values = MeasureOutlineMetrics(dc, *font))
            return win::ToWide(MetricsReportText(*values));
    }
    return win::LoadResString(IDS_METRICS_NONE);
}

}  // namespace typorama::charmap
