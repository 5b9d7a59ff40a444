// The user's place in the font list, kept across rebuilds of the list: the
// current font by name, else its row, and the top row.
#pragma once

#include <string>

#include "catalog/font_list.h"
#include "ui/virtual_list_box.h"

namespace typorama::app {

struct ListPosition {
    std::wstring name;  // the current font's name
    int index = -1;     // its row; -1: nothing remembered
    int top = 0;        // the first visible row
};

// Remembers the top row and, when there is a current font, its name and row.
ListPosition SaveListPosition(const catalog::TFontList& list, const ui::ThVirtualListBox& listBox);

// Selects the remembered font again (its name compared exactly), else the
// remembered row, or the last row when the list got shorter; the top row is
// put back first. Nothing when no row was remembered or the list is empty.
void RestoreListPosition(const ListPosition& position, const catalog::TFontList& list, ui::ThVirtualListBox& listBox);

}  // namespace typorama::app
