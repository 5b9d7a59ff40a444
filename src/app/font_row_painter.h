// Drawing one row of the font list: the sample in the row's own typeface,
// the tag check box, the installed mark and the small name line. Nothing is
// kept per row: each call creates the row's font and deletes it again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/main_settings.h"
#include "catalog/font_list.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::app {

inline constexpr wchar_t kDefaultSampleText[] = L"AaBbCc123";

// The check box and mark images drawn once from the image strip, so that a
// row blits them (ImageList_Draw composes each image anew, which costs more
// than the rest of the row's marks put together).
class MarkImages {
public:
    explicit MarkImages(HIMAGELIST images);
    ~MarkImages();
    MarkImages(const MarkImages&) = delete;
    MarkImages& operator=(const MarkImages&) = delete;

    bool Ready() const { return colour_ && *colour_ && mask_ && *mask_; }
    // Draws image `index` (0..5) with its transparent parts left alone.
    void Draw(HDC dc, int index, int x, int y) const;

private:
    win::UniqueBitmap colourBitmap_;
    win::UniqueBitmap maskBitmap_;
    std::optional<win::MemoryDC> colour_;  // holds colourBitmap_
    std::optional<win::MemoryDC> mask_;    // holds maskBitmap_
};

// What every row of one paint shares.
struct RowPaintOptions {
    int size = 36;                 // sample height S in pixels (at the list's resolution)
    int nameLineHeight = 10;       // the band of the name line under the sample
    bool showFontName = true;
    bool showCheckBoxes = true;
    bool showInstalledGlyph = true;
    bool folderSource = false;     // a folder or search results, not the loaded fonts
    DisplayColors colors{};
    HIMAGELIST images = nullptr;
    const MarkImages* marks = nullptr;  // used instead of `images` when ready
    HFONT nameLineFont = nullptr;
    // The sample: the user's text when it is not empty, else each font's name.
    std::wstring userText;
    bool useUserText = false;
};

// The user's sample text trimmed; "AaBbCc123" when nothing is left.
std::wstring UserSampleText(const std::wstring& boxText);

// The sample, unless the font selected into `dc` lacks most of its
// characters (a symbol font, a font of another script): then characters of
// the font's own main script, so that a row never shows only empty boxes.
std::wstring SampleThatShows(HDC dc, const std::wstring& sample);

// The installed mark of a row: the image index, or -1 for none. For a
// folder source 3 means this file is the installed one, 4 that a font of
// this name is installed from another file, 5 that it is not installed (no
// mark when only the list loaded it for display); among the loaded fonts
// only those not installed get 5.
int InstalledMark(const catalog::TFontListItem& item, bool folderSource);

// The part of a row where a click ticks its check box; `enlarged` gives the
// more forgiving area the mouse is tested against.
RECT CheckBoxHitArea(const RECT& row, bool enlarged);

// Where a row's install mark is drawn: beside the check box when that is shown.
RECT MarkArea(const RECT& row, bool afterCheckBox);

// The name line: the name, followed for a folder source by " -- " and the
// file's name without its folder.
std::wstring NameLineText(catalog::TFontListItem& item, bool folderSource);

// Draws `item` into `row` of `dc`; `focused` adds the focus cue (the list
// has the keyboard focus and this is its current row).
void PaintFontRow(HDC dc, const RECT& row, bool selected, catalog::TFontListItem& item, const RowPaintOptions& options,
                  bool focused = false);

}  // namespace typorama::app
