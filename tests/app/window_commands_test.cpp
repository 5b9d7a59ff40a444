// The main window's own commands on the real window, created hidden with a
// scratch settings root: the button bar, about, web pages, help, and the
// export of the settings.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/button_bar.h"
#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "app/web_pages.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/ui_language.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "ui/shell_open.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

using test::ScriptedAnswers;
using test::ScratchFolder;

// Records what the shell would open, and succeeds or fails as told.
class RecordedShell {
public:
    explicit RecordedShell(bool succeed) {
        ui::SetShellOpener([this, succeed](HWND, const std::wstring& target) {
            opened.push_back(target);
            return succeed;
        });
    }
    ~RecordedShell() { ui::SetShellOpener({}); }
    std::vector<std::wstring> opened;
};

class WindowCommandsTest : public test::MainWindowFixture {
protected:
    WindowCommandsTest() : MainWindowFixture(L"window-commands") {}
};

// The shown buttons among `ids`, in the bar's order (other features'
// buttons and the separators left out).
std::vector<int> ShownAmong(HWND bar, std::initializer_list<int> ids);

std::vector<int> ShownButtons(HWND bar) {
    std::vector<int> ids;
    const auto count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        ids.push_back((b.fsStyle & BTNS_SEP) ? 0 : b.idCommand);
    }
    return ids;
}

bool Visible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string ReadFileBytes(const std::wstring& path) {
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::vector<int> ShownAmong(HWND bar, std::initializer_list<int> ids) {
    std::vector<int> among;
    for (int id : ShownButtons(bar))
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) among.push_back(id);
    return among;
}

