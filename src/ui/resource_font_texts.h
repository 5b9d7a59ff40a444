// Texts about one font: embedding classes, installation status, the names of
// the charset and family filters (1020..1999).
#pragma once

#define IDR_FONT_TEXTS_FIRST 1020
#define IDR_FONT_TEXTS_LAST 1999

// Embedding classes 0..4 of a font file.
#define IDS_EMBEDDING_BASE 1020
#define IDS_EMBEDDING_UNKNOWN 1020
#define IDS_EMBEDDING_RESTRICTED 1021
#define IDS_EMBEDDING_PRINTABLE 1022
#define IDS_EMBEDDING_EDITABLE 1023
#define IDS_EMBEDDING_INSTALLABLE 1024

// Installation status of a font.
#define IDS_STATUS_NOT_INSTALLED 1030
#define IDS_STATUS_INSTALLED 1031
#define IDS_STATUS_INSTALLED_FROM 1032  // %s: the registered file

// Names of the charset filters (IDS_CHARSET_BASE + charset) and family filters.
#define IDS_CHARSET_BASE 1100          // 1100..1355
#define IDS_FAMILY_BASE 1400           // 1400..1655

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_FONT_TEXTS_FIRST, IDR_FONT_TEXTS_LAST,
    {IDS_EMBEDDING_BASE, IDS_EMBEDDING_INSTALLABLE, IDS_STATUS_NOT_INSTALLED, IDS_STATUS_INSTALLED,
     IDS_STATUS_INSTALLED_FROM, IDS_CHARSET_BASE, IDS_CHARSET_BASE + 255, IDS_FAMILY_BASE,
     IDS_FAMILY_BASE + 255}));
static_assert(IDS_EMBEDDING_UNKNOWN == IDS_EMBEDDING_BASE && IDS_EMBEDDING_INSTALLABLE == IDS_EMBEDDING_BASE + 4);
static_assert(IDS_CHARSET_BASE + 255 < IDS_FAMILY_BASE, "the charset names end before the family names");
#endif
