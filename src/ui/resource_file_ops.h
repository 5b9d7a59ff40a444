// Font file operations: copy, move and delete, the overwrite confirmation and
// the warnings about the folders they work on (4400..4599, dialogs 320..339).
#pragma once

#define IDR_FILE_OPS_FIRST 4400
#define IDR_FILE_OPS_LAST 4599
#define IDD_FILE_OPS_FIRST 320
#define IDD_FILE_OPS_LAST 339

#define IDS_FOP_OVERWRITE_MESSAGE 4400  // %s: target folder, %s: target file name, %s: source path
// %s: file name, %s: size, then family, full name, version, embedding, status, copyright
#define IDS_FOP_FONT_DESCRIPTION 4401
#define IDS_FOP_SIZE_BYTES 4402         // %.0n: bytes
#define IDS_FOP_NO_FONT_INFO 4403
#define IDS_FOP_RENAME_CAPTION 4404
#define IDS_FOP_RENAME_PROMPT 4405
#define IDS_FOP_INVALID_NAME 4406
#define IDS_FOP_NAME_EXISTS 4407
#define IDS_FOP_FONTVIEW_FAILED 4408    // %s: the system's reason
#define IDS_FOP_COPY_FAILED 4409        // %s: source, %s: destination folder, %s: the system's reason
#define IDS_FOP_MOVE_DELETE_FAILED 4410 // %s: source, %s: destination folder, %s: the system's reason
#define IDS_FOP_DELETE_FAILED 4411      // %s: file, %s: the system's reason
#define IDS_FOP_SCHEDULED 4412          // %d: files
#define IDS_FOP_KEEP_INSTALLED 4413
#define IDS_FOP_SYSTEM_FOLDER_WARNING 4414
#define IDS_FOP_WHOLE_DRIVE_WARNING 4415  // %s: the folder
#define IDS_FOP_REMOVABLE_WARNING 4416
#define IDS_FOP_ADD_TO_DESTINATIONS 4417
#define IDS_FOP_DELETE_CAPTION 4418
#define IDS_FOP_DELETE_TOP 4419
#define IDS_FOP_DELETE_BOTTOM 4420
#define IDS_FOP_YES 4421
#define IDS_FOP_CANCEL 4422
#define IDD_CONFIRM_OVERWRITE 320
// Controls of the overwrite confirmation; "是" and "取消" are IDYES and IDCANCEL.
#define IDC_FOP_ICON 4580
#define IDC_FOP_MESSAGE 4581
#define IDC_FOP_YES_ALL 4582
#define IDC_FOP_SKIP 4583
#define IDC_FOP_SKIP_ALL 4584
#define IDC_FOP_RENAME 4585
#define IDC_FOP_NEW_CAPTION 4586
#define IDC_FOP_NEW 4587
#define IDC_FOP_OLD_CAPTION 4588
#define IDC_FOP_OLD 4589
#define IDC_FOP_VIEW_NEW 4590
#define IDC_FOP_VIEW_OLD 4591

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_FILE_OPS_FIRST, IDR_FILE_OPS_LAST,
    {IDS_FOP_OVERWRITE_MESSAGE, IDS_FOP_FONT_DESCRIPTION, IDS_FOP_SIZE_BYTES, IDS_FOP_NO_FONT_INFO,
     IDS_FOP_RENAME_CAPTION, IDS_FOP_RENAME_PROMPT, IDS_FOP_INVALID_NAME, IDS_FOP_NAME_EXISTS,
     IDS_FOP_FONTVIEW_FAILED, IDS_FOP_COPY_FAILED, IDS_FOP_MOVE_DELETE_FAILED, IDS_FOP_DELETE_FAILED,
     IDS_FOP_SCHEDULED, IDS_FOP_KEEP_INSTALLED, IDS_FOP_SYSTEM_FOLDER_WARNING, IDS_FOP_WHOLE_DRIVE_WARNING,
     IDS_FOP_REMOVABLE_WARNING, IDS_FOP_ADD_TO_DESTINATIONS, IDS_FOP_DELETE_CAPTION, IDS_FOP_DELETE_TOP,
     IDS_FOP_DELETE_BOTTOM, IDS_FOP_YES, IDS_FOP_CANCEL, IDC_FOP_ICON, IDC_FOP_MESSAGE, IDC_FOP_YES_ALL,
     IDC_FOP_SKIP, IDC_FOP_SKIP_ALL, IDC_FOP_RENAME, IDC_FOP_NEW_CAPTION, IDC_FOP_NEW, IDC_FOP_OLD_CAPTION,
     IDC_FOP_OLD, IDC_FOP_VIEW_NEW, IDC_FOP_VIEW_OLD}));
static_assert(typorama::ui::resource_ids::Within(IDD_FILE_OPS_FIRST, IDD_FILE_OPS_LAST, {IDD_CONFIRM_OVERWRITE}));
#endif
