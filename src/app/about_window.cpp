#include "app/about_window.h"

#include <windowsx.h>

#include <string>

#include "app/main_settings.h"
#include "app/web_pages.h"
#include "ui/image_strip.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// Where the labels sit on the picture (pixels of the picture): the version
// under the subtitle, the homepage link over the name ribbon at the foot.
constexpr int kVersionTop = 168;
constexpr int kVersionHeight = 18;
constexpr int kLinkTop = 194;
constexpr int kLinkHeight = 28;
constexpr COLORREF kVersionColor = RGB(70, 80, 110);

}  // namespace

TfrmAbout::TfrmAbout() : ui::Dialog(IDD_ABOUT) {}

std::wstring TfrmAbout::VersionText() {
    return win::FormatRes(IDS_WINDOW_ABOUT_VERSION, {std::int64_t{kVersionMajor}, std::int64_t{kVersionMinor},
                                                    std::int64_t{kVersionBuild}, std::u16string_view()});
}

bool TfrmAbout::OnInitDialog() {
    picture_.reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::kAboutBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (picture_ && GetObjectW(picture_.get(), sizeof info, &info)) pictureSize_ = SIZE{info.bmWidth, info.bmHeight};

    // The frame is one pixel on each side of the picture.
    RECT frame{0, 0, pictureSize_.cx, pictureSize_.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    font_.reset(win::CreateMessageFontFor(Handle()));
    const HWND version = Item(IDC_ABOUT_VERSION);
    const HWND link = Item(IDC_ABOUT_URL);
    for (HWND label : {version, link})
        if (label && font_) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (version) {
        SetWindowTextW(version, VersionText().c_str());
        MoveWindow(version, 0, kVersionTop, pictureSize_.cx, kVersionHeight, FALSE);
    }
    if (link) MoveWindow(link, 0, kLinkTop, pictureSize_.cx, kLinkHeight, FALSE);
    // No control takes the focus, so every key reaches the window itself.
    SetFocus(Handle());
    return false;
}

bool TfrmAbout::OnCommand(int id, int code, HWND control) {
    (void)control;
    if (id == IDC_ABOUT_URL && code == STN_CLICKED) {
        OpenWebPage(Handle(), HomepageUrl());
        return true;
    }
    return false;
}

bool TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND: {
            // The picture is the window's background; the labels are drawn over it.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            RECT client{};
            GetClientRect(Handle(), &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
            if (picture_) {
                win::MemoryDC memory(dc, picture_.get());
                if (memory.get()) BitBlt(dc, 0, 0, pictureSize_.cx, pictureSize_.cy, memory.get(), 0, 0, SRCCOPY);
            }
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, kVersionColor);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == Item(IDC_ABOUT_URL)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                result = TRUE;  // the cursor is set
                return true;
            }
            return false;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
            End(IDOK);
            result = TRUE;
            return true;
        default:
            (void)lParam;
            return false;
    }
}

void ShowAboutWindow(HWND owner) {
    TfrmAbout about;
    ui::CreateAndShowForm(about, owner, true, ui::kCenterOnScreen | ui::kShowModal);
}

}  // namespace typorama::app
