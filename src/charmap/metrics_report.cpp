#include "charmap/metrics_report.h"

namespace typorama::charmap {
namespace {

using Kind = MetricsFieldKind;

MetricsField Number(std::string_view label, std::int64_t value) { return {label, Kind::Number, {value}}; }
MetricsField Character(std::string_view label, char16_t value) { return {label, Kind::Character, {value}}; }
MetricsField Pair(std::string_view label, MetricsPoint p) { return {label, Kind::Pair, {p.x, p.y}}; }

void AppendAscii(std::u16string& out, std::string_view text) {
    for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

void AppendNumber(std::u16string& out, std::int64_t value) { AppendAscii(out, std::to_string(value)); }

// A character field shows the character itself before its code. Control
// characters (a font may declare NUL as its first or break character) would
// cut the text or break the line in the text box; a lone surrogate and the
// noncharacters (fonts that cover the whole BMP end at U+FFFF) are no
// characters: those show as a space.
char16_t Shown(std::int64_t code) {
    const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    const bool nonCharacter = (code >= 0xFDD0 && code <= 0xFDEF) || code == 0xFFFE || code == 0xFFFF;
    return control || surrogate || nonCharacter || code > 0xFFFF ? u' ' : static_cast<char16_t>(code);
}

void AppendField(std::u16string& out, const MetricsField& field) {
    out.push_back(u'\t');
    AppendAscii(out, field.label);
    AppendAscii(out, ": ");
    switch (field.kind) {
    case Kind::Number:
        AppendNumber(out, field.values[0]);
        break;
    case Kind::Character:
        out.push_back(Shown(field.values[0]));
        AppendAscii(out, " (");
        AppendNumber(out, field.values[0]);
        out.push_back(u')');
        break;
    case Kind::Pair:
    case Kind::Box:
        out.push_back(u'(');
        for (std::size_t i = 0; i < field.values.size(); ++i) {
            if (i > 0) AppendAscii(out, ", ");
            AppendNumber(out, field.values[i]);
        }
        out.push_back(u')');
        break;
    }
}

}  // namespace

std::vector<MetricsSection> MetricsSections(const OutlineMetricsValues& v) {
    std::vector<MetricsSection> sections;
    sections.push_back({"TEXTMETRIC",
                        {Number("Height", v.height), Number("Ascent", v.ascent), Number("Descent", v.descent),
                         Number("InternalLeading", v.internalLeading), Number("ExternalLeading", v.externalLeading),
                         Number("AveCharWidth", v.aveCharWidth), Number("MaxCharWidth", v.maxCharWidth),
                         Number("Weight", v.weight), Number("Overhang", v.overhang),
                         Number("DigitizedAspectX", v.digitizedAspectX), Number("DigitizedAspectY", v.digitizedAspectY),
                         Character("FirstChar", v.firstChar), Character("LastChar", v.lastChar),
                         Character("DefaultChar", v.defaultChar), Character("BreakChar", v.breakChar),
                         Number("Italic", v.italic), Number("Underlined", v.underlined),
                         Number("StruckOut", v.struckOut), Number("PitchAndFamily", v.pitchAndFamily),
                         Number("CharSet", v.charSet)}});
    static constexpr std::string_view kPanoseLabels[10] = {"FamilyType", "SerifStyle",      "Weight",   "Proportion",
                                                           "Contrast",   "StrokeVariation", "ArmStyle", "Letterform",
                                                           "Midline",    "XHeight"};
    MetricsSection panose{"PANOSE", {}};
    for (std::size_t i = 0; i < v.panose.size(); ++i) panose.fields.push_back(Number(kPanoseLabels[i], v.panose[i]));
    sections.push_back(std::move(panose));
    const MetricsBox& box = v.fontBox;
    sections.push_back({"OUTLINETEXTMETRIC",
                        {Number("CharSlopeRise", v.charSlopeRise), Number("CharSlopeRun", v.charSlopeRun),
                         Number("ItalicAngle", v.italicAngle), Number("EMSquare", v.emSquare),
                         Number("Ascent", v.outlineAscent), Number("Descent", v.outlineDescent),
                         Number("LineGap", v.lineGap), Number("CapEmHeight", v.capEmHeight),
                         Number("XHeight", v.xHeight),
                         MetricsField{"FontBox", Kind::Box, {box.left, box.top, box.right, box.bottom}},
                         Number("MacAscent", v.macAscent), Number("MacDescent", v.macDescent),
                         Number("MacLineGap", v.macLineGap), Number("MinimumPPEM", v.minimumPPEM),
                         Pair("SubscriptSize", v.subscriptSize), Pair("SubscriptOffset", v.subscriptOffset),
                         Pair("SuperscriptSize", v.superscriptSize), Pair("SuperscriptOffset", v.superscriptOffset),
                         Number("StrikeoutSize", v.strikeoutSize), Number("StrikeoutPosition", v.strikeoutPosition),
                         Number("UnderscoreSize", v.underscoreSize),
                         Number("UnderscorePosition", v.underscorePosition)}});
    return sections;
}

std::u16string MetricsReportText(const OutlineMetricsValues& values) {
    std::u16string out;
    bool first = true;
    for (const MetricsSection& section : MetricsSections(values)) {
        if (!first) out += u"\r\n";
        first = false;
        AppendAscii(out, section.title);
        for (const MetricsField& field : section.fields) {
            out += u"\r\n";
            AppendField(out, field);
        }
    }
    return out;
}

}  // namespace typorama::charmap
