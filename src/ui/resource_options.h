// The options dialog and the shell's folder entry (6200..6399, dialogs 500..519).
#pragma once

#define IDR_OPTIONS_FIRST 6200
#define IDR_OPTIONS_LAST 6399
#define IDD_OPTIONS_FIRST 500
#define IDD_OPTIONS_LAST 519

// The page captions, in the order of the pages.
#define IDS_OPT_PAGE_FIRST 6200
#define IDS_OPT_PAGE_LAST 6204
// The option tree's captions, in the order the tree shows them.
#define IDS_OPT_TREE_FIRST 6210
#define IDS_OPT_TREE_LAST 6232
#define IDS_OPT_DEFAULTS_QUESTION 6240  // %s: the active page's caption
#define IDS_OPT_NO_DEFAULTS 6241        // %s: the page's caption
#define IDS_OPT_SIZES_PROMPT 6242
#define IDS_OPT_SHELL_CAPTION 6243      // the entry's caption in the shell's menu
#define IDS_OPT_SHELL_FAILED 6244       // %s: the key, %s: the system's reason
#define IDD_OPTIONS 500
#define IDC_OPT_TAB 6380
#define IDC_OPT_TREE 6381
#define IDC_OPT_STRINGS 6382
#define IDC_OPT_PROGRAMS 6383
#define IDC_OPT_FAVORITES 6384
#define IDC_OPT_DESTINATIONS 6385
#define IDC_OPT_ADD 6386
#define IDC_OPT_EDIT 6387
#define IDC_OPT_REMOVE 6388
#define IDC_OPT_DEFAULTS 6389
#define IDC_OPT_LANGUAGE_LABEL 6390
#define IDC_OPT_LANGUAGE 6391
#define IDC_OPT_LANGUAGE_NOTE 6392

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_OPTIONS_FIRST, IDR_OPTIONS_LAST,
    {IDS_OPT_PAGE_FIRST, IDS_OPT_PAGE_LAST, IDS_OPT_TREE_FIRST, IDS_OPT_TREE_LAST, IDS_OPT_DEFAULTS_QUESTION,
     IDS_OPT_NO_DEFAULTS, IDS_OPT_SIZES_PROMPT, IDS_OPT_SHELL_CAPTION, IDS_OPT_SHELL_FAILED, IDC_OPT_TAB, IDC_OPT_TREE,
     IDC_OPT_STRINGS, IDC_OPT_PROGRAMS, IDC_OPT_FAVORITES, IDC_OPT_DESTINATIONS, IDC_OPT_ADD, IDC_OPT_EDIT,
     IDC_OPT_REMOVE, IDC_OPT_DEFAULTS, IDC_OPT_LANGUAGE_LABEL, IDC_OPT_LANGUAGE, IDC_OPT_LANGUAGE_NOTE}));
static_assert(typorama::ui::resource_ids::Within(IDD_OPTIONS_FIRST, IDD_OPTIONS_LAST, {IDD_OPTIONS}));
#endif
