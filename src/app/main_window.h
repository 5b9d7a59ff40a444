// The main window TfrmMain: the one window of the program, owner of the global
// font list, the status bar and the menus, and the place where the program's
// start-up and shut-down happen. This is what the rest of the program may use
// of the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/client_layout.h"
#include "catalog/font_list.h"
#include "catalog/system_locations.h"
#include "win/unique_handle.h"

namespace typorama::app {

// The panels of the status bar.
enum class StatusPanel : int { Message = 0, Size = 1, Filter = 2, TagCount = 3 };

class TfrmMain {
public:
    // The defaults of the window's normal position: centred 440 pixels wide,
    // 50 pixels from the top, 100 pixels shorter than the screen.
    static RECT DefaultBounds(int screenWidth, int screenHeight);
    // A stored position off the screen moves to 0 in that coordinate only.
    static RECT KeepOnScreen(RECT bounds, int screenWidth, int screenHeight);

    explicit TfrmMain(const catalog::SystemLocations& where = catalog::Locations());
    ~TfrmMain();
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // Creates the window and runs the start-up steps. `startFolder` (from the
    // command line) is opened when it names an existing folder; otherwise the
    // list shows the loaded fonts. The window is shown with `showCommand`
    // (SW_HIDE keeps it hidden, as tests want). False if no window came up.
    bool Create(const std::wstring& startFolder, int showCommand);

    HWND Handle() const { return window_; }
    catalog::TFontList& FontList() { return *fontList_; }
    bool StartingUp() const { return startingUp_; }

    // Whether destroying the window ends the message loop (the program's
    // window does; windows made by tests do not).
    bool QuitOnDestroy = true;
    // Minimising hides the window and shows the notification-area icon.
    bool MinimizeToTray = false;
    bool TrayIconShown() const { return trayIconShown_; }

    // Files deleted when the window closes (errors ignored).
    std::vector<std::wstring> TemporaryFiles;

    // The registered TYWM_FONTCHANGE message number.
    UINT FontChangeMessage() const { return fontChangeMessage_; }

    // The small font of each row's name line (Arial, 8 points).
    HFONT NameLineFont() const { return nameLineFont_.get(); }

    std::wstring StatusText(StatusPanel panel) const;
    void SetStatusText(StatusPanel panel, const std::wstring& text, bool repaint = true);

    // Places the controls of the client area; also returns where they went.
    ClientLayout LayoutClient();

    // True when no font is tagged, or when the user agrees to lose the tags.
    bool ConfirmDiscardTags();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void CreateMenus();
    void ConnectFontList();
    void ApplyBounds();
    void WriteBounds();
    int ShowCommandFor(int showCommand) const;
    void OpenStartSource(const std::wstring& startFolder, int showCommand);

    void OnCommand(int id);
    void OnClose();
    void OnDestroy();
    void OnSize(UINT state, int width, int height);
    void OnActivateInstance();
    void OnTrayNotify(UINT mouseMessage);
    void ShowTrayIcon();
    void RemoveTrayIcon();
    void RestoreFromTray();

    const catalog::SystemLocations& where_;
    HWND window_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND userString_ = nullptr;  // cbUserString: hidden until the sample strings exist
    HWND fontInfo_ = nullptr;    // txtFontInfo: hidden until the information pane exists
    std::unique_ptr<catalog::TFontList> fontList_;
    win::UniqueFont uiFont_;
    win::UniqueFont nameLineFont_;
    UINT fontChangeMessage_ = 0;
    NOTIFYICONDATAW trayIcon_{};
    bool trayIconShown_ = false;
    bool startingUp_ = false;
    bool settingsLoaded_ = false;  // settings are written at close only when they were read
    bool startMaximized_ = false;
    bool treeVisible_ = false;
    int splitterLeft_ = 150;
};

// The one font list of the program, owned by the main window; null while no
// main window exists.
catalog::TFontList* TheFontList();

// Creates the main window for `startFolder` and runs the message loop until it
// is closed; returns the exit code.
int RunMainWindow(const std::wstring& startFolder, int showCommand);

}  // namespace typorama::app
