// Renaming font files to their fonts' full names, and undoing it: the
// conflict dialog and the run's messages (5600..5799, dialogs 440..459).
#pragma once

#define IDR_RENAME_FIRST 5600
#define IDR_RENAME_LAST 5799
#define IDD_RENAME_FIRST 440
#define IDD_RENAME_LAST 459

#define IDS_REN_CONFLICT 5600       // %s: old file name, %s: new file name, %s: new file name, %s: folder
#define IDS_REN_MOVE_FAILED 5601    // %s: old path, %s: new path, %s: the system's reason
#define IDS_REN_LOG_FAILED 5602     // %s: the log's path
#define IDS_REN_UNDO_COUNTS 5603    // %d: files renamed, %d: files found
#define IDS_REN_INVALID_NAME 5604
#define IDS_REN_NAME_EXISTS 5605
#define IDD_CONFIRM_RENAME 440
// Controls of the conflict dialog; the three choices in order.
#define IDC_REN_MESSAGE 5780
#define IDC_REN_SKIP 5781
#define IDC_REN_OVERWRITE 5782
#define IDC_REN_RENAME 5783
#define IDC_REN_NEW_NAME 5784

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_RENAME_FIRST, IDR_RENAME_LAST,
    {IDS_REN_CONFLICT, IDS_REN_MOVE_FAILED, IDS_REN_LOG_FAILED, IDS_REN_UNDO_COUNTS, IDS_REN_INVALID_NAME,
     IDS_REN_NAME_EXISTS, IDC_REN_MESSAGE, IDC_REN_SKIP, IDC_REN_OVERWRITE, IDC_REN_RENAME, IDC_REN_NEW_NAME}),
    "rename ids outside their range");
static_assert(typorama::ui::resource_ids::Within(IDD_RENAME_FIRST, IDD_RENAME_LAST, {IDD_CONFIRM_RENAME}),
              "rename dialogs outside their range");
#endif
