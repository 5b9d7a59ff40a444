// TfrmTextMetrics: a small window beside the main window that lists the
// metrics the system reports for one font (charmap/metrics_report.h) in a
// read-only text box. It knows nothing of the font list: its owner tells it
// which font to show. Its position is kept in the `TextMetrics` settings subkey.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_store.h"
#include "ui/window_base.h"
#include "win/unique_handle.h"

namespace typorama::charmap {

class TfrmTextMetrics : public ui::Window<TfrmTextMetrics> {
public:
    static constexpr wchar_t kClassName[] = L"TfrmTextMetrics";
    static void DescribeClass(WNDCLASSEXW& wc);

    // Where the window goes when nothing is stored, and where a stored
    // coordinate off the screen (below 0 or beyond its size) moves to.
    static constexpr int kDefaultPosition = 10;
    static POINT KeepOnScreen(POINT stored, int screenWidth, int screenHeight);
    // The settings subkey and its values.
    static constexpr wchar_t kSettingsKey[] = L"TextMetrics";

    // `settingsRoot` is where the position is read and written.
    explicit TfrmTextMetrics(settings::SettingsRoot settingsRoot = settings::ActiveSettingsRoot());
    ~TfrmTextMetrics() override;

    // Creates the window (hidden) at its stored position; false when it
    // could not be made.
    bool Create(HWND owner);
    HWND Hwnd() const { return window_; }
    HWND TextBox() const { return text_; }

    // Shows the metrics of `font` (null: none) under its full name `name`.
    // Nothing happens when that font is shown already; otherwise the report
    // is rebuilt, keeping the first visible line, and the caption names the font.
    void ShowFont(const std::wstring& name, const LOGFONTW* font);
    std::wstring ReportText() const;
    // Puts the whole report on the clipboard as text.
    bool CopyReport() const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Layout();
    void ApplyFont();
    void WritePosition();

    settings::SettingsRoot settingsRoot_;
    HWND text_ = nullptr;  // txtMetrics
    win::UniqueFont font_;
    std::optional<std::wstring> shownName_;  // nullopt: nothing shown yet
    std::optional<LOGFONTW> shownFont_;
};

}  // namespace typorama::charmap
