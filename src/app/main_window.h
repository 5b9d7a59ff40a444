// The main window TfrmMain: the one window of the program, owner of the global
// font list, the status bar and the menus, and the place where the program's
// start-up and shut-down happen. It hosts the window's features (features.cpp):
// they register their commands, handlers and settings with it and find each
// other through Feature<T>(). This is what the rest of the program may use of
// the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <commctrl.h>

#include "app/client_layout.h"
#include "app/commands.h"
#include "app/feature.h"
#include "app/main_settings.h"
#include "app/menu_bar.h"
#include "catalog/font_list.h"
#include "catalog/system_locations.h"
#include "app/single_instance.h"
#include "settings/setting_values.h"
#include "ui/virtual_list_box.h"
#include "ui/window_base.h"
#include "win/busy_cursor.h"
#include "win/unique_handle.h"

namespace typorama::app {

// Something the main window announces; features of the window attach to it.
template <typename... Args>
class Event {
public:
    void operator+=(std::function<void(Args...)> handler) { handlers_.push_back(std::move(handler)); }
    void operator()(Args... args) const {
        for (const auto& handler : handlers_) handler(args...);
    }

private:
    std::vector<std::function<void(Args...)>> handlers_;
};

// A message handler a feature adds to the main window: true when it answered
// the message (with `result`).
using MessageHandler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

// The panels of the status bar.
enum class StatusPanel : int { Message = 0, Size = 1, Filter = 2, TagCount = 3 };

// What RequireFonts asks for.
enum class FontNeed : int { Current = 0, Tagged = 1, TaggedOrCurrent = 2 };

// A part of the settings root kept by a feature: read once at start, before
// SettingsApplied, and written at close, in the order the parts were added.
struct SettingsPart {
    std::function<void(const settings::TRegistryEx& reg)> read;
    std::function<void(settings::TRegistryEx& reg, settings::WriteOutcome& outcome)> write;
};

class TfrmMain : public ui::Window<TfrmMain> {
public:
    // The window class; FindWindow finds the running program by it.
    static constexpr const wchar_t* kClassName = kMainWindowClass;
    static void DescribeClass(WNDCLASSEXW& wc);

    // The defaults of the window's normal position: centred 440 pixels wide,
    // 50 pixels from the top, 100 pixels shorter than the screen.
    static RECT DefaultBounds(int screenWidth, int screenHeight);
    // A stored position off the screen moves to 0 in that coordinate only.
    static RECT KeepOnScreen(RECT bounds, int screenWidth, int screenHeight);

    explicit TfrmMain(const catalog::SystemLocations& where = catalog::Locations());
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // Creates the window and runs the start-up steps. `startFolder` (from the
    // command line) is opened when it names an existing folder; otherwise the
    // list shows the loaded fonts. The window is shown with `showCommand`
    // (SW_HIDE keeps it hidden, as tests want). `arguments`, the command
    // line's, go to OpenStartArguments when `startFolder` is no folder.
    // False if no window came up.
    bool Create(const std::wstring& startFolder, int showCommand, const std::vector<std::wstring>& arguments = {});

    HWND Handle() const { return window_; }
    catalog::TFontList& FontList() { return *fontList_; }
    bool StartingUp() const { return startingUp_; }
    // False until the settings have been read completely.
    bool SettingsLoaded() const { return settingsLoaded_; }

    // Whether destroying the window ends the message loop (the program's
    // window does; windows made by tests do not).
    bool QuitOnDestroy = true;
    // Shows the window again, restored and in front (from the tray or the taskbar).
    void Restore();

    // The resolution the window is drawn for (WM_DPICHANGED changes it), and
    // a size given in pixels at 96 dpi at that resolution.
    UINT Dpi() const { return dpi_; }
    int ScaleToDpi(int pixels) const;

    // The settings of the main window (read at start, written at close).
    MainSettings& Settings() { return settings_; }
    const MainSettings& Settings() const { return settings_; }
    // What a feature keeps in the settings root: plain values of Settings()
    // declared once in a table, or a part of its own (lists, subkeys).
    void AddSettings(std::span<const settings::ValueSetting<MainSettings>> values);
    void AddSettings(SettingsPart part) { settingsParts_.push_back(std::move(part)); }
    // The five colours in force; ApplyDisplayColors computes them anew and
    // repaints the list.
    const DisplayColors& Colors() const { return colors_; }
    void ApplyDisplayColors();
    // Where the system keeps fonts and their registrations.
    const catalog::SystemLocations& Where() const { return where_; }
    // The folder of the program file, with a trailing backslash.
    const std::wstring& ProgramFolder() const { return programFolder_; }

