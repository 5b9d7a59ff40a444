// The duplicate finder's window: its texts, its template and its controls
// (5400..5599, dialogs 420..439).
#pragma once

#define IDR_DUPLICATES_FIRST 5400
#define IDR_DUPLICATES_LAST 5599
#define IDD_DUPLICATES_FIRST 420
#define IDD_DUPLICATES_LAST 439

#define IDS_DUP_NO_FOLDER 5400
#define IDS_DUP_SEARCHING 5401
#define IDS_DUP_FILE_NODE 5402       // %.0n: size in bytes, %s: CRC-32 (empty when unread)
#define IDS_DUP_FOUND 5403           // %d: groups shown
#define IDS_DUP_NOTHING_FOUND 5404
#define IDS_DUP_INFO 5405            // %s path, %s size, %s family, %s full name, %s version, %s embedding, %s state, %s copyright
#define IDS_DUP_BYTES 5406           // %.0n: size in bytes
#define IDS_DUP_STATE_THIS 5407
#define IDS_DUP_STATE_OTHER 5408     // %s: the registered file
#define IDS_DUP_STATE_NONE 5409
#define IDS_DUP_VIEW_FAILED 5410     // %s: the system's reason
#define IDS_DUP_INCLUDE_SUBFOLDERS 5411
#define IDS_DUP_MENU_VIEW 5412
#define IDS_DUP_MENU_DELETE 5413
#define IDS_DUP_MENU_PROPERTIES 5414
#define IDS_DUP_MENU_EXPAND 5415
#define IDS_DUP_MENU_COLLAPSE 5416
#define IDD_FIND_DUPLICATES 420
// Controls of the window, in tab order; the pop-up menu's commands after them.
#define IDC_DUP_FOLDERS_LABEL 5560
#define IDC_DUP_FOLDERS 5561
#define IDC_DUP_ADD 5562
#define IDC_DUP_REMOVE 5563
#define IDC_DUP_START 5564
#define IDC_DUP_RESULTS_LABEL 5565
#define IDC_DUP_RESULTS 5566
#define IDC_DUP_CLEAR 5567
#define IDC_DUP_CLOSE 5568
#define IDC_DUP_HELP 5569
#define IDC_DUP_INFO_LABEL 5570
#define IDC_DUP_INFO 5571
#define IDC_DUP_STATUS 5572
#define IDC_DUP_VIEW 5580
#define IDC_DUP_DELETE 5581
#define IDC_DUP_PROPERTIES 5582
#define IDC_DUP_EXPAND_ALL 5583
#define IDC_DUP_COLLAPSE_ALL 5584

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_DUPLICATES_FIRST, IDR_DUPLICATES_LAST,
    {IDS_DUP_NO_FOLDER, IDS_DUP_SEARCHING, IDS_DUP_FILE_NODE, IDS_DUP_FOUND, IDS_DUP_NOTHING_FOUND, IDS_DUP_INFO,
     IDS_DUP_BYTES, IDS_DUP_STATE_THIS, IDS_DUP_STATE_OTHER, IDS_DUP_STATE_NONE, IDS_DUP_VIEW_FAILED,
     IDS_DUP_INCLUDE_SUBFOLDERS, IDS_DUP_MENU_VIEW, IDS_DUP_MENU_DELETE, IDS_DUP_MENU_PROPERTIES,
     IDS_DUP_MENU_EXPAND, IDS_DUP_MENU_COLLAPSE, IDC_DUP_FOLDERS_LABEL, IDC_DUP_FOLDERS, IDC_DUP_ADD,
     IDC_DUP_REMOVE, IDC_DUP_START, IDC_DUP_RESULTS_LABEL, IDC_DUP_RESULTS, IDC_DUP_CLEAR, IDC_DUP_CLOSE,
     IDC_DUP_HELP, IDC_DUP_INFO_LABEL, IDC_DUP_INFO, IDC_DUP_STATUS, IDC_DUP_VIEW, IDC_DUP_DELETE,
     IDC_DUP_PROPERTIES, IDC_DUP_EXPAND_ALL, IDC_DUP_COLLAPSE_ALL}),
    "duplicate finder ids outside their range");
static_assert(typorama::ui::resource_ids::Within(IDD_DUPLICATES_FIRST, IDD_DUPLICATES_LAST, {IDD_FIND_DUPLICATES}),
              "duplicate finder dialogs outside their range");
#endif
