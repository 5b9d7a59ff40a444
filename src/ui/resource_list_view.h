// The font list view and the status bar (2400..2599, dialogs 220..239).
#pragma once

#define IDR_LIST_VIEW_FIRST 2400
#define IDR_LIST_VIEW_LAST 2599
#define IDD_LIST_VIEW_FIRST 220
#define IDD_LIST_VIEW_LAST 239

#define IDS_LIST_EMPTY 2400          // the text of a list without rows
#define IDS_LIST_NEW_SIZE 2401       // the custom size's prompt
#define IDS_LIST_TIP_CHECK_BOX 2402  // the tips of a row's check box and install marks
#define IDS_LIST_TIP_BLUE 2403
#define IDS_LIST_TIP_PURPLE 2404
#define IDS_LIST_TIP_GREEN_FOLDER 2405
#define IDS_LIST_TIP_GREEN_LOADED 2406
#define IDM_LIST_SIZE_36 2500        // Ctrl + keypad multiply
#define IDM_LIST_DELETE_KEY 2501     // Delete, wherever the focus is
#define IDD_INPUT_BOX 220            // a caption, a prompt and one edit
#define IDC_INPUT_PROMPT 2580
#define IDC_INPUT_EDIT 2581

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_LIST_VIEW_FIRST, IDR_LIST_VIEW_LAST,
    {IDS_LIST_EMPTY, IDS_LIST_NEW_SIZE, IDS_LIST_TIP_CHECK_BOX, IDS_LIST_TIP_BLUE, IDS_LIST_TIP_PURPLE,
     IDS_LIST_TIP_GREEN_FOLDER, IDS_LIST_TIP_GREEN_LOADED, IDM_LIST_SIZE_36, IDM_LIST_DELETE_KEY, IDC_INPUT_PROMPT,
     IDC_INPUT_EDIT}));
static_assert(typorama::ui::resource_ids::Within(IDD_LIST_VIEW_FIRST, IDD_LIST_VIEW_LAST, {IDD_INPUT_BOX}));
#endif