TEST_F(WindowCommandsTest, ButtonBarShowsRegisteredCommandsAndFollowsTheirStates) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    const HWND bar = main->Feature<ButtonBar>()->Hwnd();
    ASSERT_TRUE(bar);
    for (int id : ShownButtons(bar))
        EXPECT_TRUE(id == 0 || id == IDM_VIEW_FONT_SIZE || main->Commands().Has(id)) << id;

    bool deleteEnabled = false;
    bool checkBoxes = true;
    int customSizeAsked = 0;
    main->Commands().Add(IDM_FONT_DELETE, {[] {}, [&] { return deleteEnabled; }, {}});
    main->Commands().Add(IDM_VIEW_CHECKBOXES, {[&] { checkBoxes = !checkBoxes; }, {}, [&] { return checkBoxes; }});
    main->Commands().Add(IDM_VIEW_FONT_SIZE_CUSTOM, {[&] { ++customSizeAsked; }, {}, {}});
    main->UpdateCommandStates();

    EXPECT_TRUE(Visible(bar));
    EXPECT_EQ(ShownAmong(bar, {IDM_FONT_DELETE, IDM_VIEW_FONT_SIZE, IDM_VIEW_CHECKBOXES}),
              (std::vector<int>{IDM_FONT_DELETE, IDM_VIEW_FONT_SIZE, IDM_VIEW_CHECKBOXES}))
        << "buttons come with their commands, in the bar's order";
    auto state = [&](int id) { return static_cast<BYTE>(SendMessageW(bar, TB_GETSTATE, id, 0)); };
    EXPECT_FALSE(state(IDM_FONT_DELETE) & TBSTATE_ENABLED);
    EXPECT_TRUE(state(IDM_VIEW_CHECKBOXES) & TBSTATE_CHECKED) << "a toggle that is on shows down";

    wchar_t text[16]{};
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = text;
    info.cchText = 16;
    SendMessageW(bar, TB_GETBUTTONINFOW, IDM_VIEW_FONT_SIZE, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"36") << "the size button shows the sample size";

    // A click on a button is the command; the states follow at once.
    deleteEnabled = true;
    SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(IDM_VIEW_CHECKBOXES, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
    EXPECT_FALSE(checkBoxes);
    EXPECT_FALSE(state(IDM_VIEW_CHECKBOXES) & TBSTATE_CHECKED);
    EXPECT_TRUE(state(IDM_FONT_DELETE) & TBSTATE_ENABLED);
    SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(IDM_VIEW_FONT_SIZE, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(customSizeAsked, 1) << "a click on the size button asks for a size";

    // The tip is the command's caption without its mnemonic.
    wchar_t tip[80]{};
    NMTBGETINFOTIPW getTip{};
    getTip.hdr = {bar, static_cast<UINT_PTR>(IDC_MAIN_TOOLBAR), static_cast<UINT>(TBN_GETINFOTIPW)};
    getTip.pszText = tip;
    getTip.cchTextMax = 80;
    getTip.iItem = IDM_VIEW_CHECKBOXES;
    SendMessageW(main->Handle(), WM_NOTIFY, IDC_MAIN_TOOLBAR, reinterpret_cast<LPARAM>(&getTip));
    EXPECT_STREQ(tip, L"复选框");

    // The client is laid out below the bar.
    RECT barRect{}, listRect{};
    GetWindowRect(bar, &barRect);
    GetWindowRect(main->ListBox().Hwnd(), &listRect);
    EXPECT_GE(listRect.top, barRect.bottom) << "the list starts below the button bar";
}

TEST_F(WindowCommandsTest, ButtonBarLayoutIsSavedAtCloseAndRestoredAtStart) {
    auto registerSome = [](TfrmMain& main) {
        for (UINT id : {IDM_FONT_PRINT, IDM_FONT_DELETE, IDM_VIEW_CHARMAP})
            main.Commands().Add(id, {[] {}, {}, {}});
        main.UpdateCommandStates();
    };
    {
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        registerSome(*main);
        const HWND bar = main->Feature<ButtonBar>()->Hwnd();
        ASSERT_EQ(ShownAmong(bar, {IDM_FONT_PRINT, IDM_FONT_DELETE, IDM_VIEW_CHARMAP}),
                  (std::vector<int>{IDM_VIEW_CHARMAP, IDM_FONT_PRINT, IDM_FONT_DELETE}));
        // The user moves "delete" to the front in the customise dialog.
        SendMessageW(bar, TB_MOVEBUTTON, SendMessageW(bar, TB_COMMANDTOINDEX, IDM_FONT_DELETE, 0), 0);
        NMHDR changed{bar, static_cast<UINT_PTR>(IDC_MAIN_TOOLBAR), static_cast<UINT>(TBN_TOOLBARCHANGE)};
        SendMessageW(main->Handle(), WM_NOTIFY, IDC_MAIN_TOOLBAR, reinterpret_cast<LPARAM>(&changed));
        SendMessageW(main->Handle(), WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(bar));
    }
    settings::TRegistryEx reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ButtonBar::kSettingsKey)) << "the layout is kept in the Toolbar subkey";
    EXPECT_EQ(reg.ReadStringDef(L"0", L""), std::to_wstring(IDM_FONT_DELETE));
    const int saved = reg.ReadIntegerDef(L"Count", 0, settings::kAnyInteger);
    reg.CloseKey();
    settingsKey_.SetString(L"Toolbar", std::to_wstring(saved), L"not a button");
    ASSERT_TRUE(reg.OpenKey(L"Toolbar", false));
    reg.WriteInteger(L"Count", saved + 1);
    reg.CloseKey();
    {
        auto main = OpenHidden();
        ASSERT_TRUE(main);
        registerSome(*main);
        EXPECT_EQ(ShownAmong(main->Feature<ButtonBar>()->Hwnd(), {IDM_FONT_PRINT, IDM_FONT_DELETE, IDM_VIEW_CHARMAP}),
                  (std::vector<int>{IDM_FONT_DELETE, IDM_VIEW_CHARMAP, IDM_FONT_PRINT}))
            << "the stored order comes back; an unknown entry is ignored";
    }
}

