// The main window's character map: the command that opens it (Ctrl+M and
// its button), and the window following the current font and the colours.
#pragma once

#include <memory>

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::charmap {

class TfrmCharMap;

class CharMapFeature : public app::WindowFeature {
public:
    explicit CharMapFeature(app::TfrmMain& host);
    ~CharMapFeature() override;

    // "字符映射表": restores and brings the window to the front, or opens it
    // on the current font.
    void OpenCharMap();
    // The window while it is open, else null.
    TfrmCharMap* CharMapWindow() const;

private:
    void ShowCurrentFont();
    void ApplyColours();

    app::TfrmMain& host_;
    std::unique_ptr<TfrmCharMap> window_;
};

}  // namespace typorama::charmap
