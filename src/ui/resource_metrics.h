// The text-metrics window and the system-information report (4200..4399,
// dialogs 300..319).
#pragma once

#define IDR_METRICS_FIRST 4200
#define IDR_METRICS_LAST 4399
#define IDD_METRICS_FIRST 300
#define IDD_METRICS_LAST 319

#define IDS_METRICS_NONE 4200           // the report of a font without outline metrics
#define IDS_METRICS_CAPTION_EMPTY 4201  // the window's caption before a font is shown
#define IDS_METRICS_CAPTION 4202        // %s the font's full name
#define IDS_METRICS_COPY 4203           // the window menu's command that copies the report
#define IDS_SYSINFO_HEADER 4204         // %s program, %d.%d.%d version, %s release text
#define IDS_SYSINFO_COPIED 4205
#define IDS_SYSINFO_NOT_COPIED 4206
// The patterns of the report's lines, in the order of charmap::SystemText
// (system_report.h gives each one's arguments).
#define IDS_SYSINFO_TEXTS_FIRST 4220
#define IDS_SYSINFO_TEXTS_LAST 4246
#define IDC_METRICS_TEXT 4390
// A window-menu command: its low four bits are the system's, so it is a multiple of 16.
#define IDC_METRICS_COPY_REPORT 4384

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_METRICS_FIRST, IDR_METRICS_LAST,
    {IDS_METRICS_NONE, IDS_METRICS_CAPTION_EMPTY, IDS_METRICS_CAPTION, IDS_METRICS_COPY, IDS_SYSINFO_HEADER,
     IDS_SYSINFO_COPIED, IDS_SYSINFO_NOT_COPIED, IDS_SYSINFO_TEXTS_FIRST, IDS_SYSINFO_TEXTS_LAST, IDC_METRICS_TEXT,
     IDC_METRICS_COPY_REPORT}));
static_assert(IDC_METRICS_COPY_REPORT % 16 == 0, "window-menu commands keep their low four bits clear");
#endif
