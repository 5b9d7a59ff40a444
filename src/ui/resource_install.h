// Installing, uninstalling, loading and unloading: the two dialogs, the folder
// check every folder box uses and the Tools folder commands' messages
// (5000..5199, dialogs 380..399).
#pragma once

#define IDR_INSTALL_FIRST 5000
#define IDR_INSTALL_LAST 5199
#define IDD_INSTALL_FIRST 380
#define IDD_INSTALL_LAST 399

#define IDS_INS_FOLDER_EMPTY 5000
#define IDS_INS_FOLDER_CREATE 5001   // %s: the folder
#define IDS_INS_FOLDER_FAILED 5002   // %s: the system's reason
#define IDS_INS_INSTALL_INFO 5003    // %d: fonts
#define IDS_INS_REMOVE_INFO 5004     // %d: fonts
#define IDS_INS_UNLOAD_FAILED 5005   // %d: fonts that stayed loaded
#define IDS_INS_SEARCHING 5006
#define IDS_INS_TOTAL 5007           // %d: files found
#define IDS_INS_NONE_FOUND 5008
#define IDS_INS_SUBFOLDERS 5009
#define IDS_INS_DONE_COUNTS 5010     // %d: files done, %d: files gone through
#define IDS_INS_CANCELLED 5011       // %d: files gone through, %d: files found
#define IDS_INS_NEEDS_ADMIN 5012     // %d: fonts
#define IDS_INS_PROGRESS 5013        // %d: files done, %d: files found
#define IDS_INS_UNUSABLE_NAME 5014   // %d: fonts
#define IDD_INSTALL 380
#define IDD_REMOVE 381
// Controls of both dialogs; the three choices in order.
#define IDC_INS_INFO 5180
#define IDC_INS_FONTS 5181
#define IDC_INS_CHOICE1 5182
#define IDC_INS_CHOICE2 5183
#define IDC_INS_CHOICE3 5184
#define IDC_INS_FOLDER 5185
#define IDC_INS_BROWSE 5186

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_INSTALL_FIRST, IDR_INSTALL_LAST,
    {IDS_INS_FOLDER_EMPTY, IDS_INS_FOLDER_CREATE, IDS_INS_FOLDER_FAILED, IDS_INS_INSTALL_INFO, IDS_INS_REMOVE_INFO,
     IDS_INS_UNLOAD_FAILED, IDS_INS_SEARCHING, IDS_INS_TOTAL, IDS_INS_NONE_FOUND, IDS_INS_SUBFOLDERS,
     IDS_INS_DONE_COUNTS, IDS_INS_CANCELLED, IDS_INS_NEEDS_ADMIN, IDS_INS_PROGRESS, IDS_INS_UNUSABLE_NAME,
     IDC_INS_INFO, IDC_INS_FONTS, IDC_INS_CHOICE1, IDC_INS_CHOICE2, IDC_INS_CHOICE3, IDC_INS_FOLDER, IDC_INS_BROWSE}));
static_assert(typorama::ui::resource_ids::Within(IDD_INSTALL_FIRST, IDD_INSTALL_LAST, {IDD_INSTALL, IDD_REMOVE}));
#endif
