// The main window's text-metrics window, which follows the current font, and
// the Help menu's copy of the system information.
#pragma once

#include <memory>
#include <string>

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::charmap {

class TfrmTextMetrics;

class TextMetricsFeature : public app::WindowFeature {
public:
    explicit TextMetricsFeature(app::TfrmMain& host);
    ~TextMetricsFeature() override;

    // "字体规格信息": brings the window to the front, or opens it on the current font.
    void OpenMetricsWindow();
    // The window while it is open, else null.
    TfrmTextMetrics* MetricsWindow() const;

    // The text "复制系统信息" puts on the clipboard: a header with the
    // program's version and path, then every section of the system report.
    static std::wstring SystemInfoText(const std::wstring& programPath);
    // "复制系统信息": copies SystemInfoText and says so.
    void CopySystemInfo();

private:
    void ShowCurrentFont();

    app::TfrmMain& host_;
    std::unique_ptr<TfrmTextMetrics> window_;
};

}  // namespace typorama::charmap
