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

// The font list view and the status bar (2400..2599, dialogs 220..239).
#define IDS_LIST_EMPTY 2400          // the text of a list without rows
#define IDS_LIST_NEW_SIZE 2401       // the custom size's prompt
#define IDM_LIST_SIZE_36 2500        // Ctrl + keypad multiply
#define IDM_LIST_DELETE_KEY 2501     // Delete, wherever the focus is
#define IDD_INPUT_BOX 220            // a caption, a prompt and one edit
#define IDC_INPUT_PROMPT 2580
#define IDC_INPUT_EDIT 2581

// Browsing sources (2600..2799, dialogs 240..259).

// Selection, search and filters (2800..2999, dialogs 260..279).
