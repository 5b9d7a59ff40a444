// TfrmCharMap: the character map, a top-level window beside the main window
// that shows the characters 32 to 255 of one font in the grid (ThCharMap),
// lets the user switch between the scripts the font has, collect characters
// into a text to paste elsewhere, and copy one character as text, as rich
// text carrying the font, or as a vector image of its outline. It knows
// nothing of the font list: its owner tells it which font to show. Its
// placement, options and toolbar layout are kept in the `Charmap` settings
// subkey.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "charmap/char_map.h"
#include "charmap/char_map_placement.h"
#include "settings/settings_store.h"
#include "ui/window_base.h"
#include "win/unique_handle.h"

namespace typorama::charmap {

// One script (character set) of a face: the system's name for it ("Western",
// "Greek", "CHINESE_GB2312") and the logical font of the face in it.
struct TScriptData {
    std::wstring name;
    LOGFONTW logFont{};
};

// The scripts the system reports for the face of `font` whose full name is
// `fullName`, one per name, sorted by name (letter case ignored).
// `defaultScript` gets the first name reported.
std::vector<TScriptData> EnumerateScripts(const LOGFONTW& font, const std::wstring& fullName,
                                          std::wstring& defaultScript);

// What the window shows of a font.
struct CharMapFont {
    std::wstring name;  // full name
    LOGFONTW logFont{};
    std::wstring file;  // empty: the file is not known
    std::int64_t fileSize = 0;
    std::wstring copyright;
};

// The values of the `Charmap` subkey.
struct CharMapSettings {
    std::int32_t left = 50;
    std::int32_t top = 50;
    std::int32_t width = 510;
    std::int32_t height = 400;
    bool topmost = false;
    std::int32_t labelMode = 0;
    bool useCustomMaxPos = false;
    bool maximized = false;
    Placement maxPos;
};

class TfrmCharMap : public ui::Window<TfrmCharMap> {
public:
    static constexpr wchar_t kClassName[] = L"TfrmCharMap";
    static void DescribeClass(WNDCLASSEXW& wc);
    static constexpr wchar_t kSettingsKey[] = L"Charmap";
    static constexpr wchar_t kToolbarKey[] = L"Charmap\\Toolbar";

    // `settingsRoot` is where the window's settings are read and written.
    explicit TfrmCharMap(settings::SettingsRoot settingsRoot = settings::ActiveSettingsRoot());
    ~TfrmCharMap() override;

    // Creates the window, hidden, with its stored placement and options;
    // false when it could not be made. Show() then shows it as it was left
    // (maximised when it was, with a custom maximised placement).
    bool Create();
    void Show();
    HWND Hwnd() const { return window_; }

    // Shows `font` (nothing when it is the one shown). Without a font (an
    // empty main list) the grid keeps what it shows and the caption says so.
    // `systemSource`: the main list shows the loaded fonts, so the script of
    // the font's own character set is chosen, else the first one reported.
    void ShowFont(const CharMapFont* font, bool systemSource);
    // Program colour values of the characters, the background and the current cell.
    void ApplyColours(std::uint32_t text, std::uint32_t back, std::uint32_t selection);

    ThCharMap& Grid() { return *grid_; }
    const std::vector<TScriptData>& Scripts() const { return scripts_; }
    const std::wstring& DefaultScript() const { return defaultScript_; }
    int SelectedScript() const;
    // As the user's choice in the script list: the grid draws that script.
    void SelectScript(int index);
    std::wstring ScriptLabel() const;
    std::wstring StatusText(int panel) const;

    // The characters collected, as the toolbar's edit holds them.
    std::wstring CopyBuffer() const;
    void SetCopyBuffer(const std::wstring& text);
    // Set by "复制", cleared by every character appended or removed.
    bool Copied() const { return copied_; }
    void AppendCurrentChar();
    void ClearAndAppendCurrentChar();
    void RemoveLastChar();
    bool CopyBufferToClipboard();

    // The current character as text, as rich text with its font, as a vector image.
    bool CopyCharAsText();
    bool CopyCharAsRichText();
    bool CopyCharAsVector();
    // The rich text of the current character in the grid's font.
    std::string RichTextOfCurrentChar() const;

    CodeLabelMode LabelMode() const { return grid_->LabelMode(); }
    void SetLabelMode(CodeLabelMode mode);
    bool Topmost() const { return topmost_; }
    void SetTopmost(bool on);
    // The custom maximised placement while it is in use.
    std::optional<Placement> CustomMaxPlacement() const;
    // "最大化时使用这个尺寸/位置" after the question, and its opposite.
    void UseThisPlacementWhenMaximised();
    void UseDefaultMaximisedPlacement();
    // Placed at left, top with the grid snapped to whole cells.
    void PlaceAt(int left, int top, int width, int height);

    // The layout of the toolbar: item ids in order, 0 for a separator.
    const std::vector<int>& ToolbarLayout() const { return layout_; }
    static const std::vector<int>& DefaultToolbarLayout();

    // Enter on the grid: the main window comes to the front.
    std::function<void()> OnShowMain;
    // The beep of Backspace with nothing to remove.
    std::function<void()> Beep = [] { MessageBeep(MB_OK); };
    // WM_DESTROY: the owner forgets the window.
    std::function<void()> OnDestroyed;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void BuildToolbar();
    void Layout();
    GridFrame Frame() const;
    void OnCommand(int id, int code, HWND control);
    void OnGridInput(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCharChange(int code);
    void ShowPopup(POINT screen);
    HMENU BuildPopup() const;
    bool OnClose();
    void ReadSettings();
    void WriteSettings();
    void UpdateCaption();
    void RebuildScripts(bool systemSource);
    void SetPanel(int panel, const std::wstring& text);
    void ApplyFonts();

    settings::SettingsRoot settingsRoot_;
    std::unique_ptr<ThCharMap> grid_;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    HWND scriptLabel_ = nullptr;  // lblScripts
    HWND scripts_box_ = nullptr;  // cmbScripts
    HWND copyLabel_ = nullptr;    // lblCopy
    HWND copyEdit_ = nullptr;     // txtCopyBuffer
    HWND lastFocus_ = nullptr;
    win::UniqueFont uiFont_;
    std::vector<int> layout_;
    std::vector<TScriptData> scripts_;
    std::wstring defaultScript_;
    std::optional<CharMapFont> shown_;
    std::wstring panels_[3];
    bool copied_ = false;
    bool topmost_ = false;
    bool useCustomMaxPos_ = false;
    bool startMaximized_ = false;
    Placement maxPos_;
};

}  // namespace typorama::charmap
