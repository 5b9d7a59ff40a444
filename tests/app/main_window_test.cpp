// The real main window, created hidden, driven by the messages a user or
// another process would send it.
#include "app/main_window.h"
#include "app/main_window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/font_list_view.h"
#include "app/single_instance.h"
#include "app/tray_icon.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"
#include "support/process.h"
#include "support/scratch.h"
#include "ui/message_box.h"
#include "ui/resource.h"

namespace typorama::app {
namespace {

using test::PumpMessages;
using test::ScriptedAnswers;
using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;

// Each test reads and writes its settings under its own scratch key.
class MainWindowTest : public test::MainWindowFixture {
protected:
    MainWindowTest() : MainWindowFixture(L"main-window") {}
};

std::vector<UINT> MenuCommands(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            for (UINT id : MenuCommands(sub)) ids.push_back(id);
        } else {
            ids.push_back(GetMenuItemID(menu, i));
        }
    }
    return ids;
}

TEST_F(MainWindowTest, OpensTheCommandLineFolderWithMenusAndWelcome) {
    ScratchFolder folder(L"main-window-open");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyMainOpenA")));
    folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyMainOpenB")));
    EXPECT_EQ(TheFontList(), nullptr);
    {
        auto main = OpenHidden(folder.Path());
        ASSERT_TRUE(main);
        HWND window = main->Handle();
        wchar_t className[64]{};
        GetClassNameW(window, className, 64);
        EXPECT_STREQ(className, L"TTyporamaMainForm");
        EXPECT_FALSE(IsWindowVisible(window)) << "SW_HIDE keeps it hidden";
        EXPECT_FALSE(main->StartingUp());
        EXPECT_EQ(TheFontList(), &main->FontList()) << "the window owns the global list";
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder);
        ASSERT_EQ(main->FontList().Count(), 2);
        EXPECT_EQ(main->FontList()[0].Name, L"TyMainOpenA");
        EXPECT_EQ(main->StatusText(StatusPanel::Message), L"欢迎使用 Typorama ！");
        EXPECT_EQ(main->FontChangeMessage(), RegisterWindowMessageW(L"TYWM_FONTCHANGE"));
        EXPECT_NE(main->NameLineFont(), nullptr);

        wchar_t title[MAX_PATH]{};
        GetWindowTextW(window, title, MAX_PATH);
        EXPECT_EQ(std::wstring(title), L"Typorama - " + main->FontList().Folder()) << "the folder in the title";
        const std::vector<UINT> offered = MenuCommands(GetMenu(window));
        EXPECT_NE(std::find(offered.begin(), offered.end(), UINT{IDM_FONT_CLOSE}), offered.end());
        for (UINT id : offered) {
            if (id == 0) continue;  // a separator
            EXPECT_TRUE(main->Commands().Has(id)) << id << ": only commands whose features exist are offered";
        }

        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        RECT expected = TfrmMain::DefaultBounds(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        // The folder tree that a start-up folder shows widens the window.
        if (main->TreeVisible()) expected.right += TfrmMain::kSplitterWidth + main->SplitterLeft() - 1 + 2;
        EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &expected));
    }
    EXPECT_EQ(TheFontList(), nullptr) << "the global list goes with the window";
}

TEST_F(MainWindowTest, WithoutAnExistingFolderListsTheLoadedFonts) {
    for (const std::wstring& argument : {std::wstring(), std::wstring(L"C:\\no such folder\\at all"),
                                         test::ProgramFolder() + L"typorama_tests.exe"}) {
        auto main = OpenHidden(argument);
        ASSERT_TRUE(main) << argument;
        EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::System) << argument;
        EXPECT_GT(main->FontList().Count(), 0) << argument;
        for (int i = 0; i < main->FontList().Count(); ++i)
            ASSERT_NE(main->FontList()[i].Name, L"Marlett") << "system fonts are hidden by default";
    }
}

