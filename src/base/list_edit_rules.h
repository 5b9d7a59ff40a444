// The rules of the lists the user edits row by row (the options dialog's
// strings, programs and folders): where a dragged row lands, which row is
// selected after a deletion, which row an edit command works on.
#pragma once

#include <optional>
#include <vector>

namespace typorama {

// The position a row dragged onto `dropRow` moves to; a drop below the last
// row (dropRow < 0 or past the end) moves it to the end.
int DropPosition(int dropRow, int count);

// Moves element `from` to position `to`; the elements between shift by one.
// Nothing happens when either position is outside the list.
template <typename T>
void MoveElement(std::vector<T>& items, int from, int to) {
    const int count = static_cast<int>(items.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
    T moved = std::move(items[static_cast<std::size_t>(from)]);
    items.erase(items.begin() + from);
    items.insert(items.begin() + to, std::move(moved));
}

// The row selected after row `deleted` went, out of `countAfter` left: the
// following one, or the new last one; -1 when none is left.
int SelectionAfterDelete(int deleted, int countAfter);

// The row an edit command works on: the selected one, or the only row when
// none is selected; nothing otherwise (the command beeps).
std::optional<int> RowToEdit(int selected, int count);

}  // namespace typorama
