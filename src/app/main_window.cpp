#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <exception>

#include "app/single_instance.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "settings/settings_store.h"
#include "win/gdi.h"
#include "win/resource_strings.h"

namespace typorama::app {
namespace {

constexpr int kSplitterWidth = 3;
constexpr int kTrayIconId = 1;

TfrmMain* g_mainWindow = nullptr;

int Scale(HWND window, int pixels) { return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), 96); }

bool IsFolder(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The font every control gets: the system's message font. A control left on
// the bitmap "System" font cannot borrow glyphs from linked fonts and shows
// boxes for Chinese text.
HFONT CreateMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT CreateNameLineFont() {
    win::WindowDC screen;
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void RegisterMainClass(WNDPROC windowProc) {
    static const bool registered = [windowProc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_MAINICON));
        if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // the client panel's colour
        wc.lpszClassName = kMainWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

catalog::TFontList* TheFontList() { return g_mainWindow ? &g_mainWindow->FontList() : nullptr; }

RECT TfrmMain::DefaultBounds(int screenWidth, int screenHeight) {
    const int left = screenWidth / 2 - 220;
    return RECT{left, 50, left + 440, 50 + screenHeight - 100};
}

RECT TfrmMain::KeepOnScreen(RECT bounds, int screenWidth, int screenHeight) {
    if (bounds.left > screenWidth || bounds.left < 0) OffsetRect(&bounds, -bounds.left, 0);
    if (bounds.top > screenHeight || bounds.top < 0) OffsetRect(&bounds, 0, -bounds.top);
    return bounds;
}

TfrmMain::TfrmMain(const catalog::SystemLocations& where) : where_(where) {}

TfrmMain::~TfrmMain() {
    if (window_) DestroyWindow(window_);
    if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool TfrmMain::Create(const std::wstring& startFolder, int showCommand) {
    RegisterMainClass(&TfrmMain::WindowProc);
    startingUp_ = true;
    const HWND window =
        CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClass, ui::kMessageCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                        GetModuleHandleW(nullptr), this);
    if (!window) {
        startingUp_ = false;
        return false;
    }
    fontChangeMessage_ = RegisterWindowMessageW(kFontChangeMessageName);
    try {
        nameLineFont_.reset(CreateNameLineFont());
        trayIcon_.cbSize = sizeof trayIcon_;
        trayIcon_.hWnd = window_;
        trayIcon_.uID = kTrayIconId;
        trayIcon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        trayIcon_.uCallbackMessage = kTrayMessage;
        trayIcon_.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON),
                                                        IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        if (!trayIcon_.hIcon) trayIcon_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        lstrcpynW(trayIcon_.szTip, ui::kMessageCaption, ARRAYSIZE(trayIcon_.szTip));

        fontList_ = std::make_unique<catalog::TFontList>(where_);
        g_mainWindow = this;
        ConnectFontList();
        ApplyBounds();
        fontList_->SetHideMarlett(true);
        OpenStartSource(startFolder, showCommand);
    } catch (const std::exception&) {
        // A failure while starting up leaves whatever was built; the window stays usable.
    }
    if (!fontList_) {
        fontList_ = std::make_unique<catalog::TFontList>(where_);
        g_mainWindow = this;
    }
    wchar_t programPath[MAX_PATH]{};
    GetModuleFileNameW(nullptr, programPath, MAX_PATH);
    std::wstring helpFile = programPath;
    helpFile.erase(helpFile.find_last_of(L'\\') + 1);
    ui::SetHelpFile(helpFile + L"Typorama.hlp");
    SetStatusText(StatusPanel::Message, win::LoadResString(IDS_MAIN_WELCOME), false);
    startingUp_ = false;
    if (showCommand != SW_HIDE && !IsWindowVisible(window_)) ShowWindow(window_, ShowCommandFor(showCommand));
    return true;
}

void TfrmMain::ConnectFontList() {
    fontList_->OnBeginUpdate = [this] { LockWindowUpdate(window_); };
    fontList_->OnEndUpdate = [this] { LockWindowUpdate(nullptr); };
    fontList_->OnLoadProblem = [this] {
        ui::ShowMessage(window_, win::LoadResString(IDS_MAIN_LOAD_PROBLEM), MB_ICONERROR | MB_OK, 5000);
    };
}

void TfrmMain::ApplyBounds() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT defaults = DefaultBounds(screenWidth, screenHeight);
    settings::TRegistryEx reg;
    reg.OpenKey(L"", true);  // reads fall back to the defaults when it cannot be opened
    const int left = reg.ReadIntegerDef(L"FormLeft", defaults.left);
    const int top = reg.ReadIntegerDef(L"FormTop", defaults.top);
    const int width = reg.ReadIntegerDef(L"FormWidth", defaults.right - defaults.left);
    const int height = reg.ReadIntegerDef(L"FormHeight", defaults.bottom - defaults.top);
    startMaximized_ = reg.ReadBoolDef(L"Maximized", false);
    const RECT bounds = KeepOnScreen(RECT{left, top, left + width, top + height}, screenWidth, screenHeight);
    settingsLoaded_ = true;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    placement.rcNormalPosition = bounds;
    placement.showCmd = IsWindowVisible(window_) ? SW_SHOWNORMAL : SW_HIDE;
    SetWindowPlacement(window_, &placement);
}

