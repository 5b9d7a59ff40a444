// The outline text metrics the system reports for a font, read into the plain
// record the metrics report is laid out from.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "charmap/metrics_report.h"

namespace typorama::charmap {

// The record's fields as plain values.
OutlineMetricsValues ToMetricsValues(const OUTLINETEXTMETRICW& metrics);

// Creates `font` unchanged, selects it into `dc` and asks for its outline
// text metrics; the DC's font goes back and the font is deleted on every way
// out. nullopt for a font without outlines (bitmap and vector fonts) and on
// any failure.
std::optional<OutlineMetricsValues> MeasureOutlineMetrics(HDC dc, const LOGFONTW& font);

// The report of `font` (none: no font) measured on `dc`, or the string
// table's "no metrics" text when there is nothing to report.
std::wstring BuildMetricsReport(HDC dc, const LOGFONTW* font);

}  // namespace typorama::charmap
