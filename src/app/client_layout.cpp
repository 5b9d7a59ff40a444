#include "app/client_layout.h"

namespace typorama::app {

ClientLayout ComputeClientLayout(const ClientLayoutInput& in) {
    ClientLayout out;
    const int w = in.width;
    const int h = in.height;
    out.tree = {1, 1, in.splitterLeft - 1, h - 2};
    out.splitter = {in.splitterLeft, 1, in.splitterWidth, h - 2};
    const int contentLeft = in.treeVisible ? in.splitterLeft + in.splitterWidth : 1;
    const int contentWidth = w - contentLeft - 1;

    out.infoPane = {contentLeft, h - in.infoPaneHeight - 1, contentWidth, in.infoPaneHeight};
    const int boxTop = in.infoPaneVisible ? out.infoPane.top - in.userStringHeight - 3 : h - in.userStringHeight - 1;
    out.userString = {contentLeft, boxTop, contentWidth, in.userStringHeight};

    int listHeight = h - 2;
    if (in.userStringVisible)
        listHeight = boxTop - 4;
    else if (in.infoPaneVisible)
        listHeight = out.infoPane.top - 4;
    out.fontList = {contentLeft, out.tree.top, contentWidth, listHeight};
    return out;
}

}  // namespace typorama::app
