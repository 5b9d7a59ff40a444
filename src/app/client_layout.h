// Where the controls of the main window's client panel go. Pure arithmetic.
#pragma once

namespace typorama::app {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

struct ClientLayoutInput {
    int width = 0;   // of the client panel
    int height = 0;
    bool treeVisible = false;
    int splitterLeft = 150;
    int splitterWidth = 3;
    bool infoPaneVisible = false;
    int infoPaneHeight = 0;
    bool userStringVisible = false;
    int userStringHeight = 0;
};

struct ClientLayout {
    Bounds tree, splitter, infoPane, userString, fontList;
};

// The folder tree on the left, then the splitter; the list fills the rest
// above the sample-string box and the information pane, which sit at the
// bottom (pane lowest). Hidden controls keep a place but take no room.
ClientLayout ComputeClientLayout(const ClientLayoutInput& in);

}  // namespace typorama::app
