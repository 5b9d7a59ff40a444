// How commands collect the fonts they work on: the current font, the tagged
// fonts, or the tagged fonts with the current font as the fallback; and the
// check that the collected fonts have files on disk.
#pragma once

#include <windows.h>

#include <functional>

#include "catalog/font_list.h"

namespace typorama::app {

enum class SelectMode : int {
    Current = 0,          // the current font only
    Tagged = 1,           // every tagged font, in list order
    TaggedOrCurrent = 2,  // the tagged fonts when any is tagged, else the current font
};

// Called for each selected font; returning false stops the iteration (that
// font is not counted).
using FontAction = std::function<bool(catalog::TFontListItem& font)>;

// Calls `action` for the selected fonts of `list` (`current` = the current
// row, -1 = none). With `checkFiles`, fonts whose file is not on disk are
// passed over. Returns the number of fonts processed; for the single current
// font it is 1 whenever the action was called.
int ForEachSelectedFont(const catalog::TFontList& list, int current, SelectMode mode, const FontAction& action,
                        bool checkFiles);

// Whether the font's file (as the list looks it up) exists on disk.
bool FontFileExists(catalog::TFontListItem& font);

// Takes every font without a file out of the working list.
void RemoveFontsWithoutFile(catalog::TWorkingList& list);

// Checks that the fonts of a working list have files. Fonts without one are
// listed in TfrmFontListing (after `beep`), where the user chooses automatic
// names (only when `allowAutomatic`), to skip them, or to cancel. False when
// the command must stop.
bool ResolveFontFiles(HWND owner, catalog::TWorkingList& list, bool allowAutomatic,
                      const std::function<void()>& beep);

}  // namespace typorama::app
