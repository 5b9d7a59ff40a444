// The font information pane txtFontInfo below the list: what the current
// font's file says about it (file, names, version, embedding, scripts,
// installation, copyright), shown or hidden with Ctrl+I or a right click on a
// row while the left button is held. Its visibility is not kept across runs.
#pragma once

#include <windows.h>

#include <string>

#include "app/feature.h"

namespace typorama::catalog {
class TFontListItem;
}

namespace typorama::app {

class TfrmMain;

// The pane's text for `font` (null: no current font), in the form the pane shows.
std::wstring FontInfoPaneText(catalog::TFontListItem* font, TfrmMain& host);

class FontInfoPane : public WindowFeature {
public:
    explicit FontInfoPane(TfrmMain& host);

    bool Visible() const { return visible_; }
    // Shows or hides the pane and lays the client area out again.
    void SetVisible(bool visible);
    // UpdateFontInfo: the pane shows the current font (while it is shown).
    void Update();

private:
    void GiveRoomForScrollBar();

    TfrmMain& host_;
    bool visible_ = false;
};

}  // namespace typorama::app