void TfrmMain::WriteBounds() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window_, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    settings::TRegistryEx reg;
    if (!reg.OpenKey(L"", true)) return;
    reg.WriteInteger(L"FormLeft", r.left);
    reg.WriteInteger(L"FormTop", r.top);
    reg.WriteInteger(L"FormWidth", r.right - r.left);
    reg.WriteInteger(L"FormHeight", r.bottom - r.top);
    reg.WriteBool(L"Maximized", IsZoomed(window_) != FALSE);
}

int TfrmMain::ShowCommandFor(int showCommand) const {
    if (showCommand == SW_HIDE) return SW_HIDE;
    return startMaximized_ ? SW_SHOWMAXIMIZED : showCommand;
}

void TfrmMain::OpenStartSource(const std::wstring& startFolder, int showCommand) {
    if (IsFolder(startFolder)) {
        SetWindowTextW(window_, ui::kMessageCaption);
        if (showCommand != SW_HIDE) {
            ShowWindow(window_, ShowCommandFor(showCommand));
            UpdateWindow(window_);
        }
        fontList_->IncludeSubfolders = false;
        fontList_->SetFolder(startFolder);
        fontList_->SetSourceKind(catalog::SourceKind::Folder);
        fontList_->Rebuild(false);
    } else {
        fontList_->Rebuild(false);
    }
}

LRESULT CALLBACK TfrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TfrmMain* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls();
            CreateMenus();
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_COMMAND:
            OnCommand(GET_WM_COMMAND_ID(wParam, lParam));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case kActivateMessage:
            OnActivateInstance();
            return 0;
        case kTrayMessage:
            OnTrayNotify(static_cast<UINT>(lParam));
            return 0;
        default:
            break;
    }
    if (message == fontChangeMessage_ && fontChangeMessage_ != 0) {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        // Another program changed the fonts: list again, keeping the tags.
        fontList_->Refresh(true);
        return result;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void TfrmMain::CreateControls() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    uiFont_.reset(CreateMessageFont());
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 window_, nullptr, instance, nullptr);
    // Read-only information pane and sample-string box: created hidden and
    // empty, shown by the features that fill them.
    fontInfo_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0,
                                window_, nullptr, instance, nullptr);
    userString_ = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                                  0, 0, 200, window_, nullptr, instance, nullptr);
    for (HWND control : {statusBar_, fontInfo_, userString_})
        if (control && uiFont_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);

    // The information pane's client area holds 8 lines of its font plus 3 pixels.
    if (fontInfo_) {
        win::WindowDC dc(fontInfo_);
        const HGDIOBJ old = SelectObject(dc.get(), uiFont_ ? uiFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), L"Ij", 2, &extent);
        SelectObject(dc.get(), old);
        RECT frame{0, 0, 100, 8 * extent.cy + 3};
        AdjustWindowRectEx(&frame, GetWindowLongW(fontInfo_, GWL_STYLE), FALSE, WS_EX_CLIENTEDGE);
        SetWindowPos(fontInfo_, nullptr, 0, 0, 100, frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TfrmMain::CreateMenus() {
    const HMENU bar = CreateMenu();
    const HMENU fontMenu = CreatePopupMenu();
    AppendMenuW(fontMenu, MF_STRING, IDM_FONT_CLOSE, win::LoadResString(IDS_MAIN_MENU_FONT_CLOSE).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fontMenu), win::LoadResString(IDS_MAIN_MENU_FONT).c_str());
    SetMenu(window_, bar);  // destroyed with the window
}

