// The text-metrics report: the fields of one outline-text-metrics record of
// the system's font services, one per line, as the text-metrics window shows
// them and the console companion prints them. Plain values in, text out, so
// that the layout is the same wherever the record came from. Pure code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace typorama::charmap {

struct MetricsPoint {
    std::int32_t x = 0, y = 0;
};

struct MetricsBox {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The fields the report shows, named as the system's records name them.
struct OutlineMetricsValues {
    // The text-metrics record.
    std::int32_t height = 0, ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
    std::int32_t aveCharWidth = 0, maxCharWidth = 0, weight = 0, overhang = 0;
    std::int32_t digitizedAspectX = 0, digitizedAspectY = 0;
    char16_t firstChar = 0, lastChar = 0, defaultChar = 0, breakChar = 0;
    std::uint8_t italic = 0, underlined = 0, struckOut = 0, pitchAndFamily = 0, charSet = 0;
    // The PANOSE classification, in the record's order.
    std::array<std::uint8_t, 10> panose{};
    // The outline fields.
    std::int32_t charSlopeRise = 0, charSlopeRun = 0, italicAngle = 0;
    std::uint32_t emSquare = 0;
    std::int32_t outlineAscent = 0, outlineDescent = 0;
    std::uint32_t lineGap = 0, capEmHeight = 0, xHeight = 0;
    MetricsBox fontBox;
    std::int32_t macAscent = 0, macDescent = 0;
    std::uint32_t macLineGap = 0, minimumPPEM = 0;
    MetricsPoint subscriptSize, subscriptOffset, superscriptSize, superscriptOffset;
    std::uint32_t strikeoutSize = 0;
    std::int32_t strikeoutPosition = 0, underscoreSize = 0, underscorePosition = 0;
};

// How a field's values are written: a number; a character and its code;
// "(x, y)"; "(left, top, right, bottom)".
enum class MetricsFieldKind { Number, Character, Pair, Box };

struct MetricsField {
    std::string_view label;  // without the colon
    MetricsFieldKind kind = MetricsFieldKind::Number;
    std::vector<std::int64_t> values;
};

struct MetricsSection {
    std::string_view title;  // "TEXTMETRIC", "PANOSE", "OUTLINETEXTMETRIC"
    std::vector<MetricsField> fields;
};

// The three sections with their fields in report order (20, 10 and 22 fields).
std::vector<MetricsSection> MetricsSections(const OutlineMetricsValues& values);

// The report text: 55 lines, a section title alone, a field as a tab, the
// label, ": " and the value; lines end in CR LF except the last.
std::u16string MetricsReportText(const OutlineMetricsValues& values);

}  // namespace typorama::charmap
