// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_MAINICON 1

// Embedding classes 0..4 of a font file.
#define IDS_EMBEDDING_BASE 1000
#define IDS_EMBEDDING_UNKNOWN 1000
#define IDS_EMBEDDING_RESTRICTED 1001
#define IDS_EMBEDDING_PRINTABLE 1002
#define IDS_EMBEDDING_EDITABLE 1003
#define IDS_EMBEDDING_INSTALLABLE 1004

// Installation status of a font.
#define IDS_STATUS_NOT_INSTALLED 1010
#define IDS_STATUS_INSTALLED 1011
#define IDS_STATUS_INSTALLED_FROM 1012  // %s: the registered file

// Names of the charset filters (IDS_CHARSET_BASE + charset) and family filters.
#define IDS_CHARSET_BASE 1100          // 1100..1355
#define IDS_FAMILY_BASE 1400           // 1400..1655

// The main window and the message routine.
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

#include "ui/resource_menus.h"

// The main window's own windows and help (2200..2399, dialogs 200..219).
#define IDS_WINDOW_ABOUT_VERSION 2200          // %d.%d.%d, then a release text (empty)
#define IDS_WINDOW_URL_NOT_OPENED 2201         // %s the address, %s the product name
#define IDS_WINDOW_URL_NOT_OPENED_NOR_COPIED 2202  // %s the address
#define IDS_WINDOW_SETTINGS_FILTER 2203        // description|pattern
#define IDS_HELP_PAGE_MISSING 2204             // %s the page's file
#define IDS_HELP_PAGE_NOT_OPENED 2205          // %s the page's file
#define IDD_ABOUT 200
#define IDC_ABOUT_VERSION 2390
#define IDC_ABOUT_URL 2391

// The font list view and the status bar (2400..2599, dialogs 220..239).
#define IDS_LIST_EMPTY 2400          // the text of a list without rows
#define IDS_LIST_NEW_SIZE 2401       // the custom size's prompt
#define IDM_LIST_SIZE_36 2500        // Ctrl + keypad multiply
#define IDM_LIST_DELETE_KEY 2501     // Delete, wherever the focus is
#define IDD_INPUT_BOX 220            // a caption, a prompt and one edit
#define IDC_INPUT_PROMPT 2580
#define IDC_INPUT_EDIT 2581

// Browsing sources (2600..2799, dialogs 240..259).
#define IDS_BROWSE_FOLDER_MISSING 2600     // %s: the folder
#define IDS_BROWSE_NOTHING_FOUND 2601
#define IDS_BROWSE_FOUND_COUNT 2602        // %d: number of fonts
#define IDS_BROWSE_SEARCHING 2603
#define IDS_BROWSE_INCLUDE_SUBFOLDERS 2604
#define IDS_BROWSE_CHOOSE_FS_FOLDER 2605
#define IDS_BROWSE_HINT_FAVORITES 2606
#define IDS_BROWSE_HINT_NEW_FOLDER 2607
#define IDS_BROWSE_HINT_DELETE 2608
#define IDS_BROWSE_NEW_FOLDER_NAME 2609
#define IDS_BROWSE_SYS_FONTS 2610
#define IDD_BROWSE_FOLDER 240
#define IDD_MULTI_FOLDERS 241
#define IDD_PROGRESS 242
// Controls of these dialogs.
#define IDC_BROWSE_FAV 2780
#define IDC_BROWSE_NEW_FOLDER 2781
#define IDC_BROWSE_DELETE 2782
#define IDC_BROWSE_TREE 2783
#define IDC_BROWSE_LIST 2784
#define IDC_BROWSE_SELECTED 2785
#define IDC_BROWSE_CHECKBOX 2786
#define IDC_MULTI_LIST 2790
#define IDC_MULTI_ADD 2791
#define IDC_MULTI_REMOVE 2792
#define IDC_MULTI_CLEAR 2793
#define IDC_PROGRESS_TEXT 2795

// Selection, search and filters (2800..2999, dialogs 260..279).
#define IDS_SELECT_NO_FILE_LOCATION 2800
#define IDS_SELECT_INVALID_CAPTION 2801
#define IDS_SELECT_INVALID_TOP 2802
#define IDS_SELECT_INVALID_BOTTOM 2803
#define IDS_SELECT_BUTTON_AUTO 2804
#define IDS_SELECT_BUTTON_SKIP 2805
#define IDS_SELECT_BUTTON_CANCEL 2806
#define IDS_SELECT_NOTHING_LEFT 2807
#define IDS_SELECT_SUMMARY 2808  // %d: number of fonts, %s: their size
#define IDD_FONT_LISTING 260
#define IDC_LISTING_TOP 2601
#define IDC_LISTING_FONTS 2602
#define IDC_LISTING_BOTTOM 2603
#define IDC_LISTING_BUTTON1 1000  // the buttons' ids are the results they give
#define IDC_LISTING_BUTTON2 1001
#define IDC_LISTING_BUTTON3 1002
#define IDD_FIND 261
#define IDC_FIND_LABEL 2611
#define IDC_FIND_TEXT 2612
#define IDC_FIND_CONTAINS 2613
#define IDC_FIND_FROM_START 2614
