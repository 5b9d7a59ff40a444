#include "app/list_position.h"

#include <algorithm>

namespace typorama::app {

ListPosition SaveListPosition(const catalog::TFontList& list, const ui::ThVirtualListBox& listBox) {
    ListPosition position;
    position.top = listBox.TopIndex();
    const int current = listBox.ItemIndex();
    if (const catalog::TFontListItem* font = list.Item(current)) {
        position.name = font->Name;
        position.index = current;
    }
    return position;
}

void RestoreListPosition(const ListPosition& position, const catalog::TFontList& list, ui::ThVirtualListBox& listBox) {
    if (position.index < 0 || list.Count() == 0) return;
    int row = -1;
    for (int i = 0; i < list.Count(); ++i) {
        if (list[i].Name == position.name) {
            row = i;
            break;
        }
    }
    if (row < 0) row = std::min(position.index, list.Count() - 1);
    listBox.SetTopIndex(std::min(position.top, list.Count() - 1));
    listBox.SetItemIndex(row);
}

}  // namespace typorama::app
