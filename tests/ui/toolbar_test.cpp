// The button bar control: which buttons show, their states, the customise
// dialog's questions and the layout kept in the settings.
#include "ui/toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/parent_window.h"
#include "support/scratch.h"

namespace typorama::ui {
namespace {

constexpr int kOpen = 41;
constexpr int kSave = 42;
constexpr int kSize = 43;
constexpr int kView = 44;

// A hidden parent window for the bar, which reflects the bar's notifications.
class Parent : public test::ParentWindow {
public:
    Parent() : ParentWindow(WS_OVERLAPPEDWINDOW, 400, 200) {}
};

// What the parent hands on to the bar: the bar's answer.
LRESULT Notify(const Parent& parent, const NMHDR& header) {
    return SendMessageW(parent.get(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

ToolbarArgs Args(HWND parent) {
    ToolbarArgs args;
    args.parent = parent;
    args.id = 7;
    args.catalogue = {{kOpen, 0, true, false}, {kSave, 1, false, false}, {kSize, I_IMAGENONE, true, true},
                      {kView, 2, false, false}};
    args.defaultLayout = {kOpen, 0, kSave, 0, kSize, 0, kView};
    return args;
}

BYTE State(const Toolbar& bar, int command) {
    return static_cast<BYTE>(SendMessageW(bar.Hwnd(), TB_GETSTATE, command, 0));
}

TEST(ToolbarTest, CaptionsBecomeTipsWithoutMnemonicOrShortcut) {
    EXPECT_EQ(CaptionAsTip(L"文件夹浏览器(&B)"), L"文件夹浏览器");
    EXPECT_EQ(CaptionAsTip(L"&Open\tCtrl+O"), L"Open");
    EXPECT_EQ(CaptionAsTip(L"Tom && Jerry"), L"Tom & Jerry");
    EXPECT_EQ(CaptionAsTip(L"自定义工具栏和菜单(&U)..."), L"自定义工具栏和菜单...");
    EXPECT_EQ(CaptionAsTip(L"字号"), L"字号");
    EXPECT_EQ(CaptionAsTip(L"(&"), L"(") << "a cut-off mnemonic does not read past the end";
}

TEST(ToolbarTest, ShowsOnlyAvailableButtonsWithTidySeparatorsAndTheirStates) {
    Parent parent;
    Toolbar bar(Args(parent.get()));
    ASSERT_TRUE(bar.Hwnd());
    std::set<int> available;
    bar.IsAvailable = [&](int id) { return available.count(id) > 0; };
    int changes = 0;
    bar.OnChanged = [&] { ++changes; };

    bar.Refresh();
    EXPECT_TRUE(bar.ShownButtons().empty());
    EXPECT_FALSE(GetWindowLongW(bar.Hwnd(), GWL_STYLE) & WS_VISIBLE) << "an empty bar is hidden";

    available = {kSave, kView};
    bar.Refresh();
    EXPECT_EQ(bar.ShownButtons(), (std::vector<int>{kSave, 0, kView})) << "no separator at an edge or twice";
    EXPECT_TRUE(GetWindowLongW(bar.Hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_GT(changes, 0) << "the owner hears of a change in size";
    const int before = changes;
    bar.Refresh();
    EXPECT_EQ(changes, before) << "nothing changed, nothing rebuilt";

    bar.SetState(kSave, false, false);
    bar.SetState(kView, true, true);
    EXPECT_FALSE(State(bar, kSave) & TBSTATE_ENABLED);
    EXPECT_TRUE(State(bar, kView) & TBSTATE_ENABLED);
    EXPECT_TRUE(State(bar, kView) & TBSTATE_CHECKED);
    bar.SetState(kView, true, false);
    EXPECT_FALSE(State(bar, kView) & TBSTATE_CHECKED);

    available = {kOpen, kSave, kSize, kView};
    bar.SetText(kSize, L"36");
    bar.Refresh();
    EXPECT_EQ(bar.ShownButtons(), (std::vector<int>{kOpen, 0, kSave, 0, kSize, 0, kView}));
    wchar_t text[16]{};
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_STYLE;
    info.pszText = text;
    info.cchText = 16;
    SendMessageW(bar.Hwnd(), TB_GETBUTTONINFOW, kSize, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"36") << "the text survives the rebuild";
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
}

TEST(ToolbarTest, AnswersTheCustomiseDialogAndTheTips) {
    Parent parent;
    Toolbar bar(Args(parent.get()));
    bar.IsAvailable = [](int id) { return id != kSave; };
    bar.Caption = [](int id) { return L"Button " + std::to_wstring(id); };
    int helped = 0;
    bar.OnCustomizeHelp = [&] { ++helped; };
    int clicked = 0;
    bar.OnClick = [&](int id) { clicked = id; };
    bar.Refresh();

    // The dialog asks for each button it may offer: only available ones.
    std::vector<int> offered;
    for (int i = 0; i < 10; ++i) {
        wchar_t name[64]{};
        NMTOOLBARW ask{};
        ask.hdr = {bar.Hwnd(), 7, static_cast<UINT>(TBN_GETBUTTONINFOW)};
        ask.iItem = i;
        ask.pszText = name;
        ask.cchText = 64;
        if (!Notify(parent, ask.hdr)) break;
        offered.push_back(ask.tbButton.idCommand);
        EXPECT_EQ(std::wstring(name), L"Button " + std::to_wstring(ask.tbButton.idCommand));
    }
    EXPECT_EQ(offered, (std::vector<int>{kOpen, kSize, kView}));

    NMTOOLBARW query{};
    query.hdr = {bar.Hwnd(), 7, static_cast<UINT>(TBN_QUERYINSERT)};
    EXPECT_TRUE(Notify(parent, query.hdr));
    query.hdr.code = TBN_QUERYDELETE;
    EXPECT_TRUE(Notify(parent, query.hdr));
    NMHDR help{bar.Hwnd(), 7, static_cast<UINT>(TBN_CUSTHELP)};
    Notify(parent, help);
    EXPECT_EQ(helped, 1);

    wchar_t tip[64]{};
    NMTBGETINFOTIPW getTip{};
    getTip.hdr = {bar.Hwnd(), 7, static_cast<UINT>(TBN_GETINFOTIPW)};
    getTip.pszText = tip;
    getTip.cchTextMax = 64;
    getTip.iItem = kView;
    Notify(parent, getTip.hdr);
    EXPECT_STREQ(tip, L"Button 44");
    // The bar's tooltip asks the bar, its tools' window.
    NMTTDISPINFOW display{};
    display.hdr = {reinterpret_cast<HWND>(SendMessageW(bar.Hwnd(), TB_GETTOOLTIPS, 0, 0)), kOpen,
                   static_cast<UINT>(TTN_GETDISPINFOW)};
    ASSERT_TRUE(display.hdr.hwndFrom);
    SendMessageW(bar.Hwnd(), WM_NOTIFY, kOpen, reinterpret_cast<LPARAM>(&display));
    ASSERT_TRUE(display.lpszText);
    EXPECT_STREQ(display.lpszText, L"Button 41");

    // The user removed a button; then "Reset" brings the default back.
    SendMessageW(bar.Hwnd(), TB_DELETEBUTTON, 0, 0);
    NMHDR changed{bar.Hwnd(), 7, static_cast<UINT>(TBN_TOOLBARCHANGE)};
    Notify(parent, changed);
    EXPECT_EQ(bar.Layout(), (std::vector<int>{0, kSize, 0, kView})) << "what the user sees is the layout";
    NMHDR reset{bar.Hwnd(), 7, static_cast<UINT>(TBN_RESET)};
    Notify(parent, reset);
    EXPECT_EQ(bar.ShownButtons(), (std::vector<int>{kOpen, 0, kSize, 0, kView}));

    parent.Received.clear();
    SendMessageW(parent.get(), WM_COMMAND, MAKEWPARAM(kView, BN_CLICKED), reinterpret_cast<LPARAM>(bar.Hwnd()));
    EXPECT_EQ(clicked, kView);
    EXPECT_TRUE(parent.Received.empty()) << "the bar's notifications are the bar's";
    clicked = 0;
    SendMessageW(parent.get(), WM_COMMAND, MAKEWPARAM(kOpen, 0), 0);
    EXPECT_EQ(clicked, 0) << "menu commands are not the bar's";
    NMHDR other{parent.get(), 9, static_cast<UINT>(TBN_RESET)};
    Notify(parent, other);
    EXPECT_EQ(parent.Received, (std::vector<UINT>{WM_COMMAND, WM_NOTIFY})) << "nor another control's notification";
}

TEST(ToolbarTest, LayoutIsSavedAndRestoredIgnoringUnknownIds) {
    test::ScratchKey key(L"toolbar-layout");
    const settings::SettingsRoot root{HKEY_CURRENT_USER, key.SubKey()};
    Parent parent;
    {
        Toolbar bar(Args(parent.get()));
        EXPECT_FALSE(bar.LoadLayout(root, L"Toolbar")) << "nothing stored yet";
        EXPECT_EQ(bar.Layout(), (std::vector<int>{kOpen, 0, kSave, 0, kSize, 0, kView})) << "the default stays";
        bar.SetLayout({kView, 0, kOpen, 999, kOpen});
        EXPECT_EQ(bar.Layout(), (std::vector<int>{kView, 0, kOpen})) << "unknown and repeated ids dropped";
        ASSERT_TRUE(bar.SaveLayout(root, L"Toolbar"));
    }
    settings::TRegistryEx reg(root);
    ASSERT_TRUE(reg.OpenKeyReadOnly(L"Toolbar"));
    EXPECT_EQ(reg.ReadIntegerDef(L"Count", -1, settings::kAnyInteger), 3);
    EXPECT_EQ(reg.ReadStringDef(L"0", L""), L"44");
    EXPECT_EQ(reg.ReadStringDef(L"1", L""), L"-");
    EXPECT_EQ(reg.ReadStringDef(L"2", L""), L"41");
    reg.CloseKey();
    {
        Toolbar bar(Args(parent.get()));
        ASSERT_TRUE(bar.LoadLayout(root, L"Toolbar"));
        EXPECT_EQ(bar.Layout(), (std::vector<int>{kView, 0, kOpen}));
        bar.Refresh();
        EXPECT_EQ(bar.ShownButtons(), (std::vector<int>{kView, 0, kOpen}));
    }
    // Another program's or an older version's entries are skipped.
    key.SetString(L"Toolbar", L"3", L"junk");
    key.SetString(L"Toolbar", L"4", L"12345");
    key.SetString(L"Toolbar", L"5", L"42");
    ASSERT_TRUE(reg.OpenKey(L"Toolbar", false));
    reg.WriteInteger(L"Count", 6);
    reg.CloseKey();
    {
        Toolbar bar(Args(parent.get()));
        ASSERT_TRUE(bar.LoadLayout(root, L"Toolbar"));
        EXPECT_EQ(bar.Layout(), (std::vector<int>{kView, 0, kOpen, kSave}));
        bar.SetLayout({});
        ASSERT_TRUE(bar.SaveLayout(root, L"Toolbar"));
    }
    {
        Toolbar bar(Args(parent.get()));
        ASSERT_TRUE(bar.LoadLayout(root, L"Toolbar"));
        EXPECT_TRUE(bar.Layout().empty()) << "a bar the user emptied stays empty";
    }
}

}  // namespace
}  // namespace typorama::ui
