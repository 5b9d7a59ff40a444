// The main window's "保存图像(&S)..." (Ctrl+Shift+S) on the selected fonts and
// the Tools menu's "保存图像（由文件夹）..." on the font files of a folder:
// both open the image export dialog over their fonts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::catalog {
class TFontList;
class TFontListItem;
}

namespace typorama::output {

class TfrmExportBitmap;

class ExportImagesFeature : public app::WindowFeature {
public:
    explicit ExportImagesFeature(app::TfrmMain& host);

    // The selected fonts (tagged, else the current one), those without a
    // known file offered for skipping first.
    void SaveSelected();
    // The font files of `folder` (asked with the folder picker when empty).
    void SaveFolder(std::wstring folder = {}, bool includeSubfolders = false);

private:
    void OpenDialog(std::vector<catalog::TFontListItem*> fonts, catalog::TFontList& list);

    app::TfrmMain& host_;
};

}  // namespace typorama::output
