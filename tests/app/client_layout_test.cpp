// Where the client panel's controls go with the tree, pane and box shown or hidden.
#include "app/client_layout.h"

#include <gtest/gtest.h>

namespace typorama::app {
namespace {

TEST(MainWindowLayoutTest, ListFillsWhatTheTreePaneAndBoxLeave) {
    ClientLayoutInput in;
    in.width = 400;
    in.height = 300;
    in.splitterLeft = 150;
    in.splitterWidth = 3;
    in.infoPaneHeight = 100;
    in.userStringHeight = 21;

    ClientLayout alone = ComputeClientLayout(in);
    EXPECT_EQ(alone.fontList, (Bounds{1, 1, 398, 298})) << "nothing shown: the list takes all but a 1-pixel edge";

    in.treeVisible = true;
    ClientLayout withTree = ComputeClientLayout(in);
    EXPECT_EQ(withTree.tree, (Bounds{1, 1, 149, 298}));
    EXPECT_EQ(withTree.splitter, (Bounds{150, 1, 3, 298}));
    EXPECT_EQ(withTree.fontList, (Bounds{153, 1, 246, 298})) << "the list starts at the splitter's right edge";

    in.infoPaneVisible = true;
    ClientLayout withPane = ComputeClientLayout(in);
    EXPECT_EQ(withPane.infoPane, (Bounds{153, 199, 246, 100}));
    EXPECT_EQ(withPane.fontList.height, 195) << "pane top - 4";

    in.userStringVisible = true;
    ClientLayout withBox = ComputeClientLayout(in);
    EXPECT_EQ(withBox.userString, (Bounds{153, 175, 246, 21})) << "3 pixels above the pane";
    EXPECT_EQ(withBox.fontList.height, 171) << "box top - 4";

    in.infoPaneVisible = false;
    ClientLayout boxOnly = ComputeClientLayout(in);
    EXPECT_EQ(boxOnly.userString.top, 278) << "at the bottom edge when the pane is hidden";
    EXPECT_EQ(boxOnly.fontList.height, 274);
}

}  // namespace
}  // namespace typorama::app
