// Selection, search and filters: the tag commands, find, the character-set,
// family and only-selected-files filters, refresh with the position kept, and
// the commands that copy names or sum up the selected fonts. Other features
// reach the selected fonts through host.Feature<Selection>().
#pragma once

#include <windows.h>

#include <string>

#include "app/feature.h"
#include "app/font_selection.h"
#include "app/list_position.h"

namespace typorama::app {

class TfrmMain;

class Selection : public WindowFeature {
public:
    explicit Selection(TfrmMain& host);

    // Calls `action` for the current font, the tagged fonts, or the tagged
    // fonts with the current font as the fallback; see font_selection.h.
    int ForEachSelectedFont(SelectMode mode, const FontAction& action, bool checkFiles = false);
    // Adds the selected fonts to a working list; true when it grew.
    bool CollectSelectedFonts(catalog::TWorkingList& list, SelectMode mode = SelectMode::TaggedOrCurrent,
                              bool checkFiles = false);
    // Asks what to do with the fonts of `list` that have no file; false when
    // the command must stop.
    bool ResolveFontFiles(catalog::TWorkingList& list, bool allowAutomatic);
    // Around every rebuild that should keep the user's place in the list.
    void SaveListPosition();
    void RestoreListPosition();
    // Lists the current source again, keeping the tags and the position (F5,
    // TYWM_FONTCHANGE, after loading and unloading).
    void RefreshFontList();
    const std::wstring& LastSearchText() const { return lastSearchText_; }
    bool LastSearchFromStart() const { return lastSearchFromStart_; }
    // The filter command that matches the list's filters (the one shown
    // checked); when none matches, the one checked before.
    UINT FilterCommandInForce();

private:
    void RegisterCommands();

    TfrmMain& host_;
    std::wstring lastSearchText_;  // the find state: empty at start
    bool lastSearchFromStart_ = false;
    ListPosition listPosition_;      // what SaveListPosition remembered
    UINT checkedFilterCommand_ = 0;  // the filter command shown checked last
};

}  // namespace typorama::app
