// ThCharMap: the grid of characters at the centre of the character map. 16
// columns by 14 rows of cells, one character each (codes 32 to 255 of the
// font's own code page unless the owner says otherwise), a current cell moved
// by the mouse and the arrow keys, and the current character shown enlarged
// over a dimmed grid while the left button is held.
//
// The control knows nothing of the font list: its owner gives it a logical
// font to draw with. Geometry and hit-testing live in char_grid_geometry.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "charmap/char_grid_geometry.h"
#include "ui/window_base.h"
#include "win/color_value.h"

namespace typorama::charmap {

struct CharMapArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int cellWidth = CharGridGeometry::kDefaultCellSize;
    int cellHeight = CharGridGeometry::kDefaultCellSize;
    bool visible = true;
};

class ThCharMap : public ui::Window<ThCharMap> {
public:
    static constexpr wchar_t kClassName[] = L"ThCharMap";
    static void DescribeClass(WNDCLASSEXW& wc);

    explicit ThCharMap(const CharMapArgs& args);
    ~ThCharMap() override;

    HWND Hwnd() const { return window_; }

    const LOGFONTW& CharFont() const { return charFont_; }
    // Copies the description; the caller repaints.
    void SetCharFont(const LOGFONTW& font) { charFont_ = font; }

    int CellWidth() const { return geometry_.CellWidth(); }
    int CellHeight() const { return geometry_.CellHeight(); }
    // A new size resizes the control at once; its position stays.
    void SetCellWidth(int width);
    void SetCellHeight(int height);
    GridSize SnapGridSize(int availableWidth, int availableHeight) const {
        return CharGridGeometry::Snap(availableWidth, availableHeight);
    }

    GridCell CurrentCell() const { return current_; }
    GridCell PreviousCell() const { return previous_; }
    // Clamped to the grid; raises OnCharChange when the cell changes.
    void SetCurrentCell(int column, int row);
    GridCell CellFromPoint(int x, int y) const { return geometry_.CellFromPoint(x, y, current_); }
    int GetCurrentChar() const { return CharGridGeometry::CodeOf(current_, firstCode_); }
    std::wstring GetAltKeyText() const;
    // The code page the cells' codes belong to: that of the character set the
    // system really gives the character font. The text of a code in it
    // (CodeText when set); empty for a lone lead byte of a double-byte page.
    UINT CodePage() const;
    std::wstring CharacterText(int code) const;

    // The code of the first cell; the others follow row by row.
    int FirstCode() const { return firstCode_; }
    void SetFirstCode(int code);
    // The text drawn for a code. Without one a code is a single byte of the
    // code page of the font's character set.
    std::function<std::wstring(int code)> CodeText;

    CodeLabelMode LabelMode() const { return labelMode_; }
    void SetLabelMode(CodeLabelMode mode) { labelMode_ = mode; }
    bool DrawBigChar() const { return drawBigChar_; }
    void SetDrawBigChar(bool on) { drawBigChar_ = on; }
    // True while the left button holds the enlarged character up.
    bool BigCharShown() const { return bigChar_; }

    // Program colour values (win/color_value.h).
    std::uint32_t FontColor() const { return fontColor_; }
    void SetFontColor(std::uint32_t color) { fontColor_ = color; }
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color) { backColor_ = color; }
    std::uint32_t SelColor() const { return selColor_; }
    void SetSelColor(std::uint32_t color) { selColor_ = color; }

    // The next paint is drawn off-screen first (used with a change of labels
    // or font, which repaints every cell).
    void SetBuffered() { buffered_ = true; }
    // Raises OnCharChange for the current cell, once the owner has set up.
    void AnnounceCurrentChar();

    // Draws the whole control into `dc` as a paint would.
    void PaintTo(HDC dc);

    // After every change of the current cell, with the new code.
    std::function<void(int code)> OnCharChange;
    // Every mouse and key message, after the control's own handling: the
    // owner's mouse, key and double-click events.
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> OnInput;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ButtonDown(bool leftButton, WPARAM keys, int x, int y);
    void MouseMove(WPARAM keys, int x, int y);
    void ButtonUp();
    void RepaintNow();
    void PaintOffScreen(HDC target);
    void InvalidateCell(GridCell cell);
    std::wstring TextOfCode(int code, UINT codePage) const;

    CharGridGeometry geometry_;
    GridCell current_;
    GridCell previous_;
    GridCell tracked_;
    LOGFONTW charFont_{};
    int firstCode_ = CharGridGeometry::kFirstCode;
    CodeLabelMode labelMode_ = CodeLabelMode::Decimal;
    bool drawBigChar_ = true;
    std::uint32_t fontColor_ = win::SystemColorValue(COLOR_WINDOWTEXT);
    std::uint32_t backColor_ = win::SystemColorValue(COLOR_WINDOW);
    std::uint32_t selColor_ = win::SystemColorValue(COLOR_HIGHLIGHT);
    bool bigChar_ = false;
    bool buttonDown_ = false;
    bool buffered_ = false;
};

}  // namespace typorama::charmap
