#include "charmap/text_metrics_window.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/clipboard_text.h"
#include "charmap/text_metrics.h"
#include "settings/setting_values.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::charmap {
namespace {

// The client area at 96 dpi and the text box's margin on every side.
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 440;
constexpr int kMargin = 7;
constexpr int kTabStop = 12;  // dialog units
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

struct StoredPosition {
    std::int32_t left = TfrmTextMetrics::kDefaultPosition;
    std::int32_t top = TfrmTextMetrics::kDefaultPosition;
};

constexpr settings::ValueSetting<StoredPosition> kPositionValues[] = {
    {L"FormLeft", &StoredPosition::left, settings::kCoordinateRange},
    {L"FormTop", &StoredPosition::top, settings::kCoordinateRange},
};

bool SameFont(const std::optional<LOGFONTW>& shown, const LOGFONTW* font) {
    if (!font) return !shown;
    return shown && std::memcmp(&*shown, font, sizeof *font) == 0;
}

}  // namespace

void TfrmTextMetrics::DescribeClass(WNDCLASSEXW& wc) {
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

POINT TfrmTextMetrics::KeepOnScreen(POINT stored, int screenWidth, int screenHeight) {
    if (stored.x < 0 || stored.x > screenWidth) stored.x = kDefaultPosition;
    if (stored.y < 0 || stored.y > screenHeight) stored.y = kDefaultPosition;
    return stored;
}

TfrmTextMetrics::TfrmTextMetrics(settings::SettingsRoot settingsRoot) : settingsRoot_(std::move(settingsRoot)) {}

TfrmTextMetrics::~TfrmTextMetrics() {
    if (window_) DestroyWindow(window_);
}

bool TfrmTextMetrics::Create(HWND owner) {
    if (window_) return true;
    StoredPosition stored;
    settings::TRegistryEx reg(settingsRoot_);
    if (reg.OpenKeyReadOnly(kSettingsKey)) settings::ReadValues(reg, std::span<const settings::ValueSetting<StoredPosition>>(kPositionValues), stored);
    const POINT at = KeepOnScreen(POINT{stored.left, stored.top}, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN));
    shownName_.reset();
    shownFont_.reset();
    if (!CreateBound(kExStyle, win::LoadResString(IDS_METRICS_CAPTION_EMPTY).c_str(), kStyle, at.x, at.y, 0, 0, owner,
                     nullptr))
        return false;
    // The size follows the resolution of the screen the window opens on.
    const UINT dpi = GetDpiForWindow(window_);
    RECT bounds{0, 0, win::ScaleForWindow(window_, kClientWidth), win::ScaleForWindow(window_, kClientHeight)};
    AdjustWindowRectExForDpi(&bounds, kStyle, FALSE, kExStyle, dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
    SetWindowPos(window_, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    text_ = CreateWindowExW(0, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                            0, 0, window_, ui::ControlId(IDC_METRICS_TEXT), GetModuleHandleW(nullptr), nullptr);
    // The edit's default tab stop (32 dialog units) pushes the field lines half
    // across the box; a narrower one keeps the longest lines unwrapped.
    const int tabStop = kTabStop;
    SendMessageW(text_, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    ApplyFont();
    Layout();
    if (const HMENU menu = GetSystemMenu(window_, FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDC_METRICS_COPY_REPORT, win::LoadResString(IDS_METRICS_COPY).c_str());
    }
    return text_ != nullptr;
}

void TfrmTextMetrics::ApplyFont() {
    // The message font: the report's labels are Latin, but the caption's and
    // a font's names may not be, and only a TrueType font links to CJK glyphs.
    font_.reset(win::CreateMessageFontFor(window_));
    if (text_ && font_) SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void TfrmTextMetrics::Layout() {
    RECT client{};
    GetClientRect(window_, &client);
    const int margin = win::ScaleForWindow(window_, kMargin);
    MoveWindow(text_, margin, margin, std::max<int>(0, client.right - 2 * margin),
               std::max<int>(0, client.bottom - 2 * margin), TRUE);
}

void TfrmTextMetrics::ShowFont(const std::wstring& name, const LOGFONTW* font) {
    if (!window_ || !text_) return;
    if (shownName_ && *shownName_ == name && SameFont(shownFont_, font)) return;
    shownName_ = name;
    shownFont_ = font ? std::optional<LOGFONTW>(*font) : std::nullopt;

    const LRESULT firstLine = SendMessageW(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
    std::wstring report;
    {
        win::WindowDC dc(window_);
        report = BuildMetricsReport(dc.get(), font);
    }
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(text_, report.c_str());
    SendMessageW(text_, EM_LINESCROLL, 0, firstLine);
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (font) SetWindowTextW(window_, win::FormatRes(IDS_METRICS_CAPTION, {win::AsU16(name)}).c_str());
}

std::wstring TfrmTextMetrics::ReportText() const { return text_ ? win::WindowText(text_) : std::wstring(); }

bool TfrmTextMetrics::CopyReport() const { return app::CopyTextToClipboard(window_, ReportText()); }

void TfrmTextMetrics::WritePosition() {
    RECT bounds{};
    if (!GetWindowRect(window_, &bounds)) return;
    const StoredPosition stored{bounds.left, bounds.top};
    settings::TRegistryEx reg(settingsRoot_);
    settings::WriteOutcome outcome;
    // A window's own settings are written quietly: nothing asks the user at close.
    if (reg.OpenKey(kSettingsKey, true)) settings::WriteValues(reg, std::span<const settings::ValueSetting<StoredPosition>>(kPositionValues), stored, outcome);
}

LRESULT TfrmTextMetrics::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        WritePosition();
        DestroyWindow(window_);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDC_METRICS_COPY_REPORT) {
            CopyReport();
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyFont();
        Layout();
        return 0;
    }
    case WM_NCDESTROY:
        text_ = nullptr;
        shownName_.reset();
        shownFont_.reset();
        break;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::charmap
