#include "charmap/metrics_feature.h"

#include "app/clipboard_text.h"
#include "app/main_window.h"
#include "charmap/system_facts.h"
#include "charmap/text_metrics_window.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::charmap {

TextMetricsFeature::TextMetricsFeature(app::TfrmMain& host) : host_(host) {
    app::CommandTable& commands = host.Commands();
    commands.Add(IDM_VIEW_FONT_METRICS, {[this] { OpenMetricsWindow(); }, {}, {}});
    commands.Add(IDM_HELP_COPY_SYSINFO, {[this] { CopySystemInfo(); }, {}, {}});
    host.CurrentFontChanged += [this] { ShowCurrentFont(); };
    host.FontListRebuilt += [this] { ShowCurrentFont(); };
    // Closed as the user would close it, so that it keeps its position.
    host.Closing += [this] {
        if (TfrmTextMetrics* window = MetricsWindow()) SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    };
}

TextMetricsFeature::~TextMetricsFeature() = default;

TfrmTextMetrics* TextMetricsFeature::MetricsWindow() const {
    return window_ && window_->Hwnd() ? window_.get() : nullptr;
}

void TextMetricsFeature::OpenMetricsWindow() {
    if (TfrmTextMetrics* window = MetricsWindow()) {
        ShowWindow(window->Hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(window->Hwnd());
        return;
    }
    if (!host_.RequireFonts(app::FontNeed::Current)) return;
    window_ = std::make_unique<TfrmTextMetrics>();
    if (!window_->Create(host_.Handle())) {
        window_.reset();
        return;
    }
    ShowCurrentFont();
    ShowWindow(window_->Hwnd(), SW_SHOWNORMAL);
}

void TextMetricsFeature::ShowCurrentFont() {
    TfrmTextMetrics* window = MetricsWindow();
    if (!window) return;
    catalog::TFontListItem* item = host_.CurrentFont();
    if (!item) {
        window->ShowFont(std::wstring(), nullptr);
        return;
    }
    // A folder's fonts are loaded when first needed: the font must be there
    // before the system is asked for its metrics.
    host_.FontList().PrepareToDraw(*item);
    window->ShowFont(item->Name, &item->LogFont);
}

std::wstring TextMetricsFeature::SystemInfoText(const std::wstring& programPath) {
    const std::wstring header =
        win::FormatRes(IDS_SYSINFO_HEADER, {std::u16string_view(u"Typorama"), std::int64_t{app::kVersionMajor},
                                            std::int64_t{app::kVersionMinor}, std::int64_t{app::kVersionBuild},
                                            std::u16string_view()});
    return header + L"\r\n" + programPath + L"\r\n\r\n" + SystemReport(kAllSections, {}, programPath);
}

void TextMetricsFeature::CopySystemInfo() {
    bool copied = false;
    {
        win::BusyCursor busy;
        copied = app::CopyTextToClipboard(host_.Handle(), SystemInfoText(win::ProgramPath()));
    }
    if (copied)
        ui::ShowInformation(host_.Handle(), win::LoadResString(IDS_SYSINFO_COPIED));
    else
        ui::ShowError(host_.Handle(), win::LoadResString(IDS_SYSINFO_NOT_COPIED));
}

}  // namespace typorama::charmap
