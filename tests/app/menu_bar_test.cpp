// Menus built from the command table: only registered commands, tidy
// separators, lists filled when their menu opens, shortcuts for the keys.
#include "app/menu_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/resource.h"

namespace typorama::app {
namespace {

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[256]{};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

// Each item as its id, "-" for a separator, or "[caption]" for a sub-menu.
std::vector<std::wstring> Shape(HMENU menu) {
    std::vector<std::wstring> shape;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            shape.push_back(L"-");
        } else if (info.hSubMenu) {
            shape.push_back(L"[" + ItemText(menu, i) + L"]");
        } else {
            shape.push_back(std::to_wstring(info.wID));
        }
    }
    return shape;
}

Command Always() {
    return Command{[] {}, {}, {}};
}

TEST(MenuBarTest, ShowsOnlyRegisteredCommandsWithTidySeparators) {
    CommandTable commands;
    MenuBar bar;
    bar.Build(MainMenuStructure(), commands, false);
    EXPECT_EQ(GetMenuItemCount(bar.Handle()), 0) << "no command, no menu";

    commands.Add(IDM_FONT_CLOSE, Always());
    commands.Add(IDM_FONT_PRINT, Always());
    commands.Add(IDM_HELP_ABOUT, Always());
    bar.Build(MainMenuStructure(), commands, false);
    EXPECT_EQ(Shape(bar.Handle()), (std::vector<std::wstring>{L"[字体(&F)]", L"[帮助(&H)]"}));
    const HMENU font = GetSubMenu(bar.Handle(), 0);
    EXPECT_EQ(Shape(font), (std::vector<std::wstring>{std::to_wstring(IDM_FONT_PRINT), L"-",
                                                      std::to_wstring(IDM_FONT_CLOSE)}))
        << "one separator between groups, none at the edges, empty sub-menus gone";
    EXPECT_EQ(ItemText(font, 0), L"打印(&P)...\tCtrl+P") << "caption with its shortcut";
    EXPECT_EQ(Shape(GetSubMenu(bar.Handle(), 1)), (std::vector<std::wstring>{std::to_wstring(IDM_HELP_ABOUT)}));
}

