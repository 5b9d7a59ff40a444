#include "app/menu_bar.h"

#include <algorithm>

#include "ui/resource.h"
#include "win/resource_strings.h"

namespace typorama::app {
namespace {

constexpr BYTE kCtrl = FCONTROL;
constexpr BYTE kShift = FSHIFT;
constexpr BYTE kAlt = FALT;

MenuNode Item(UINT id, UINT key = 0, BYTE modifiers = 0) { return MenuNode{id, Shortcut{key, modifiers}, {}}; }
MenuNode Sub(UINT id, std::vector<MenuNode> children) { return MenuNode{id, {}, std::move(children)}; }
MenuNode Separator() { return MenuNode{}; }

bool IsPlaceholder(UINT id) { return id >= IDM_FONT_COPY_DESTINATIONS && id < IDM_FONT_COPY_DESTINATIONS + 16; }

std::wstring KeyName(UINT key) {
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
    switch (key) {
        case VK_RETURN: return L"Enter";
        case VK_UP: return L"Up";
        case VK_DOWN: return L"Down";
        case VK_ADD: return L"Num +";
        case VK_SUBTRACT: return L"Num -";
        case VK_MULTIPLY: return L"Num *";
        case VK_DELETE: return L"Del";
        default: return L"";
    }
}

}  // namespace

const std::vector<MenuNode>& TagMenuStructure() {
    static const std::vector<MenuNode> menu = {
        Item(IDM_TAG_ALL, 'A', kCtrl), Item(IDM_TAG_NONE, 'N', kCtrl), Item(IDM_TAG_INVERT), Separator(),
        Item(IDM_TAG_LOADED), Item(IDM_TAG_INSTALLED), Item(IDM_TAG_INSTALLED_THIS_FILE),
    };
    return menu;
}

const std::vector<MenuNode>& FilterMenuStructure() {
    static const std::vector<MenuNode> menu = {
        Item(IDM_CHARSET_ALL), Separator(), Item(IDM_CHARSET_SYMBOL), Item(IDM_CHARSET_BALTIC),
        Item(IDM_CHARSET_CYRILLIC), Item(IDM_CHARSET_EAST_EUROPE), Item(IDM_CHARSET_GREEK), Item(IDM_CHARSET_TURKISH),
        Item(IDM_CHARSET_ARABIC), Item(IDM_CHARSET_HEBREW), Separator(), Item(IDM_FAMILY_DECO), Item(IDM_FAMILY_MONO),
        Item(IDM_FAMILY_MODERN), Item(IDM_FAMILY_ROMAN), Item(IDM_FAMILY_SCRIPT), Item(IDM_FAMILY_SWISS),
    };
    return menu;
}

const std::vector<MenuNode>& MainMenuStructure() {
    static const std::vector<MenuNode> menus = {
        Sub(IDM_FONT, {
            Sub(IDM_FONT_COPY, {Item(IDM_FONT_COPY_BROWSE, VK_F6), Separator(), Item(IDM_FONT_COPY_DESTINATIONS),
                                Separator(), Item(IDM_FONT_COPY_DESKTOP), Item(IDM_FONT_COPY_SYSFOLDER)}),
            Sub(IDM_FONT_MOVE, {Item(IDM_FONT_MOVE_BROWSE, VK_F7), Separator(), Item(IDM_FONT_MOVE_DESTINATIONS),
                                Separator(), Item(IDM_FONT_MOVE_DESKTOP), Item(IDM_FONT_MOVE_SYSFOLDER)}),
            Item(IDM_FONT_DELETE),
            Separator(),
            Item(IDM_FONT_COPY_NAMES),
            Item(IDM_FONT_COPY_FILENAMES),
            Separator(),
            Item(IDM_FONT_LOAD),
            Item(IDM_FONT_UNLOAD),
            Item(IDM_FONT_INSTALL),
            Item(IDM_FONT_UNINSTALL),
            Separator(),
            Item(IDM_FONT_PRINT, 'P', kCtrl),
            Item(IDM_FONT_SAVE_IMAGE, 'S', kCtrl | kShift),
            Separator(),
            Sub(IDM_FONT_SELECT, TagMenuStructure()),
            Separator(),
            Item(IDM_FONT_PROPERTIES, VK_RETURN, kAlt),
            Separator(),
            Item(IDM_FONT_CLOSE),
        }),
        Sub(IDM_FIND, {
            Item(IDM_FIND_FIND, 'F', kCtrl),
            Item(IDM_FIND_NEXT, VK_F3),
            Separator(),
            Item(IDM_FIND_PREV_CHECKED, VK_UP, kCtrl),
            Item(IDM_FIND_NEXT_CHECKED, VK_DOWN, kCtrl),
        }),
        Sub(IDM_VIEW, {
            Item(IDM_VIEW_SCREEN_FONTS, 'L', kCtrl),
            Item(IDM_VIEW_BROWSER, 'B', kCtrl),
            Item(IDM_VIEW_MULTI_FOLDERS),
            Separator(),
            Sub(IDM_VIEW_FONT_SIZE, {Item(IDM_VIEW_FONT_SIZE_LIST), Separator(), Item(IDM_VIEW_FONT_SIZE_CUSTOM)}),
            Item(IDM_VIEW_INC_FONT_SIZE, VK_ADD, kCtrl),
            Item(IDM_VIEW_DEC_FONT_SIZE, VK_SUBTRACT, kCtrl),
            Separator(),
            Item(IDM_VIEW_CHARMAP, 'M', kCtrl),
            Item(IDM_VIEW_FONT_METRICS, 'M', kCtrl | kShift),
            Separator(),
            Item(IDM_VIEW_CHECKBOXES, 'H', kCtrl),
            Item(IDM_VIEW_INSTALLED_GLYPHS),
            Item(IDM_VIEW_FULL_NAMES, 'E', kCtrl),
            Separator(),
            Item(IDM_VIEW_USER_STRING, 'T', kCtrl),
            Item(IDM_VIEW_FONT_INFO, 'I', kCtrl),
            Separator(),
            Item(IDM_VIEW_REFRESH, VK_F5),
        }),
        Sub(IDM_FILTER, {
            Sub(IDM_FILTER_CHARSET, FilterMenuStructure()),
            Item(IDM_FILTER_SELECTED_FILES, 'S', kCtrl),
        }),
        Sub(IDM_FAV, {
            Item(IDM_FAV_LIST),
            Separator(),
            Item(IDM_FAV_SYS_FONTS),
            Separator(),
            Item(IDM_FAV_ADD, 'D', kCtrl),
            Item(IDM_FAV_ORGANIZE),
        }),
        Sub(IDM_TOOLS, {
            Item(IDM_TOOLS_LOAD),
            Item(IDM_TOOLS_UNLOAD),
            Item(IDM_TOOLS_INSTALL),
            Item(IDM_TOOLS_UNINSTALL),
            Separator(),
            Item(IDM_TOOLS_FIND_DUPLICATES),
            Item(IDM_TOOLS_FIND_NOT_INSTALLED),
            Item(IDM_TOOLS_EXPORT_BITMAP),
            Separator(),
            Item(IDM_TOOLS_RENAME),
            Item(IDM_TOOLS_UNDO_RENAME),
            Separator(),
            Item(IDM_TOOLS_REPAIR),
            Item(IDM_TOOLS_TWEAK),
            Separator(),
            Item(IDM_TOOLS_SHOW_BYTES),
            Separator(),
            Item(IDM_TOOLS_CUSTOMIZE),
            Item(IDM_TOOLS_OPTIONS, 'O', kCtrl),
        }),
        Sub(IDM_RUN, {
            Item(IDM_RUN_PROGRAMS_LIST),
            Separator(),
            Item(IDM_RUN_CONFIG),
        }),
        Sub(IDM_HELP, {
            Item(IDM_HELP_CONTENTS, VK_F1),
            Separator(),
            Item(IDM_HELP_COPY_SYSINFO),
            Item(IDM_HELP_SAVE_SETTINGS),
            Separator(),
            Item(IDM_HELP_HOMEPAGE),
            Item(IDM_HELP_CHECK_UPDATE),
            Separator(),
            Item(IDM_HELP_ABOUT),
        }),
    };
    return menus;
}

namespace {

const MenuNode* FindNode(const std::vector<MenuNode>& nodes, UINT id) {
    for (const MenuNode& node : nodes) {
        if (node.id == id) return &node;
        if (const MenuNode* inner = FindNode(node.children, id)) return inner;
    }
    return nullptr;
}

}  // namespace

const std::vector<MenuNode>& FontListMenuStructure() {
    // The same entries as in the menu bar, so shortcuts and lists agree.
    static const std::vector<MenuNode> menu = [] {
        const std::vector<MenuNode>& bar = MainMenuStructure();
        std::vector<MenuNode> nodes;
        // The font viewer is the one entry that is not in the menu bar.
        auto take = [&](UINT id) {
            const MenuNode* node = id ? FindNode(bar, id) : nullptr;
            nodes.push_back(node ? *node : id ? Item(id) : Separator());
        };
        for (UINT id : std::initializer_list<UINT>{IDM_VIEW, 0, IDM_FONT_LOAD, IDM_FONT_UNLOAD, IDM_FONT_INSTALL, IDM_FONT_UNINSTALL, 0,
                        IDM_FONT_COPY, IDM_FONT_MOVE, 0, IDM_FONT_DELETE, 0, IDM_FONT_VIEW, IDM_FONT_PROPERTIES})
            take(id);
        return nodes;
    }();
    return menu;
}

std::wstring ShortcutText(const Shortcut& shortcut) {
    if (shortcut.key == 0) return L"";
    std::wstring text;
    if (shortcut.modifiers & kCtrl) text += L"Ctrl+";
    if (shortcut.modifiers & kShift) text += L"Shift+";
    if (shortcut.modifiers & kAlt) text += L"Alt+";
    return text + KeyName(shortcut.key);
}

MenuBar::~MenuBar() {
    if (menu_ && owned_) DestroyMenu(menu_);
}

HMENU MenuBar::Release() {
    owned_ = false;
    return menu_;
}

void MenuBar::Build(const std::vector<MenuNode>& nodes, const CommandTable& commands, bool popup) {
    if (menu_ && owned_) DestroyMenu(menu_);
    levels_.clear();
    lists_.clear();
    owned_ = true;
    menu_ = BuildLevel(nodes, commands, popup);
}

HMENU MenuBar::BuildLevel(const std::vector<MenuNode>& nodes, const CommandTable& commands, bool popup) {
    const HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    levels_.push_back(menu);
    bool separatorPending = false;
    bool hasContent = false;  // a list counts as content even while it is empty
    auto appendSeparatorIfPending = [&] {
        if (separatorPending && hasContent) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        separatorPending = false;
        hasContent = true;
    };
    for (const MenuNode& node : nodes) {
        if (node.id == 0) {
            separatorPending = true;
            continue;
        }
        if (!node.children.empty()) {
            const HMENU sub = BuildLevel(node.children, commands, true);
            if (GetMenuItemCount(sub) == 0 && std::none_of(lists_.begin(), lists_.end(),
                                                           [sub](const ListPlace& p) { return p.menu == sub; })) {
                levels_.erase(std::remove(levels_.begin(), levels_.end(), sub), levels_.end());
                DestroyMenu(sub);
                continue;
            }
            appendSeparatorIfPending();
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                        win::LoadResString(IDS_MENU_CAPTION(node.id)).c_str());
            continue;
        }
        if (IsPlaceholder(node.id)) {
            if (!commands.HasList(node.id)) continue;
            appendSeparatorIfPending();
            lists_.push_back(ListPlace{menu, node.id, GetMenuItemCount(menu)});
            continue;
        }
        if (!commands.Has(node.id)) continue;
        appendSeparatorIfPending();
        std::wstring caption = win::LoadResString(IDS_MENU_CAPTION(node.id));
        if (const std::wstring keys = ShortcutText(node.shortcut); !keys.empty()) caption += L"\t" + keys;
        AppendMenuW(menu, MF_STRING, node.id, caption.c_str());
    }
    return menu;
}

