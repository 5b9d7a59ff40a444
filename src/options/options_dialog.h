// TfrmConfig ("选项"): the options dialog. It edits working copies of the
// main window's settings (the option tree of the General page), the sample
// strings, the Run menu's programs, the favourite and destination folders;
// OK hands them to the main window, which writes them when it saves its
// settings. Only the shell's folder entry is written at once, on OK.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/program_dialogs.h"
#include "options/drag_list_box.h"
#include "options/option_tree.h"
#include "options/shell_entry.h"
#include "ui/dialog.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::options {

// The pages, in the order of their tabs.
enum class OptionsPage : int { General = 0, UserText = 1, Programs = 2, Favorites = 3, Destinations = 4 };
inline constexpr int kPageCount = 5;

class TfrmConfig : public ui::Dialog {
public:
    // `alone` shows only `page`'s tab and no defaults button. `places`: where
    // the shell entry lives (scratch keys in tests); `program` is the path
    // the entry starts.
    TfrmConfig(app::TfrmMain& main, OptionsPage page, bool alone, ShellEntryPlaces places, std::wstring program);

    OptionsPage ActivePage() const { return active_; }
    void ShowPage(OptionsPage page);
    // The tabs shown, in order.
    std::vector<OptionsPage> Tabs() const;
    ThOptionTree& Tree() { return tree_; }
    ThDragListBox& List(OptionsPage page);
    // The dialog's copy of the program list.
    const std::vector<app::TRunProgramEntry>& ProgramCopy() const { return programs_; }

    // The General page's items by their caption's position in the tree
    // (IDS_OPT_TREE_FIRST + index).
    ThGenericOptionItem* TreeItem(UINT captionId) const;

    // The folder picker of the folder pages and of the start-up folder; the
    // colour picker of the colour items. Tests replace them.
    std::function<bool(HWND owner, std::wstring& folder)> BrowseFolder;
    std::function<bool(HWND owner, std::uint32_t& color)> PickColor;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillTree();
    void FillLists();
    void ResetGeneral();
    void Defaults();
    void Add();
    void Edit();
    void Remove();
    void EditText(ThTextOptionItem& item);
    void EditColor(ThColorOptionItem& item);
    void DrawProgram(const DRAWITEMSTRUCT& draw) const;
    void Apply();
    std::wstring PageCaption(OptionsPage page) const;

    app::TfrmMain& main_;
    OptionsPage first_;
    OptionsPage active_;
    bool alone_;
    ShellEntryPlaces places_;
    std::wstring program_;
    ThOptionTree tree_;
    std::array<ThDragListBox, 4> lists_;
    std::vector<app::TRunProgramEntry> programs_;
    std::vector<ThGenericOptionItem*> treeItems_;  // by caption position
    POINT editAt_{}, removeAt_{};                  // the two buttons' places in the template
};

}  // namespace typorama::options