std::wstring TfrmMain::StatusText(StatusPanel panel) const {
    const auto index = static_cast<WPARAM>(panel);
    const int length = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, index, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TfrmMain::SetStatusText(StatusPanel panel, const std::wstring& text, bool repaint) {
    if (!statusBar_) return;
    // The bar invalidates itself; without `repaint` it is drawn with the next paint.
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
    if (repaint) UpdateWindow(statusBar_);
}

ClientLayout TfrmMain::LayoutClient() {
    RECT client{};
    GetClientRect(window_, &client);
    RECT status{};
    if (statusBar_ && IsWindowVisible(statusBar_)) GetWindowRect(statusBar_, &status);
    RECT paneRect{}, boxRect{};
    if (fontInfo_) GetWindowRect(fontInfo_, &paneRect);
    if (userString_) GetWindowRect(userString_, &boxRect);

    ClientLayoutInput in;
    in.width = client.right;
    in.height = client.bottom - (status.bottom - status.top);
    in.treeVisible = treeVisible_;
    in.splitterLeft = splitterLeft_;
    in.splitterWidth = kSplitterWidth;
    in.infoPaneVisible = fontInfo_ && IsWindowVisible(fontInfo_);
    in.infoPaneHeight = paneRect.bottom - paneRect.top;
    in.userStringVisible = userString_ && IsWindowVisible(userString_);
    in.userStringHeight = boxRect.bottom - boxRect.top;
    const ClientLayout layout = ComputeClientLayout(in);

    auto place = [](HWND control, const Bounds& b) {
        if (control) MoveWindow(control, b.left, b.top, b.width, b.height, TRUE);
    };
    place(fontInfo_, layout.infoPane);
    // A combo box's height is its closed height; MoveWindow would set the drop-down's.
    if (userString_)
        SetWindowPos(userString_, nullptr, layout.userString.left, layout.userString.top, layout.userString.width,
                     Scale(window_, 200), SWP_NOZORDER | SWP_NOACTIVATE);
    return layout;
}

bool TfrmMain::ConfirmDiscardTags() {
    const int tagged = fontList_ ? fontList_->TaggedCount() : 0;
    if (tagged == 0) return true;
    const std::wstring text = win::FormatRes(IDS_MAIN_CONFIRM_DISCARD_TAGS, {static_cast<std::int64_t>(tagged)});
    return ui::ShowMessage(window_, text, MB_ICONWARNING | MB_OKCANCEL) != IDCANCEL;
}

void TfrmMain::OnCommand(int id) {
    switch (id) {
        case IDM_FONT_CLOSE:
            SendMessageW(window_, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

void TfrmMain::OnClose() {
    if (!ConfirmDiscardTags()) return;
    if (settingsLoaded_) WriteBounds();
    for (const std::wstring& file : TemporaryFiles) DeleteFileW(file.c_str());
    TemporaryFiles.clear();
    DestroyWindow(window_);
}

void TfrmMain::OnDestroy() {
    RemoveTrayIcon();
    if (QuitOnDestroy) PostQuitMessage(0);
}

void TfrmMain::OnSize(UINT state, int width, int height) {
    if (statusBar_) {
        SendMessageW(statusBar_, WM_SIZE, 0, 0);
        // Message, size, filter and tag count; the message panel takes the rest.
        const int fixed[] = {Scale(window_, 90), Scale(window_, 110), Scale(window_, 80)};
        int right[4];
        right[3] = width;
        right[2] = right[3] - fixed[2];
        right[1] = right[2] - fixed[1];
        right[0] = right[1] - fixed[0];
        if (right[0] < 0) right[0] = 0;
        SendMessageW(statusBar_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(right));
    }
    (void)height;
    if (state == SIZE_MINIMIZED) {
        if (MinimizeToTray) {
            ShowTrayIcon();
            ShowWindow(window_, SW_HIDE);
        }
        return;
    }
    LayoutClient();
}

void TfrmMain::OnActivateInstance() {
    if (!IsIconic(window_)) {
        SetForegroundWindow(window_);
        return;
    }
    if (MinimizeToTray) RemoveTrayIcon();
    RestoreFromTray();
}

void TfrmMain::OnTrayNotify(UINT mouseMessage) {
    if (mouseMessage != WM_LBUTTONUP && mouseMessage != WM_RBUTTONUP) return;
    RemoveTrayIcon();
    RestoreFromTray();
}

void TfrmMain::RestoreFromTray() {
    ShowWindow(window_, SW_SHOW);
    ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
}

void TfrmMain::ShowTrayIcon() {
    if (trayIconShown_) return;
    trayIconShown_ = Shell_NotifyIconW(NIM_ADD, &trayIcon_) != FALSE;
}

void TfrmMain::RemoveTrayIcon() {
    if (!trayIconShown_) return;
    Shell_NotifyIconW(NIM_DELETE, &trayIcon_);
    trayIconShown_ = false;
}

int RunMainWindow(const std::wstring& startFolder, int showCommand) {
    TfrmMain main;
    if (!main.Create(startFolder, showCommand)) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace typorama::app
