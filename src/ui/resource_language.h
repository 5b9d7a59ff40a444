// The interface language: its choice in the options dialog (6600..6799,
// dialogs 540..559). A feature's English texts need no ids of their own: they
// repeat the feature's ids under LANGUAGE LANG_ENGLISH in the feature's .rc.
#pragma once

#define IDR_LANGUAGE_FIRST 6600
#define IDR_LANGUAGE_LAST 6799
#define IDD_LANGUAGE_FIRST 540
#define IDD_LANGUAGE_LAST 559

// The choices of the language box, in the order of LanguageChoice (auto, zh-CN, en).
#define IDS_LANGUAGE_CHOICE_FIRST 6600
#define IDS_LANGUAGE_CHOICE_LAST 6602

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_LANGUAGE_FIRST, IDR_LANGUAGE_LAST,
    {IDS_LANGUAGE_CHOICE_FIRST, IDS_LANGUAGE_CHOICE_LAST}));
#endif