TEST_F(MainWindowTest, FontChangeMessageRefreshesTheListKeepingTags) {
    ScratchFolder folder(L"main-window-fontchange");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyMainChangeA")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 1);
    main->FontList()[0].Tagged = true;

    folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyMainChangeB")));
    SendMessageW(main->Handle(), RegisterWindowMessageW(L"TYWM_FONTCHANGE"), 0, 0);
    ASSERT_EQ(main->FontList().Count(), 2) << "the folder is read again";
    EXPECT_TRUE(main->FontList()[0].Tagged) << "tags survive the refresh";
    EXPECT_FALSE(main->FontList()[1].Tagged);

    // A dialog holds the window (and may hold its fonts): the list waits until it is free.
    folder.Write(L"c.ttf", BuildFont(FontSpec::Named(u"TyMainChangeC")));
    EnableWindow(main->Handle(), FALSE);
    SendMessageW(main->Handle(), RegisterWindowMessageW(L"TYWM_FONTCHANGE"), 0, 0);
    PumpMessages();
    EXPECT_EQ(main->FontList().Count(), 2);
    EnableWindow(main->Handle(), TRUE);
    PumpMessages();
    EXPECT_EQ(main->FontList().Count(), 3);
    main->FontList()[0].Tagged = false;  // let it close without asking
}

TEST_F(MainWindowTest, ClosingWithTaggedFontsAsksAndCancelKeepsItOpen) {
    ScratchFolder folder(L"main-window-close");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyMainCloseA")));
    const std::wstring temporary = folder.Write(L"temp.lst", {'x'});
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    main->TemporaryFiles.push_back(temporary);
    main->FontList()[0].Tagged = true;
    HWND window = main->Handle();
    {
        ScriptedAnswers cancel(IDCANCEL);
        SendMessageW(window, WM_COMMAND, IDM_FONT_CLOSE, 0);
        ASSERT_EQ(cancel.asked.size(), 1u);
        EXPECT_NE(cancel.asked[0].find(L"您已选定 1 字体。"), std::wstring::npos) << "the count of tagged fonts";
        EXPECT_TRUE(IsWindow(window)) << "Cancel keeps the program running";
        EXPECT_NE(GetFileAttributesW(temporary.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is cleaned up yet";
        EXPECT_FALSE(Settings().ValueExists(L"FormLeft")) << "Cancel writes no settings";
    }
    {
        ScriptedAnswers ok(IDOK);
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(ok.asked.size(), 1u);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(GetFileAttributesW(temporary.c_str()), INVALID_FILE_ATTRIBUTES) << "temporary files deleted";
    }
    {
        auto untagged = OpenHidden(folder.Path());
        ASSERT_TRUE(untagged);
        ScriptedAnswers never(IDCANCEL);
        window = untagged->Handle();
        SendMessageW(window, WM_COMMAND, IDM_FONT_CLOSE, 0);
        EXPECT_TRUE(never.asked.empty()) << "no tags, no question";
        EXPECT_FALSE(IsWindow(window));
    }
}

// Stands in for the notification area: counts the icons added and removed,
// and adds none while `refuse` is set (no notification area, Explorer gone).
struct FakeNotificationArea {
    int added = 0;
    int removed = 0;
    bool refuse = false;
    void Attach(TfrmMain& main) {
        main.Feature<TrayIcon>()->NotifyIcon = [this](DWORD message, NOTIFYICONDATAW& icon) {
            EXPECT_EQ(icon.uID, 1u);
            if (message == NIM_DELETE) ++removed;
            if (message != NIM_ADD) return true;
            if (!refuse) ++added;
            return !refuse;
        };
    }
};

TEST_F(MainWindowTest, ActivationAndTrayClicksRestoreTheWindow) {
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    HWND window = main->Handle();
    FakeNotificationArea tray;
    tray.Attach(*main);

    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(window));
    SendMessageW(window, kActivateMessage, 0, 0);
    EXPECT_FALSE(IsIconic(window)) << "the activation message restores a minimised window";
    EXPECT_TRUE(IsWindowVisible(window));

    main->Settings().minimizeToTray = true;
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(window)) << "minimised to the tray, the window hides";
    SendMessageW(window, kTrayMessage, 1, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(window)) << "moving over the icon does nothing";
    SendMessageW(window, kTrayMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window)) << "a click on the icon brings it back";
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(main->Feature<TrayIcon>()->Shown());

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, kActivateMessage, 0, 0);
    EXPECT_TRUE(IsWindowVisible(window)) << "a second start brings it back from the tray";
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(main->Feature<TrayIcon>()->Shown());
    EXPECT_EQ(tray.added, 2);
    EXPECT_EQ(tray.removed, 2);
}

