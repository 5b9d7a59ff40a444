// Files and folders dropped on the main window or handed over by another
// start of the program: their texts (6400..6599, dialogs 520..539).
#pragma once

#define IDR_DROP_FIRST 6400
#define IDR_DROP_LAST 6599
#define IDD_DROP_FIRST 520
#define IDD_DROP_LAST 539

#define IDS_DROP_TITLE 6400    // %d: font files shown
#define IDS_DROP_IGNORED 6401  // %d: dropped items that are not font files

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_DROP_FIRST, IDR_DROP_LAST, {IDS_DROP_TITLE, IDS_DROP_IGNORED}),
              "drop ids outside their range");
#endif
