// The main window's own windows and help: about, web pages, settings export
// (2200..2399, dialogs 200..219).
#pragma once

#define IDR_WINDOW_COMMANDS_FIRST 2200
#define IDR_WINDOW_COMMANDS_LAST 2399
#define IDD_WINDOW_COMMANDS_FIRST 200
#define IDD_WINDOW_COMMANDS_LAST 219

#define IDS_WINDOW_ABOUT_VERSION 2200          // %d.%d.%d, then a release text (empty)
#define IDS_WINDOW_URL_NOT_OPENED 2201         // %s the address, %s the product name
#define IDS_WINDOW_URL_NOT_OPENED_NOR_COPIED 2202  // %s the address
#define IDS_WINDOW_SETTINGS_FILTER 2203        // description|pattern
#define IDS_HELP_PAGE_MISSING 2204             // %s the page's file
#define IDS_HELP_PAGE_NOT_OPENED 2205          // %s the page's file
#define IDD_ABOUT 200
#define IDC_ABOUT_VERSION 2390
#define IDC_ABOUT_URL 2391

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_WINDOW_COMMANDS_FIRST, IDR_WINDOW_COMMANDS_LAST,
    {IDS_WINDOW_ABOUT_VERSION, IDS_WINDOW_URL_NOT_OPENED, IDS_WINDOW_URL_NOT_OPENED_NOR_COPIED,
     IDS_WINDOW_SETTINGS_FILTER, IDS_HELP_PAGE_MISSING, IDS_HELP_PAGE_NOT_OPENED, IDC_ABOUT_VERSION,
     IDC_ABOUT_URL}));
static_assert(typorama::ui::resource_ids::Within(IDD_WINDOW_COMMANDS_FIRST, IDD_WINDOW_COMMANDS_LAST, {IDD_ABOUT}));
#endif
