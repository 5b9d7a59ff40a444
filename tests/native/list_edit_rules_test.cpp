// The row rules of the options dialog's lists.
#include "base/list_edit_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace typorama {
namespace {

TEST(ListEditRules, DraggedRowLandsWhereDroppedOrAtTheEnd) {
    std::vector<std::string> rows{"a", "b", "c", "d"};
    MoveElement(rows, 0, DropPosition(3, 4));
    EXPECT_EQ(rows, (std::vector<std::string>{"b", "c", "d", "a"}));
    MoveElement(rows, 3, DropPosition(1, 4));
    EXPECT_EQ(rows, (std::vector<std::string>{"b", "a", "c", "d"}));
    // Below the last row, or past it.
    MoveElement(rows, 0, DropPosition(-1, 4));
    EXPECT_EQ(rows, (std::vector<std::string>{"a", "c", "d", "b"}));
    EXPECT_EQ(DropPosition(7, 4), 3);
    EXPECT_EQ(DropPosition(0, 0), -1);
    // Positions outside the list change nothing.
    MoveElement(rows, 4, 0);
    MoveElement(rows, 0, -1);
    EXPECT_EQ(rows, (std::vector<std::string>{"a", "c", "d", "b"}));
}

TEST(ListEditRules, SelectionAfterDeleteAndRowToEdit) {
    EXPECT_EQ(SelectionAfterDelete(1, 3), 1);   // the following row
    EXPECT_EQ(SelectionAfterDelete(3, 3), 2);   // the new last row
    EXPECT_EQ(SelectionAfterDelete(0, 0), -1);  // nothing left
    EXPECT_EQ(RowToEdit(2, 4), 2);
    EXPECT_EQ(RowToEdit(-1, 1), 0);  // the only row is taken
    EXPECT_FALSE(RowToEdit(-1, 2));
    EXPECT_FALSE(RowToEdit(-1, 0));
    EXPECT_FALSE(RowToEdit(5, 4));
}

}  // namespace
}  // namespace typorama
