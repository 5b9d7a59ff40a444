// The commands of the main window. A feature registers what each of its
// commands does and when it is offered; menus, the button bar, shortcuts and
// the context menu all show only registered commands and ask the table for
// their enabled and checked states.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace typorama::app {

struct Command {
    std::function<void()> run;
    std::function<bool()> enabled;  // empty: always enabled
    std::function<bool()> checked;  // empty: not a toggle
};

// One entry of a list shown inside a menu (favourites, sizes, programs...).
struct ListedItem {
    std::wstring text;
    bool checked = false;
    bool enabled = true;
};

// A list inside a menu: `items` is asked each time the menu opens, `choose`
// gets the position of the chosen entry.
struct MenuList {
    std::function<std::vector<ListedItem>()> items;
    std::function<void(int position)> choose;
};

class CommandTable {
public:
    void Add(UINT id, Command command);
    bool Has(UINT id) const;
    bool Enabled(UINT id) const;
    bool Checked(UINT id) const;
    bool IsToggle(UINT id) const;
    // Runs the command when it is registered and enabled; false otherwise.
    bool Run(UINT id) const;

    // `placeholder` is one of the IDM_..._LIST places of the menu structure.
    void AddList(UINT placeholder, MenuList list);
    const MenuList* FindList(UINT placeholder) const;
    bool HasList(UINT placeholder) const { return FindList(placeholder) != nullptr; }

    // The command id of entry `position` of the list at `placeholder`, and back.
    static UINT ListItemId(UINT placeholder, int position);
    static bool IsListItemId(UINT id, UINT& placeholder, int& position);
    // Runs the list entry behind a list item id; false when it is none.
    bool RunListItem(UINT id) const;

private:
    std::unordered_map<UINT, Command> commands_;
    std::unordered_map<UINT, MenuList> lists_;
};

}  // namespace typorama::app
