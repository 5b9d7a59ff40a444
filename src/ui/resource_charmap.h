// The character map window (4600..4799, dialogs 340..359).
#pragma once

#define IDR_CHARMAP_FIRST 4600
#define IDR_CHARMAP_LAST 4799
#define IDD_CHARMAP_FIRST 340
#define IDD_CHARMAP_LAST 359

#define IDS_CHARMAP_TITLE 4600              // the caption before a font is shown
#define IDS_CHARMAP_CAPTION 4601            // %s full name, %s file, %s file size
#define IDS_CHARMAP_CAPTION_NO_FILE 4602    // %s full name
#define IDS_CHARMAP_CAPTION_NO_FONT 4603    // the main list has no current font
#define IDS_CHARMAP_CHAR_PANEL 4604         // %s character, %d code, %s code in hexadecimal
#define IDS_CHARMAP_SCRIPTS_LABEL 4605
#define IDS_CHARMAP_SCRIPT_COUNT 4606       // %d scripts
#define IDS_CHARMAP_COPY_LABEL 4607
#define IDS_CHARMAP_COPY 4608
#define IDS_CHARMAP_COPY_TEXT 4609
#define IDS_CHARMAP_COPY_RTF 4610
#define IDS_CHARMAP_COPY_VECTOR 4611
#define IDS_CHARMAP_TOPMOST 4612
#define IDS_CHARMAP_MORE 4613
#define IDS_CHARMAP_APPEND 4614
#define IDS_CHARMAP_CLEAR_APPEND 4615
#define IDS_CHARMAP_LABELS 4616
#define IDS_CHARMAP_LABELS_NONE 4617        // the four label modes follow in order
#define IDS_CHARMAP_OPTIONS 4621
#define IDS_CHARMAP_USE_MAXPOS 4622
#define IDS_CHARMAP_DEFAULT_MAXPOS 4623
#define IDS_CHARMAP_ASK_MAXPOS 4624
#define IDS_CHARMAP_NO_VECTOR 4625
#define IDS_CHARMAP_ASK_COPY 4626
// The short texts of the three copy buttons (their tips are the commands' captions).
#define IDS_CHARMAP_BUTTON_TEXT 4627
#define IDS_CHARMAP_BUTTON_RTF 4628
#define IDS_CHARMAP_BUTTON_VECTOR 4629

// Commands of the toolbar and the pop-up menu.
#define IDC_CHARMAP_COPY_BUFFER 4700
#define IDC_CHARMAP_COPY_TEXT 4701
#define IDC_CHARMAP_COPY_RTF 4702
#define IDC_CHARMAP_COPY_VECTOR 4703
#define IDC_CHARMAP_TOPMOST 4704
#define IDC_CHARMAP_MORE 4705
#define IDC_CHARMAP_APPEND 4706
#define IDC_CHARMAP_CLEAR_APPEND 4707
#define IDC_CHARMAP_LABELS_NONE 4708        // the four label modes follow in order
#define IDC_CHARMAP_USE_MAXPOS 4712
#define IDC_CHARMAP_DEFAULT_MAXPOS 4713
// Controls.
#define IDC_CHARMAP_SCRIPT_LABEL 4790
#define IDC_CHARMAP_SCRIPTS 4791
#define IDC_CHARMAP_COPY_LABEL 4792
#define IDC_CHARMAP_COPY_EDIT 4793
#define IDC_CHARMAP_GRID 4794
#define IDC_CHARMAP_TOOLBAR 4795
#define IDC_CHARMAP_STATUS 4796

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_CHARMAP_FIRST, IDR_CHARMAP_LAST,
    {IDS_CHARMAP_TITLE, IDS_CHARMAP_ASK_COPY, IDS_CHARMAP_BUTTON_VECTOR, IDS_CHARMAP_LABELS_NONE + 3, IDC_CHARMAP_COPY_BUFFER,
     IDC_CHARMAP_LABELS_NONE + 3, IDC_CHARMAP_DEFAULT_MAXPOS, IDC_CHARMAP_SCRIPT_LABEL, IDC_CHARMAP_STATUS}));
static_assert(IDS_CHARMAP_LABELS_NONE + 3 < IDS_CHARMAP_OPTIONS && IDC_CHARMAP_LABELS_NONE + 3 < IDC_CHARMAP_USE_MAXPOS,
              "the label modes' ids stay apart from the next ones");
#endif
