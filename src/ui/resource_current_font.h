// The current font: the information pane, the sample-string box with its
// pop-up menu and the dialog that edits a stored string (5200..5399,
// dialogs 400..419).
#pragma once

#define IDR_CURRENT_FONT_FIRST 5200
#define IDR_CURRENT_FONT_LAST 5399
#define IDD_CURRENT_FONT_FIRST 400
#define IDD_CURRENT_FONT_LAST 419

// The information pane.
#define IDS_INFO_NO_FONT 5200
#define IDS_INFO_NO_FILE 5201
#define IDS_INFO_FACTS 5202  // %s: file, size, display name, full name, version, embedding, scripts, status, copyright

// TfrmEditString.
#define IDD_EDIT_STRING 400
#define IDC_EDIT_STRING_LABEL 5380
#define IDC_EDIT_STRING_TEXT 5381

// The sample-string box's pop-up menu (pmnuUserString): captions are the ids.
#define IDM_USER_STRING_COPY 5390
#define IDM_USER_STRING_PASTE 5391
#define IDM_USER_STRING_ADD 5392
#define IDM_USER_STRING_EDIT_LIST 5393
#define IDM_USER_STRING_HIDE 5394

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_CURRENT_FONT_FIRST, IDR_CURRENT_FONT_LAST,
    {IDS_INFO_NO_FONT, IDS_INFO_NO_FILE, IDS_INFO_FACTS, IDC_EDIT_STRING_LABEL, IDC_EDIT_STRING_TEXT,
     IDM_USER_STRING_COPY, IDM_USER_STRING_PASTE, IDM_USER_STRING_ADD, IDM_USER_STRING_EDIT_LIST,
     IDM_USER_STRING_HIDE}));
static_assert(typorama::ui::resource_ids::Within(IDD_CURRENT_FONT_FIRST, IDD_CURRENT_FONT_LAST, {IDD_EDIT_STRING}));
#endif
