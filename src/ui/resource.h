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