TEST_F(MainWindowTest, TheTrayIconIsNeverTheOnlyWayBack) {
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    HWND window = main->Handle();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    FakeNotificationArea tray;
    tray.Attach(*main);
    main->Settings().minimizeToTray = true;
    ASSERT_EQ(main->Feature<TrayIcon>()->TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));

    tray.refuse = true;
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window)) << "without an icon the window stays on the taskbar";
    EXPECT_FALSE(main->Feature<TrayIcon>()->Shown());
    SendMessageW(window, kActivateMessage, 0, 0);
    ASSERT_FALSE(IsIconic(window));

    tray.refuse = false;
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(window));
    ASSERT_EQ(tray.added, 1);
    SendMessageW(window, main->Feature<TrayIcon>()->TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(tray.added, 2) << "Explorer started again: the icon is added anew";
    EXPECT_TRUE(main->Feature<TrayIcon>()->Shown());
    EXPECT_FALSE(IsWindowVisible(window));

    tray.refuse = true;
    SendMessageW(window, main->Feature<TrayIcon>()->TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(main->Feature<TrayIcon>()->Shown());
    EXPECT_TRUE(IsWindowVisible(window)) << "the icon could not come back: the taskbar button does";
    EXPECT_TRUE(IsIconic(window));
}

TEST_F(MainWindowTest, WindowBoundsComeFromAndGoToTheSettings) {
    {
        auto reg = Settings();
        reg.WriteInteger(L"FormLeft", -5);
        reg.WriteInteger(L"FormTop", GetSystemMetrics(SM_CYSCREEN) + 10);
        reg.WriteInteger(L"FormWidth", 500);
        reg.WriteInteger(L"FormHeight", 400);
    }
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    HWND window = main->Handle();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    const RECT expected{0, 0, 500, 400};
    EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &expected))
        << "off-screen edges move to 0; size kept: " << placement.rcNormalPosition.left << ","
        << placement.rcNormalPosition.top << "," << placement.rcNormalPosition.right << ","
        << placement.rcNormalPosition.bottom;

    SetWindowPos(window, nullptr, 30, 40, 600, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(window));
    auto reg = Settings();
    EXPECT_EQ(reg.ReadIntegerDef(L"FormLeft", -1, settings::kAnyInteger), 30);
    EXPECT_EQ(reg.ReadIntegerDef(L"FormTop", -1, settings::kAnyInteger), 40);
    EXPECT_EQ(reg.ReadIntegerDef(L"FormWidth", -1, settings::kAnyInteger), 600);
    EXPECT_EQ(reg.ReadIntegerDef(L"FormHeight", -1, settings::kAnyInteger), 300);
    EXPECT_TRUE(reg.ValueExists(L"Maximized"));
    EXPECT_FALSE(reg.ReadBoolDef(L"Maximized", true));
}

LONG FontHeight(HFONT font) {
    LOGFONTW description{};
    return GetObjectW(font, sizeof description, &description) ? description.lfHeight : 0;
}

std::vector<HWND> ControlsWithFont(HWND window, HFONT font) {
    struct Search {
        HFONT font;
        std::vector<HWND> found;
    } search{font, {}};
    EnumChildWindows(
        window,
        [](HWND control, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == s->font)
                s->found.push_back(control);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(MainWindowTest, AnotherMonitorsResolutionRescalesFontsRowsAndTheWindow) {
    auto main = OpenHidden(L"");
    ASSERT_TRUE(main);
    const HWND window = main->Handle();
    ASSERT_EQ(main->Dpi(), 96u) << "the tests run at 96 dpi";
    auto rowHeight = [&] { return static_cast<int>(SendMessageW(main->ListBox().Hwnd(), LB_GETITEMHEIGHT, 0, 0)); };
    auto height = [](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return r.bottom - r.top;
    };
    ASSERT_EQ(rowHeight(), 46);
    const HFONT oldUiFont = main->UiFont();
    const int paneHeight = height(main->FontInfoPane());

    RECT suggested{100, 80, 100 + 900, 80 + 700};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(main->Dpi(), 192u);
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << "the window takes the system's rectangle";
    EXPECT_EQ(FontHeight(main->NameLineFont()), -MulDiv(8, 192, 72)) << "8 points at 192 dpi";
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 192));
    EXPECT_EQ(FontHeight(main->UiFont()), metrics.lfMessageFont.lfHeight) << "the message font at 192 dpi";
    EXPECT_TRUE(ControlsWithFont(window, oldUiFont).empty()) << "no control keeps the old font";
    EXPECT_EQ(main->ListBox().Font(), main->UiFont()) << "the list keeps its font";
    EXPECT_EQ(rowHeight(), 92) << "sample and name line twice as high";
    EXPECT_GT(height(main->FontInfoPane()), paneHeight) << "8 lines of the larger font";
    EXPECT_EQ(main->SplitterLeft(), 300);

    main->Feature<app::FontListView>()->SetFontSize(200);
    EXPECT_EQ(rowHeight(), 420) << "(200 + 10) pixels at 192 dpi, beyond a list box's 255";

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    main->Feature<app::FontListView>()->SetFontSize(36);
    EXPECT_EQ(rowHeight(), 46);
    EXPECT_EQ(height(main->FontInfoPane()), paneHeight);
}