TEST(MenuBarTest, CommandStatesAndListsAreSetWhenTheMenuOpens) {
    CommandTable commands;
    bool enabled = false;
    bool checked = true;
    commands.Add(IDM_VIEW_FONT_SIZE_CUSTOM, Command{[] {}, [&] { return enabled; }, [&] { return checked; }});
    std::vector<ListedItem> sizes = {{L"22", false, true}, {L"36", true, true}};
    int chosen = -1;
    commands.AddList(IDM_VIEW_FONT_SIZE_LIST, MenuList{[&] { return sizes; }, [&](int position) { chosen = position; }});

    MenuBar bar;
    bar.Build(MainMenuStructure(), commands, false);
    const HMENU view = GetSubMenu(bar.Handle(), 0);
    const HMENU sizeMenu = GetSubMenu(view, 0);
    ASSERT_NE(sizeMenu, nullptr);
    ASSERT_TRUE(bar.Prepare(sizeMenu, commands));
    const UINT first = CommandTable::ListItemId(IDM_VIEW_FONT_SIZE_LIST, 0);
    EXPECT_EQ(Shape(sizeMenu), (std::vector<std::wstring>{std::to_wstring(first), std::to_wstring(first + 1), L"-",
                                                          std::to_wstring(IDM_VIEW_FONT_SIZE_CUSTOM)}));
    EXPECT_EQ(GetMenuState(sizeMenu, first + 1, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(sizeMenu, IDM_VIEW_FONT_SIZE_CUSTOM, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED),
              static_cast<UINT>(MF_GRAYED | MF_CHECKED));

    // Opened again with other data: the old entries go, the new ones come in the same place.
    sizes = {{L"100", false, true}};
    enabled = true;
    checked = false;
    bar.Prepare(sizeMenu, commands);
    EXPECT_EQ(Shape(sizeMenu), (std::vector<std::wstring>{std::to_wstring(first), L"-",
                                                          std::to_wstring(IDM_VIEW_FONT_SIZE_CUSTOM)}));
    EXPECT_EQ(ItemText(sizeMenu, 0), L"100");
    EXPECT_EQ(GetMenuState(sizeMenu, IDM_VIEW_FONT_SIZE_CUSTOM, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), 0u);

    EXPECT_TRUE(commands.Run(first));
    EXPECT_EQ(chosen, 0) << "a list entry runs the list's choice with its position";
    EXPECT_FALSE(bar.Prepare(CreatePopupMenu(), commands)) << "a menu of another tree";
}

TEST(MenuBarTest, DisabledCommandsDoNotRunAndUnknownIdsAreRefused) {
    CommandTable commands;
    int runs = 0;
    bool enabled = false;
    commands.Add(IDM_FIND_NEXT, Command{[&] { ++runs; }, [&] { return enabled; }, {}});
    EXPECT_FALSE(commands.Run(IDM_FIND_NEXT));
    enabled = true;
    EXPECT_TRUE(commands.Run(IDM_FIND_NEXT));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(commands.Run(IDM_FIND_FIND)) << "not registered";
    EXPECT_FALSE(commands.Run(CommandTable::ListItemId(IDM_FAV_LIST, 3))) << "a list nobody registered";

    UINT placeholder = 0;
    int position = 0;
    const UINT last = CommandTable::ListItemId(IDM_RUN_PROGRAMS_LIST, IDM_DYNAMIC_RANGE - 1);
    EXPECT_LT(last, 65536u) << "menu ids are 16 bits";
    ASSERT_TRUE(CommandTable::IsListItemId(last, placeholder, position));
    EXPECT_EQ(placeholder, static_cast<UINT>(IDM_RUN_PROGRAMS_LIST));
    EXPECT_EQ(position, IDM_DYNAMIC_RANGE - 1);
}

TEST(MenuBarTest, ShortcutsOfRegisteredCommands) {
    CommandTable commands;
    commands.Add(IDM_FONT_SAVE_IMAGE, Always());
    commands.Add(IDM_FONT_PROPERTIES, Always());
    commands.Add(IDM_VIEW_INC_FONT_SIZE, Always());
    commands.Add(IDM_FONT_CLOSE, Always());
    const std::vector<ACCEL> keys = CollectShortcuts(MainMenuStructure(), commands);
    ASSERT_EQ(keys.size(), 3u) << "exit has no shortcut";
    EXPECT_EQ(keys[0].cmd, IDM_FONT_SAVE_IMAGE);
    EXPECT_EQ(keys[0].key, 'S');
    EXPECT_EQ(keys[0].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
    EXPECT_EQ(ShortcutText({VK_RETURN, FALT}), L"Alt+Enter");
    EXPECT_EQ(ShortcutText({VK_ADD, FCONTROL}), L"Ctrl+Num +");
    EXPECT_EQ(ShortcutText({VK_F5, 0}), L"F5");
}

TEST(MenuBarTest, ContextMenuReusesTheMenuBarEntries) {
    CommandTable commands;
    commands.Add(IDM_FONT_DELETE, Always());
    commands.Add(IDM_FONT_PROPERTIES, Always());
    commands.Add(IDM_FONT_VIEW, Always());
    MenuBar popup;
    popup.Build(FontListMenuStructure(), commands, true);
    EXPECT_EQ(Shape(popup.Handle()), (std::vector<std::wstring>{std::to_wstring(IDM_FONT_DELETE), L"-",
                                                               std::to_wstring(IDM_FONT_VIEW),
                                                               std::to_wstring(IDM_FONT_PROPERTIES)}))
        << "the font viewer, only in this menu, too";
}

}  // namespace
}  // namespace typorama::app