TEST_F(WindowCommandsTest, AboutWindowHasThePicturesSizeAndClosesOnAKey) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->Commands().Has(IDM_HELP_ABOUT));
    int shown = 0;
    RECT bounds{};
    std::wstring version, link;
    bool stillOpenAfterLinkClick = false;
    RecordedShell shell(true);
    ui::SetModalHook([&](ui::Dialog& dialog) {
        ++shown;
        GetWindowRect(dialog.Handle(), &bounds);
        wchar_t text[64]{};
        GetWindowTextW(dialog.Item(IDC_ABOUT_VERSION), text, 64);
        version = text;
        GetWindowTextW(dialog.Item(IDC_ABOUT_URL), text, 64);
        link = text;
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_ABOUT_URL, STN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_ABOUT_URL)));
        stillOpenAfterLinkClick = IsWindow(dialog.Handle()) != FALSE;
        // A key (Wine's dialog loop without a display never sees posted
        // input, so the key is handed to the window directly).
        SendMessageW(dialog.Handle(), WM_KEYDOWN, 'Q', 0);
    });
    main->RunCommand(IDM_HELP_ABOUT);
    ui::SetModalHook({});
    ASSERT_EQ(shown, 1);
    EXPECT_EQ(version, L"Version 1.2.2 ");
    EXPECT_TRUE(link.empty()) << "lblURL has no caption";
    EXPECT_EQ(shell.opened, (std::vector<std::wstring>{HomepageUrl()})) << "lblURL opens the homepage";
    EXPECT_TRUE(stillOpenAfterLinkClick);
    HBITMAP picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), L"BMP_ABOUT", IMAGE_BITMAP, 0, 0, 0));
    ASSERT_TRUE(picture);
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    DeleteObject(picture);
    EXPECT_EQ(bounds.right - bounds.left, info.bmWidth + 2) << "the picture plus one pixel each side";
    EXPECT_EQ(bounds.bottom - bounds.top, info.bmHeight + 2);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_LE(std::abs((bounds.left + bounds.right) / 2 - screenWidth / 2), 2) << "centred on the screen";

    // A click on the picture closes it too.
    ui::SetModalHook([&](ui::Dialog& dialog) {
        ++shown;
        SendMessageW(dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    });
    main->RunCommand(IDM_HELP_ABOUT);
    EXPECT_EQ(shown, 2);
}

TEST_F(WindowCommandsTest, WebPagesOpenOrGoToTheClipboardWithAMessage) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    const std::wstring update = CheckUpdateUrl();
    for (const wchar_t* key : {L"prodid=", L"&major=1", L"&minor=2", L"&build=2", L"&beta=0"})
        EXPECT_NE(update.find(key), std::wstring::npos) << key;
    EXPECT_EQ(update.rfind(HomepageUrl(), 0), 0u) << "one site";
    {
        RecordedShell shell(true);
        ScriptedAnswers answers(IDOK);
        main->RunCommand(IDM_HELP_HOMEPAGE);
        main->RunCommand(IDM_HELP_CHECK_UPDATE);
        EXPECT_EQ(shell.opened, (std::vector<std::wstring>{HomepageUrl(), update}));
        EXPECT_TRUE(answers.asked.empty());
    }
    {
        RecordedShell shell(false);
        ScriptedAnswers answers(IDOK);
        main->RunCommand(IDM_HELP_CHECK_UPDATE);
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0], L"不能打开 URL:\r\n\r\n" + update +
                                        L"\r\n\r\nTyporama 已复制 URL 到剪贴板，这样您可尝试通过把它粘贴到您的 Web "
                                        L"浏览器来手动打开它。");
        EXPECT_EQ(ClipboardText(), update) << "the address is on the clipboard";
    }
}