TEST(MainWindowBoundsTest, DefaultsAndOffScreenCorrection) {
    const RECT defaults = TfrmMain::DefaultBounds(1024, 768);
    const RECT expected{292, 50, 732, 718};
    EXPECT_TRUE(EqualRect(&defaults, &expected)) << "440 wide, centred, 50 from the top, 100 shorter than the screen";
    const RECT kept = TfrmMain::KeepOnScreen(RECT{1100, -3, 1540, 500}, 1024, 768);
    const RECT moved{0, 0, 440, 503};
    EXPECT_TRUE(EqualRect(&kept, &moved));
}

TEST_F(MainWindowTest, SecondStartWithAFolderOnlyActivatesTheFirst) {
    ScratchFolder mine(L"main-window-first");
    mine.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyMainFirstA")));
    ScratchFolder other(L"main-window-second");
    other.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyMainSecondB")));
    auto main = OpenHidden(mine.Path());
    ASSERT_TRUE(main);
    HWND window = main->Handle();
    // Tests running beside this one open main windows too; a second start
    // that found one of theirs is tried again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        ShowWindow(window, SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(test::OnlyMainWindow(window));
        const auto second = test::RunProcess(test::QuoteArgument(test::ProgramFolder() + L"" TYPORAMA_GUI_EXE) +
                                             L" " + test::QuoteArgument(other.Path()));
        EXPECT_EQ(second.exitCode, 0);
        PumpMessages();
        if (!IsIconic(window)) break;
    }
    EXPECT_FALSE(IsIconic(window)) << "the first instance came forward";
    EXPECT_EQ(FindWindowExW(nullptr, window, kMainWindowClass, nullptr), nullptr) << "no second main window";
    EXPECT_EQ(main->FontList().Folder(), mine.Path()) << "the first keeps its list";
    ASSERT_EQ(main->FontList().Count(), 1);
    EXPECT_EQ(main->FontList()[0].Name, L"TyMainFirstA");
}

}  // namespace
}  // namespace typorama::app

namespace typorama::app {
namespace {

// The window cannot be made so small that the list, the tree and the status
// bar stop being usable; after a resize the client area is laid out again
// once the menu bar has settled, with nothing left blank.
TEST(StartTurnTest, AStartWaitsUntilTheOneBeforeHasItsWindow) {
    const std::wstring name = L"Local\\Typorama.Test.StartTurn." + std::to_wstring(GetCurrentProcessId());
    StartTurn first(name.c_str(), 0);
    std::atomic<bool> next{false};
    std::thread start([&] {
        StartTurn turn(name.c_str(), 10000);
        next = true;
    });
    Sleep(300);
    EXPECT_FALSE(next) << "the turn is held";
    first.End();
    start.join();
    EXPECT_TRUE(next);
}

TEST_F(MainWindowTest, HasAMinimumSizeAndLaysOutAgainAfterAResize) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    MINMAXINFO limits{};
    SendMessageW(main->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_GE(limits.ptMinTrackSize.x, main->ScaleToDpi(440));
    EXPECT_GE(limits.ptMinTrackSize.y, main->ScaleToDpi(300));

    ShowWindow(main->Handle(), SW_SHOW);
    SetWindowPos(main->Handle(), nullptr, 0, 0, 450, 400, SWP_NOZORDER);
    test::PumpMessages();
    ShowWindow(main->Handle(), SW_MAXIMIZE);
    test::PumpMessages();
    RECT client{}, list{}, status{};
    GetClientRect(main->Handle(), &client);
    GetWindowRect(main->ListBox().Hwnd(), &list);
    GetWindowRect(main->StatusBar(), &status);
    MapWindowPoints(nullptr, main->Handle(), reinterpret_cast<POINT*>(&list), 2);
    MapWindowPoints(nullptr, main->Handle(), reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_NEAR(list.bottom, status.top, 2) << "the list reaches the status bar, no band in between";
    EXPECT_NEAR(list.right, client.right, 2);
    CloseUntagged(main);
}

}  // namespace
}  // namespace typorama::app
