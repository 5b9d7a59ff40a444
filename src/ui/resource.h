// Resource identifiers shared by the resource scripts and the code. Each
// feature or area keeps its ids in its own header and owns a range of numbers;
// a new feature takes the next free range below, declares it in its header and
// adds it to kRanges. String, control, command and dialog ids share one line
// of numbers, so an id never means two things in a message or a template:
//
//        1          the program's icon
//      100..109     the main window's child controls
//      200..319     dialog templates, 20 per feature
//     1000..1019    the font listing's buttons (their ids are its results)
//     1020..1999    texts about one font
//     2100..2199    the main window and the message routine
//     2200..2399    the main window's own windows (about, web pages, help)
//     2400..2599    the font list view and the status bar
//     2600..2799    browsing sources
//     2800..2999    selection, search and filters
//     3000..3999    captions of the commands (IDS_MENU_CAPTION)
//     4000..4199    external programs and command variables (dialogs 280..299)
//     4200..4399    text metrics and system information (dialogs 300..319)
//     4400..4599    font file operations (dialogs 320..339)
//     4600..4799    the character map window (dialogs 340..359)
//     4800..4999    printing and the progress bar window (dialogs 360..379)
//     5000..5199    installing, uninstalling, loading and unloading (dialogs 380..399)
//     5200..5399    the current font: information pane, sample strings (dialogs 400..419)
//     5400..5599    the duplicate finder (dialogs 420..439)
//     5600..5799    renaming font files to full names (dialogs 440..459)
//     5800..5999    exporting sample images (dialogs 460..479)
//     6000..6199    the repair wizard and the fonts-folder view (dialogs 480..499)
//     6200..6399    the options dialog and the shell's folder entry (dialogs 500..519)
//     6400..6599    dropped files and files handed over by another start (dialogs 520..539)
//     6600..6799    the interface language (dialogs 540..559)
//    40000..40999   commands (stored in the button bar's layout: never renumbered)
//    41000..56999   items of the lists inserted into the menus
//
// Within a feature's range, strings come first and controls last.
#pragma once

#include "ui/resource_font_texts.h"
#include "ui/resource_main_window.h"
#include "ui/resource_menus.h"
#include "ui/resource_window_commands.h"
#include "ui/resource_list_view.h"
#include "ui/resource_browsing.h"
#include "ui/resource_selection.h"
#include "ui/resource_metrics.h"
#include "ui/resource_programs.h"
#include "ui/resource_charmap.h"
#include "ui/resource_print.h"
#include "ui/resource_file_ops.h"
#include "ui/resource_current_font.h"
#include "ui/resource_install.h"
#include "ui/resource_duplicates.h"
#include "ui/resource_options.h"
#include "ui/resource_rename.h"
#include "ui/resource_export.h"
#include "ui/resource_repair.h"
#include "ui/resource_drop.h"
#include "ui/resource_language.h"

#ifndef RC_INVOKED
#include "ui/resource_range.h"

namespace typorama::ui::resource_ids {

inline constexpr Range kRanges[] = {
    {"program icon", IDI_MAINICON, IDI_MAINICON},
    {"main window controls", IDR_MAIN_CONTROLS_FIRST, IDR_MAIN_CONTROLS_LAST},
    {"window commands dialogs", IDD_WINDOW_COMMANDS_FIRST, IDD_WINDOW_COMMANDS_LAST},
    {"list view dialogs", IDD_LIST_VIEW_FIRST, IDD_LIST_VIEW_LAST},
    {"browsing dialogs", IDD_BROWSING_FIRST, IDD_BROWSING_LAST},
    {"selection dialogs", IDD_SELECTION_FIRST, IDD_SELECTION_LAST},
    {"metrics dialogs", IDD_METRICS_FIRST, IDD_METRICS_LAST},
    {"programs dialogs", IDD_PROGRAMS_FIRST, IDD_PROGRAMS_LAST},
    {"character map dialogs", IDD_CHARMAP_FIRST, IDD_CHARMAP_LAST},
    {"print dialogs", IDD_PRINT_FIRST, IDD_PRINT_LAST},
    {"file operations dialogs", IDD_FILE_OPS_FIRST, IDD_FILE_OPS_LAST},
    {"current font dialogs", IDD_CURRENT_FONT_FIRST, IDD_CURRENT_FONT_LAST},
    {"install dialogs", IDD_INSTALL_FIRST, IDD_INSTALL_LAST},
    {"repair dialogs", IDD_REPAIR_FIRST, IDD_REPAIR_LAST},
    {"rename dialogs", IDD_RENAME_FIRST, IDD_RENAME_LAST},
    {"image export dialogs", IDD_EXPORT_FIRST, IDD_EXPORT_LAST},
    {"options dialogs", IDD_OPTIONS_FIRST, IDD_OPTIONS_LAST},
    {"duplicate finder dialogs", IDD_DUPLICATES_FIRST, IDD_DUPLICATES_LAST},
    {"drop dialogs", IDD_DROP_FIRST, IDD_DROP_LAST},
    {"language dialogs", IDD_LANGUAGE_FIRST, IDD_LANGUAGE_LAST},
    {"font listing results", IDR_LISTING_RESULTS_FIRST, IDR_LISTING_RESULTS_LAST},
    {"font texts", IDR_FONT_TEXTS_FIRST, IDR_FONT_TEXTS_LAST},
    {"main window", IDR_MAIN_WINDOW_FIRST, IDR_MAIN_WINDOW_LAST},
    {"window commands", IDR_WINDOW_COMMANDS_FIRST, IDR_WINDOW_COMMANDS_LAST},
    {"list view", IDR_LIST_VIEW_FIRST, IDR_LIST_VIEW_LAST},
    {"browsing", IDR_BROWSING_FIRST, IDR_BROWSING_LAST},
    {"selection", IDR_SELECTION_FIRST, IDR_SELECTION_LAST},
    {"metrics", IDR_METRICS_FIRST, IDR_METRICS_LAST},
    {"command captions", IDR_MENU_CAPTIONS_FIRST, IDR_MENU_CAPTIONS_LAST},
    {"programs", IDR_PROGRAMS_FIRST, IDR_PROGRAMS_LAST},
    {"character map", IDR_CHARMAP_FIRST, IDR_CHARMAP_LAST},
    {"print", IDR_PRINT_FIRST, IDR_PRINT_LAST},
    {"file operations", IDR_FILE_OPS_FIRST, IDR_FILE_OPS_LAST},
    {"current font", IDR_CURRENT_FONT_FIRST, IDR_CURRENT_FONT_LAST},
    {"install", IDR_INSTALL_FIRST, IDR_INSTALL_LAST},
    {"repair", IDR_REPAIR_FIRST, IDR_REPAIR_LAST},
    {"rename", IDR_RENAME_FIRST, IDR_RENAME_LAST},
    {"image export", IDR_EXPORT_FIRST, IDR_EXPORT_LAST},
    {"options", IDR_OPTIONS_FIRST, IDR_OPTIONS_LAST},
    {"duplicate finder", IDR_DUPLICATES_FIRST, IDR_DUPLICATES_LAST},
    {"drop", IDR_DROP_FIRST, IDR_DROP_LAST},
    {"interface language", IDR_LANGUAGE_FIRST, IDR_LANGUAGE_LAST},
    {"commands", IDR_COMMANDS_FIRST, IDR_COMMANDS_LAST},
    {"menu list items", IDR_MENU_LISTS_FIRST, IDR_MENU_LISTS_LAST},
};
static_assert(Disjoint(kRanges), "two features own the same resource id");

}  // namespace typorama::ui::resource_ids
#endif