TEST_F(WindowCommandsTest, HelpPagesResolveAndAMissingPageIsReported) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    EXPECT_EQ(ui::HelpFolder(), test::ProgramFolder() + L"help\\") << "help beside the program";
    for (const wchar_t* page : {L"help\\zh-CN\\index.html", L"help\\en\\index.html", L"help\\en\\style.css"})
        EXPECT_NE(GetFileAttributesW((test::ProgramFolder() + page).c_str()), INVALID_FILE_ATTRIBUTES)
            << "the build installs the help pages of both languages";
    {
        RecordedShell shell(true);
        ScriptedAnswers answers(IDOK);
        main->RunCommand(IDM_HELP_CONTENTS);
        EXPECT_EQ(shell.opened, (std::vector<std::wstring>{test::ProgramFolder() + L"help\\zh-CN\\index.html"}));
        EXPECT_TRUE(answers.asked.empty());
    }

    ScratchFolder root(L"window-help");
    root.Write(L"zh-CN\\5000.html", {'x'});
    root.Write(L"zh-CN\\Customize_Toolbar.html", {'x'});
    root.Write(L"zh-CN\\index.html", {'x'});
    root.Write(L"en\\5000.html", {'x'});
    ui::SetHelpFolder(root.Path().substr(0, root.Path().size() - 1));  // the backslash is added
    {
        // English pages where there are, the Chinese ones where not.
        ui::SetUiLanguage(UiLanguage::English);
        EXPECT_EQ(ui::HelpContextFile(5000), root.Path() + L"en\\5000.html");
        EXPECT_EQ(ui::HelpContentsFile(), root.Path() + L"zh-CN\\index.html");
        EXPECT_EQ(ui::HelpContextFile(5001), root.Path() + L"en\\5001.html") << "missing in both: the English name";
        ui::SetUiLanguage(UiLanguage::Chinese);
    }
    const std::wstring folder = root.Path() + L"zh-CN\\";
    EXPECT_EQ(ui::HelpContextFile(5000), folder + L"5000.html");
    EXPECT_EQ(ui::HelpTopicFile(L"Customize_Toolbar"), folder + L"Customize_Toolbar.html");
    EXPECT_EQ(ui::HelpContentsFile(), folder + L"index.html");
    {
        RecordedShell shell(true);
        ScriptedAnswers answers(IDOK);
        EXPECT_TRUE(ui::ShowHelpContext(nullptr, 5000));
        EXPECT_TRUE(ui::ShowHelpTopic(nullptr, L"Customize_Toolbar"));
        EXPECT_FALSE(ui::ShowHelpContext(nullptr, 0)) << "context 0 asks for nothing";
        EXPECT_EQ(shell.opened, (std::vector<std::wstring>{folder + L"5000.html",
                                                           folder + L"Customize_Toolbar.html"}));
        EXPECT_TRUE(answers.asked.empty());

        EXPECT_FALSE(ui::ShowHelpContext(nullptr, 5001));
        EXPECT_FALSE(ui::ShowHelpTopic(nullptr, L"..\\..\\secrets"));
        ASSERT_EQ(answers.asked.size(), 2u) << "a missing page is reported, not ignored";
        EXPECT_NE(answers.asked[0].find(folder + L"5001.html"), std::wstring::npos) << answers.asked[0];
        EXPECT_EQ(shell.opened.size(), 2u) << "nothing else was opened";
    }
    {
        RecordedShell shell(false);
        ScriptedAnswers answers(IDOK);
        EXPECT_FALSE(ui::ShowHelpContents(nullptr));
        ASSERT_EQ(answers.asked.size(), 1u) << "a page the browser did not take is reported";
        EXPECT_NE(answers.asked[0].find(L"index.html"), std::wstring::npos);
    }
    ui::SetHelpFolder(test::ProgramFolder() + L"help\\");
}

TEST_F(WindowCommandsTest, SaveSettingsWritesTheRegistryScriptOfTheSettingsRoot) {
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    ScratchFolder folder(L"window-save-settings");
    const std::wstring file = folder.Path() + L"settings.reg";
    {
        settings::TRegistryEx reg;
        ASSERT_TRUE(reg.OpenKey(L"", true));
        reg.WriteInteger(L"FontSize", 36);
        reg.WriteString(L"LastUsedFolder", L"C:\\Fonts\\");
    }
    std::optional<ui::SaveFileRequest> asked;
    std::optional<std::wstring> answer;
    ui::SetSaveFileAnswerer([&](const ui::SaveFileRequest& request) {
        asked = request;
        return answer;
    });
    ScriptedAnswers answers(IDOK);

    main->RunCommand(IDM_HELP_SAVE_SETTINGS);
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->title, L"保存设置到文件...");
    EXPECT_EQ(asked->filter, L"注册表文件 (*.reg)|*.reg");
    EXPECT_EQ(asked->defaultExtension, L"reg");
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "cancelled: nothing written";

    answer = file;
    main->RunCommand(IDM_HELP_SAVE_SETTINGS);
    const std::string script = ReadFileBytes(file);
    const std::string section = "[HKEY_CURRENT_USER\\" + win::WideToAnsi(settingsKey_.SubKey()) + "]\r\n";
    EXPECT_EQ(script.rfind("REGEDIT4\r\n\r\n" + section, 0), 0u) << script;
    EXPECT_NE(script.find("\"FontSize\"=dword:00000024\r\n"), std::string::npos) << script;
    EXPECT_NE(script.find("\"LastUsedFolder\"=\"C:\\\\Fonts\\\\\"\r\n"), std::string::npos) << script;
    EXPECT_TRUE(answers.asked.empty());

    answer = folder.Path() + L"no such folder\\settings.reg";
    main->RunCommand(IDM_HELP_SAVE_SETTINGS);
    ASSERT_EQ(answers.asked.size(), 1u) << "a file that cannot be written is reported";
    EXPECT_EQ(answers.asked[0].rfind(L"命令失败， 下列是错误信息:\r\n\r\n", 0), 0u) << answers.asked[0];
    ui::SetSaveFileAnswerer({});
}

}  // namespace
}  // namespace typorama::app
