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