    // The commands of the menus, the button bar and the shortcuts.
    CommandTable& Commands() { return commands_; }
    // Runs a command as the menu would (nothing when it is disabled).
    bool RunCommand(UINT id);
    // Builds the menu bar and the shortcuts again from the registered commands.
    void RebuildMenus();
    // Shows a pop-up menu of `nodes` at a screen point and runs the chosen
    // command.
    void TrackPopup(const std::vector<MenuNode>& nodes, POINT screenPoint);
    HACCEL Accelerators() const { return accelerators_.get(); }

    // The font list control lbFontList and the current row (-1 = none).
    ui::ThVirtualListBox& ListBox() { return *listBox_; }
    int CurrentIndex() const;
    catalog::TFontListItem* CurrentFont();
    // The list shows a folder or the results of a search on disk.
    bool IsFolderSource() const;
    // The 16x16 image strip shared by the button bar, the rows and the status bar.
    HIMAGELIST Images() const { return images_.get(); }
    HWND StatusBar() const { return statusBar_; }
    HWND UserStringBox() const { return userString_; }
    HWND FontInfoPane() const { return fontInfo_; }

    // Every command ends with these.
    void UpdateCommandStates();
    void UpdateStatusPanels();
    void UpdateTitle();
    // Checks that the command has the fonts it needs; shows the error otherwise.
    bool RequireFonts(FontNeed need);

    // At least one tagged font, or else a current font.
    bool FontCommandsAllowed() const;
    // The list has at least one row.
    bool HasRows() const { return fontList_ && fontList_->Count() > 0; }

    // The features (see features.cpp) are owned by the window; a feature finds
    // another by its type (null when it is not in the list).
    void AddFeature(std::unique_ptr<WindowFeature> feature) { features_.push_back(std::move(feature)); }
    template <typename F>
    F* Feature() const {
        for (const auto& feature : features_)
            if (auto* found = dynamic_cast<F*>(feature.get())) return found;
        return nullptr;
    }

    // What features attach to.
    void AddMessageHandler(MessageHandler handler) { messageHandlers_.push_back(std::move(handler)); }
    // A shortcut that is not in the menus (it sends WM_COMMAND `command`).
    void AddShortcut(ACCEL shortcut) { extraShortcuts_.push_back(shortcut); }
    // A bar docked at the top of the client area (the button bar); the
    // client panel is laid out below the visible ones.
    void AddTopBar(HWND bar) { topBars_.push_back(bar); }
    // Modeless windows whose keyboard navigation the message loop serves.
    void AddModeless(HWND window);
    void RemoveModeless(HWND window);
    // Accelerators and dialog keys of the message loop; true when taken.
    bool PreTranslate(MSG& message);

    Event<> CommandStatesChanged;  // UpdateCommandStates: refresh buttons and the like
    Event<> FontListRebuilt;       // after every rebuild of the list, after the window's own refresh
    Event<> ColorsChanged;         // ApplyDisplayColors
    // Every part of the settings has been read (once, at start, before the
    // menus are built and the first source opens).
    Event<> SettingsApplied;
    // The window moved to a screen of another resolution; the new fonts are
    // in place, the controls not laid out yet.
    Event<> DpiChanged;
    // After a selection change of the list has been shown: the current font changed.
    Event<> CurrentFontChanged;
    // At close, after the main values are written: features write theirs and
    // note failures, which are reported once with the rest.
    Event<settings::WriteOutcome&> SettingsWriting;
    Event<> Closing;               // the close was accepted, before the window goes
    Event<> Destroying;            // WM_DESTROY
    // Another start of the program brings the minimised window back.
    Event<> Restoring;
    Event<const ClientLayout&> ClientLaidOut;
    // The start-up folder was opened (the folder tree shows itself then).
    Event<> StartFolderOpened;
    // The folder the settings choose to open at start when the command line
    // names none (empty: the loaded fonts).
    std::function<std::wstring()> StartupFolder;
    // Opens the start-up source from the command line's arguments when they
    // name no folder (font files); true when it did, else the settings choose.
    std::function<bool(const std::vector<std::wstring>& arguments)> OpenStartArguments;
    // Names the list of files in the title when the feature that showed them
    // knows what they are; empty (or unset): search results.
    std::function<std::wstring()> FileListTitle;
    // Replaces the plain refresh of the list on TYWM_FONTCHANGE.
    std::function<void()> OnFontChangeMessage;
    // The beep of a search that finds nothing or wraps around and of a click
    // that has nothing to do; the system's beep unless replaced (tests count it).
    std::function<void()> Beep = [] { MessageBeep(MB_OK); };

