// The structure of the main window's menus (the menu bar, the font list's
// context menu and the button bar's drop-downs) and their shortcuts. Menus
// are built from it showing only the commands that are registered; lists
// inside menus are filled each time their menu opens.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "win/unique_handle.h"

namespace typorama::app {

struct Shortcut {
    UINT key = 0;         // virtual key; 0 = none
    BYTE modifiers = 0;   // FCONTROL, FSHIFT, FALT
};

struct MenuNode {
    UINT id = 0;  // command, list placeholder (IDM_..._LIST) or sub-menu; 0 = separator
    Shortcut shortcut{};
    std::vector<MenuNode> children;  // a sub-menu when not empty
};

// The menu bar, in its order.
const std::vector<MenuNode>& MainMenuStructure();
// The tag commands (the "select" sub-menu and the status bar's tag pop-up).
const std::vector<MenuNode>& TagMenuStructure();
// The character-set and family filters (the filter sub-menu and the status
// bar's filter pop-up).
const std::vector<MenuNode>& FilterMenuStructure();
// The font list's context menu.
const std::vector<MenuNode>& FontListMenuStructure();

// "Ctrl+Shift+S", "F6", "Alt+Enter", "Ctrl+Num +".
std::wstring ShortcutText(const Shortcut& shortcut);

// A built menu. Commands that are not registered are left out, sub-menus
// left empty by that disappear, separators never stand at an edge or twice.
class MenuBar {
public:
    MenuBar() = default;
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // Builds the menu bar (popup = false) or a pop-up menu from `nodes`.
    void Build(const std::vector<MenuNode>& nodes, const CommandTable& commands, bool popup);
    HMENU Handle() const { return menu_; }
    // Gives the menu to a window (which then destroys it with itself).
    HMENU Release();

    // Before a menu of this tree opens: lists are filled again, and every
    // command's enabled and checked state is set from the table. Returns
    // false when `menu` is not part of this tree.
    bool Prepare(HMENU menu, const CommandTable& commands) const;

private:
    struct ListPlace {
        HMENU menu;
        UINT placeholder;
        int index;  // the number of fixed items before the list
    };
    HMENU BuildLevel(const std::vector<MenuNode>& nodes, const CommandTable& commands, bool popup);
    bool Owns(HMENU menu) const;

    HMENU menu_ = nullptr;
    bool owned_ = true;
    std::vector<HMENU> levels_;
    std::vector<ListPlace> lists_;
};

// The accelerator table of every registered command with a shortcut in the
// menu structure.
std::vector<ACCEL> CollectShortcuts(const std::vector<MenuNode>& nodes, const CommandTable& commands);

// Sets the states of the commands of a menu that is about to open; used for
// menus not built by MenuBar too.
void PrepareCommandStates(HMENU menu, const CommandTable& commands);

}  // namespace typorama::app