bool MenuBar::Owns(HMENU menu) const { return std::find(levels_.begin(), levels_.end(), menu) != levels_.end(); }

bool MenuBar::Prepare(HMENU menu, const CommandTable& commands) const {
    if (!Owns(menu)) return false;
    // Take out what the lists put in last time, then fill them anew: each
    // list sits where its place was among the fixed items.
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        UINT placeholder = 0;
        int position = 0;
        if (CommandTable::IsListItemId(GetMenuItemID(menu, i), placeholder, position)) DeleteMenu(menu, i, MF_BYPOSITION);
    }
    int inserted = 0;
    for (const ListPlace& place : lists_) {
        if (place.menu != menu) continue;
        const MenuList* list = commands.FindList(place.placeholder);
        if (!list || !list->items) continue;
        const std::vector<ListedItem> items = list->items();
        for (int i = 0; i < static_cast<int>(items.size()) && i < IDM_DYNAMIC_RANGE; ++i) {
            UINT flags = MF_BYPOSITION | MF_STRING;
            if (items[static_cast<std::size_t>(i)].checked) flags |= MF_CHECKED;
            if (!items[static_cast<std::size_t>(i)].enabled) flags |= MF_GRAYED;
            InsertMenuW(menu, static_cast<UINT>(place.index + inserted), flags,
                        CommandTable::ListItemId(place.placeholder, i), items[static_cast<std::size_t>(i)].text.c_str());
            ++inserted;
        }
    }
    PrepareCommandStates(menu, commands);
    return true;
}

void PrepareCommandStates(HMENU menu, const CommandTable& commands) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;
        if (!commands.Has(id)) continue;
        EnableMenuItem(menu, i, MF_BYPOSITION | (commands.Enabled(id) ? MF_ENABLED : MF_GRAYED));
        if (commands.IsToggle(id)) CheckMenuItem(menu, i, MF_BYPOSITION | (commands.Checked(id) ? MF_CHECKED : MF_UNCHECKED));
    }
}

std::vector<ACCEL> CollectShortcuts(const std::vector<MenuNode>& nodes, const CommandTable& commands) {
    std::vector<ACCEL> keys;
    for (const MenuNode& node : nodes) {
        if (!node.children.empty()) {
            const std::vector<ACCEL> inner = CollectShortcuts(node.children, commands);
            keys.insert(keys.end(), inner.begin(), inner.end());
        } else if (node.shortcut.key != 0 && commands.Has(node.id)) {
            keys.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | node.shortcut.modifiers),
                                 static_cast<WORD>(node.shortcut.key), static_cast<WORD>(node.id)});
        }
    }
    return keys;
}

}  // namespace typorama::app
