#include "base/list_edit_rules.h"

namespace typorama {

int DropPosition(int dropRow, int count) {
    if (count <= 0) return -1;
    return dropRow < 0 || dropRow >= count ? count - 1 : dropRow;
}

int SelectionAfterDelete(int deleted, int countAfter) {
    if (countAfter <= 0) return -1;
    return deleted < countAfter ? deleted : countAfter - 1;
}

std::optional<int> RowToEdit(int selected, int count) {
    if (selected >= 0 && selected < count) return selected;
    if (selected < 0 && count == 1) return 0;
    return std::nullopt;
}

}  // namespace typorama