    // Whether the folder tree shows, and the splitter position.
    bool TreeVisible() const { return treeVisible_; }
    void SetTreeVisible(bool visible) { treeVisible_ = visible; }
    int SplitterLeft() const { return splitterLeft_; }
    void SetSplitterLeft(int left) { splitterLeft_ = left; }
    static constexpr int kSplitterWidth = 3;

    // Files deleted when the window closes (errors ignored).
    std::vector<std::wstring> TemporaryFiles;

    // The registered TYWM_FONTCHANGE message number.
    UINT FontChangeMessage() const { return fontChangeMessage_; }

    // The small font of each row's name line (Arial, 8 points), and the font
    // of the controls (the system's message font); both follow the DPI.
    HFONT NameLineFont() const { return nameLineFont_.get(); }
    HFONT UiFont() const { return uiFont_.get(); }

    // The four texts of the status bar; setting one repaints the bar (at once
    // with `repaint`, else with the next paint).
    std::wstring StatusText(StatusPanel panel) const;
    void SetStatusText(StatusPanel panel, const std::wstring& text, bool repaint = true);

    // Places the controls of the client area; also returns where they went.
    ClientLayout LayoutClient();

    // True when no font is tagged, or when the user agrees to lose the tags.
    bool ConfirmDiscardTags();
    // How the window is shown at start: `showCommand`, or maximised as it was left.
    int ShowCommandFor(int showCommand) const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    void ConnectFontList();
    void ApplyViewSettings();
    void ReadSettings();
    void WriteSettings(bool reportFailure);
    void ApplyBounds(const settings::TRegistryEx& reg);
    settings::WriteOutcome WriteBounds(settings::TRegistryEx& reg);
    void OpenStartSource(const std::wstring& startFolder, int showCommand);

    void OnClose();
    bool OnQueryEndSession(LPARAM reason);
    void OnEndSession(bool ending, LPARAM reason);
    void ShutDown(bool reportFailure);
    void OnDestroy();
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void SizeFontInfoPane();
    void OnSize(UINT state, int width, int height);
    void OnActivateInstance();

    const catalog::SystemLocations& where_;
    std::unique_ptr<ui::ThVirtualListBox> listBox_;
    win::UniqueImageList images_;
    CommandTable commands_;
    MenuBar menuBar_;
    MenuBar popupMenu_;  // the pop-up menu open at the moment
    win::UniqueAccel accelerators_;
    MainSettings settings_;
    DisplayColors colors_{};
    std::wstring programFolder_;
    std::wstring programPath_;
    std::vector<SettingsPart> settingsParts_;
    std::vector<MessageHandler> messageHandlers_;
    std::vector<ACCEL> extraShortcuts_;
    std::vector<HWND> topBars_;
    std::vector<HWND> modeless_;
    std::wstring statusTexts_[4];
    HWND statusBar_ = nullptr;
    HWND userString_ = nullptr;  // cbUserString: hidden until the sample strings exist
    HWND fontInfo_ = nullptr;    // txtFontInfo: hidden until the information pane exists
    std::unique_ptr<catalog::TFontList> fontList_;
    std::unique_ptr<win::BusyCursor> updateCursor_;  // while the list changes
    win::UniqueFont uiFont_;
    win::UniqueFont nameLineFont_;
    UINT fontChangeMessage_ = 0;
    bool fontChangeWaits_ = false;  // the fonts changed while the window was disabled
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool startingUp_ = false;
    bool settingsLoaded_ = false;  // settings are written at close only when they were read
    bool shutDown_ = false;        // settings written and files cleaned up (close or end of session)
    bool startMaximized_ = false;
    RECT startBounds_{};
    bool treeVisible_ = false;
    int splitterLeft_ = 150;
    // Last, so that the features go before the parts of the window they use.
    std::vector<std::unique_ptr<WindowFeature>> features_;
};

// The one font list of the program, owned by the main window; null while no
// main window exists.
catalog::TFontList* TheFontList();

// Serves this thread's messages, the main window's keys first, until WM_QUIT;
// returns the exit code it carries.
int RunMessageLoop(TfrmMain& main);

// Creates the main window for `startFolder` (or the other `arguments` of the
// command line) and runs the message loop until it is closed; returns the exit
// code. `created` is called once the window exists (or could not be made).
int RunMainWindow(const std::wstring& startFolder, int showCommand, const std::vector<std::wstring>& arguments = {},
                  const std::function<void()>& created = {});

}  // namespace typorama::app
