// A button bar: a standard toolbar control whose buttons come from a
// catalogue of the buttons it may hold and a layout (their order, with
// separators). The owner says which buttons are available at the moment;
// the others are left out, and separators never stand at an edge or twice.
// The user can rearrange the bar with the control's own customise dialog;
// the layout is kept as a list in the settings (settings/settings_store.h).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "ui/window_base.h"

namespace typorama::ui {

struct ToolbarButton {
    int command = 0;               // the WM_COMMAND id, also the button's id
    int image = I_IMAGENONE;       // index into the image strip
    bool dropDown = false;         // a separate arrow opens a pop-up
    bool showText = false;         // shows a text (SetText) beside or instead of a picture
};

struct ToolbarArgs {
    HWND parent = nullptr;
    int id = 0;
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
    std::vector<ToolbarButton> catalogue;
    std::vector<int> defaultLayout;  // command ids, 0 = separator
};

// The bar's notifications to its parent are reflected back to it
// (ui/window_base.h); its tooltip asks the bar itself for the tips.
class Toolbar : public SubclassedWindow {
public:
    explicit Toolbar(const ToolbarArgs& args);
    ~Toolbar() override;

    HWND Hwnd() const { return window_; }

    // Whether a button may show now (its command exists); all when empty.
    std::function<bool(int command)> IsAvailable;
    // The tip shown over a button, and its name in the customise dialog.
    std::function<std::wstring(int command)> Caption;
    // A click on a button (or on the main part of a drop-down button).
    std::function<void(int command)> OnClick;
    // A click on a drop-down arrow; `where` is the button's bottom left on the screen.
    std::function<void(int command, POINT where)> OnDropDown;
    // The customise dialog's Help button.
    std::function<void()> OnCustomizeHelp;
    // The bar's buttons changed (its size may have changed with them).
    std::function<void()> OnChanged;

    // The layout: command ids in order, 0 for a separator.
    const std::vector<int>& Layout() const { return layout_; }
    // Ids not in the catalogue are dropped.
    void SetLayout(const std::vector<int>& layout);
    void ResetLayout() { SetLayout(defaultLayout_); }

    // Shows the buttons of the layout that are available now; the bar is
    // hidden while it has none. Cheap when nothing changed.
    void Refresh();
    // The buttons on the bar, in order, 0 for a separator.
    std::vector<int> ShownButtons() const;

    void SetState(int command, bool enabled, bool checked);
    void SetText(int command, const std::wstring& text);

    // Opens the control's customise dialog (modal).
    void Customize();

    // Keeps the layout in `subKey` of `root`: the list "0", "1", ... holds
    // the command ids in decimal and "-" for a separator. A stored empty
    // layout stays empty; LoadLayout is false (the layout unchanged) when
    // nothing is stored. A failed save leaves the system's error code in
    // `error` when given.
    bool SaveLayout(const settings::SettingsRoot& root, std::wstring_view subKey, DWORD* error = nullptr) const;
    bool LoadLayout(const settings::SettingsRoot& root, std::wstring_view subKey);

    static std::vector<std::wstring> LayoutEntries(const std::vector<int>& layout);
    static std::vector<int> ParseLayoutEntries(const std::vector<std::wstring>& entries);

private:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    const ToolbarButton* Find(int command) const;
    bool Available(int command) const;
    std::vector<int> WantedButtons() const;
    void Rebuild(const std::vector<int>& buttons);
    TBBUTTON MakeButton(const ToolbarButton& button) const;
    void ReadBackLayout();
    std::wstring CaptionOf(int command) const;

    std::vector<ToolbarButton> catalogue_;
    std::vector<int> defaultLayout_;
    std::vector<int> layout_;
    std::vector<int> shown_;
    std::vector<std::pair<int, std::wstring>> texts_;
    std::wstring tipBuffer_;
    bool customizing_ = false;
};

// A command caption as a tip: without the mnemonic ("(&B)" or "&") and
// without the shortcut after a tab.
std::wstring CaptionAsTip(const std::wstring& caption);

}  // namespace typorama::ui
