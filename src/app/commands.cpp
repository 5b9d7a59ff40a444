#include "app/commands.h"

#include "ui/resource.h"

namespace typorama::app {
namespace {

constexpr UINT kFirstPlaceholder = IDM_FONT_COPY_DESTINATIONS;
constexpr UINT kPlaceholderCount = 16;  // keeps every id below 65536

}  // namespace

void CommandTable::Add(UINT id, Command command) { commands_[id] = std::move(command); }

bool CommandTable::Has(UINT id) const { return commands_.contains(id); }

bool CommandTable::Enabled(UINT id) const {
    const auto found = commands_.find(id);
    if (found == commands_.end()) return false;
    return !found->second.enabled || found->second.enabled();
}

bool CommandTable::Checked(UINT id) const {
    const auto found = commands_.find(id);
    return found != commands_.end() && found->second.checked && found->second.checked();
}

bool CommandTable::IsToggle(UINT id) const {
    const auto found = commands_.find(id);
    return found != commands_.end() && static_cast<bool>(found->second.checked);
}

bool CommandTable::Run(UINT id) const {
    const auto found = commands_.find(id);
    if (found == commands_.end() || !found->second.run) return RunListItem(id);
    if (found->second.enabled && !found->second.enabled()) return false;
    found->second.run();
    return true;
}

void CommandTable::AddList(UINT placeholder, MenuList list) { lists_[placeholder] = std::move(list); }

const MenuList* CommandTable::FindList(UINT placeholder) const {
    const auto found = lists_.find(placeholder);
    return found == lists_.end() ? nullptr : &found->second;
}

UINT CommandTable::ListItemId(UINT placeholder, int position) {
    return IDM_DYNAMIC_FIRST + (placeholder - kFirstPlaceholder) * IDM_DYNAMIC_RANGE + static_cast<UINT>(position);
}

bool CommandTable::IsListItemId(UINT id, UINT& placeholder, int& position) {
    if (id < IDM_DYNAMIC_FIRST || id >= IDM_DYNAMIC_FIRST + kPlaceholderCount * IDM_DYNAMIC_RANGE) return false;
    placeholder = kFirstPlaceholder + (id - IDM_DYNAMIC_FIRST) / IDM_DYNAMIC_RANGE;
    position = static_cast<int>((id - IDM_DYNAMIC_FIRST) % IDM_DYNAMIC_RANGE);
    return true;
}

bool CommandTable::RunListItem(UINT id) const {
    UINT placeholder = 0;
    int position = 0;
    if (!IsListItemId(id, placeholder, position)) return false;
    const MenuList* list = FindList(placeholder);
    if (!list || !list->choose) return false;
    list->choose(position);
    return true;
}

}  // namespace typorama::app
