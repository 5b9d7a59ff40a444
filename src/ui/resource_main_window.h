// The program's icon, and the texts of the main window and the message
// routine (2100..2199).
#pragma once

#define IDI_MAINICON 1

#define IDR_MAIN_WINDOW_FIRST 2100
#define IDR_MAIN_WINDOW_LAST 2199

#define IDS_MSG_COMMAND_FAILED 2100    // %s: the system's text for the last error
#define IDS_MAIN_WELCOME 2101
#define IDS_MAIN_CONFIRM_DISCARD_TAGS 2102  // %d: number of tagged fonts
#define IDS_MAIN_LOAD_PROBLEM 2103
#define IDS_MAIN_NEED_CURRENT 2104
#define IDS_MAIN_NEED_TAGGED 2105
#define IDS_MAIN_NEED_TAGGED_OR_CURRENT 2106
#define IDS_MAIN_TITLE_LOADED 2107
#define IDS_MAIN_TITLE_SEARCH 2108
#define IDS_MAIN_FILTER_NONE 2109  // slot 2 for a folder source

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_MAIN_WINDOW_FIRST, IDR_MAIN_WINDOW_LAST,
    {IDS_MSG_COMMAND_FAILED, IDS_MAIN_WELCOME, IDS_MAIN_CONFIRM_DISCARD_TAGS, IDS_MAIN_LOAD_PROBLEM,
     IDS_MAIN_NEED_CURRENT, IDS_MAIN_NEED_TAGGED, IDS_MAIN_NEED_TAGGED_OR_CURRENT, IDS_MAIN_TITLE_LOADED,
     IDS_MAIN_TITLE_SEARCH, IDS_MAIN_FILTER_NONE}));
#endif
