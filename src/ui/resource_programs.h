// External programs: the Run menu's programs, their dialogs and the command
// variables (4000..4199, dialogs 280..299).
#pragma once

#define IDR_PROGRAMS_FIRST 4000
#define IDR_PROGRAMS_LAST 4199
#define IDD_PROGRAMS_FIRST 280
#define IDD_PROGRAMS_LAST 299

#define IDS_PROG_NO_FILE_LOCATION 4000
#define IDS_PROG_RUN_FAILED 4001       // %s: the expanded command line, %s: the system's reason
#define IDS_PROG_ADD_CAPTION 4002
#define IDS_PROG_EDIT_CAPTION 4003
#define IDS_PROG_FILL_ALL 4004
#define IDS_PROG_EXE_FILTER 4005
#define IDS_PROG_ALL_FILES_FILTER 4006
// The variables' descriptions, in the order of settings::CommandVariable.
#define IDS_PROG_VARIABLE_FIRST 4020
#define IDS_PROG_VARIABLE_LAST 4030
#define IDD_EDIT_PROGRAM 280
#define IDD_EDIT_CMDLINE 281
#define IDD_INSERT_VARIABLE 282
// Controls of these dialogs.
#define IDC_PROG_TITLE_LABEL 4180
#define IDC_PROG_TITLE 4181
#define IDC_PROG_CMDLINE_LABEL 4182
#define IDC_PROG_CMDLINE 4183
#define IDC_PROG_INSERT 4184
#define IDC_VAR_LIST 4190
#define IDC_VAR_DESCRIPTION 4191
#define IDC_VAR_HELP 4192

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_PROGRAMS_FIRST, IDR_PROGRAMS_LAST,
    {IDS_PROG_NO_FILE_LOCATION, IDS_PROG_RUN_FAILED, IDS_PROG_ADD_CAPTION, IDS_PROG_EDIT_CAPTION, IDS_PROG_FILL_ALL,
     IDS_PROG_EXE_FILTER, IDS_PROG_ALL_FILES_FILTER, IDS_PROG_VARIABLE_FIRST, IDS_PROG_VARIABLE_LAST,
     IDC_PROG_TITLE_LABEL, IDC_PROG_TITLE, IDC_PROG_CMDLINE_LABEL, IDC_PROG_CMDLINE, IDC_PROG_INSERT, IDC_VAR_LIST,
     IDC_VAR_DESCRIPTION, IDC_VAR_HELP}));
static_assert(IDS_PROG_VARIABLE_LAST - IDS_PROG_VARIABLE_FIRST + 1 == 11, "one description per variable");
static_assert(typorama::ui::resource_ids::Within(IDD_PROGRAMS_FIRST, IDD_PROGRAMS_LAST,
    {IDD_EDIT_PROGRAM, IDD_EDIT_CMDLINE, IDD_INSERT_VARIABLE}));
#endif
