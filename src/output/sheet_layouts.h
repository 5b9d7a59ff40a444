// The four printed sheet layouts: what each sheet or listing row holds, how
// many pages a run takes, where a run pauses and where the sheet sits on the
// paper when it is centred. Pure code: the print run (print_run.h) turns the
// items into the page's printable objects and draws them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "output/sheet_geometry.h"

namespace typorama::output {

enum class SheetKind : int { CharacterMap = 0, SampleSheet = 1, Listing1 = 2, Listing2 = 3 };
inline constexpr int kSheetKinds = 4;

// A layout's size in millimetres (used to centre it), whether it prints one
// row per font with several fonts to a page, and its thumbnail.
struct SheetData {
    float Width = 0.0f;
    float Height = 0.0f;
    bool RowLayout = false;
    int FontsPerPage = 1;
    float RowHeight = 0.0f;  // row layouts only
    int ImageIndex = 0;
};

inline constexpr std::array<SheetData, kSheetKinds> kSheets = {{
    {176.0f, 261.0f, false, 1, 0.0f, 0},
    {176.0f, 261.0f, false, 1, 0.0f, 1},
    {176.0f, 266.0f, true, 15, 17.5f, 2},
    {176.0f, 266.0f, true, 9, 29.0f, 2},
}};

const SheetData& Sheet(SheetKind kind);

// The pages `fonts` fonts take at `fontsPerPage` a page: rounded up.
int PageCount(int fonts, int fontsPerPage);

struct Margins {
    float left = 0.0f;
    float top = 0.0f;
};

// Centres a sheet `width` × `height` mm on the paper of `paper`, moved back
// inside the printable area where it would run off the right or the bottom
// (and half a millimetre inside the unprintable strip's edge when the
// printable area is smaller than the sheet).
Margins AutomaticMargins(const SheetGeometry& paper, float width, float height);

// One page of a print run: the fonts it holds and whether the run pauses
// after it (every `pauseAfter` pages, never after the last).
struct PlannedPage {
    int firstFont = 0;
    int fontCount = 0;
    int pageNumber = 1;
    bool pauseAfter = false;
    bool operator==(const PlannedPage&) const = default;
};

std::vector<PlannedPage> PlanPages(int fonts, int fontsPerPage, int pauseAfter);

// What one printed object is, device-free. Text in `ownFace` at `points` when
// `ownFont`, else in the printed font at `points`.
struct SheetItem {
    enum class Kind : unsigned char { Box, Text, CharMap };
    Kind kind = Kind::Text;
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::u16string text;
    bool ownFont = false;
    std::u16string ownFace;
    int points = 14;
    bool bold = false;
    HorizontalAlignment horz = HorizontalAlignment::Left;
    VerticalAlignment vert = VerticalAlignment::Top;
    bool wordWrap = false;
    bool ellipsis = false;
    // Character maps
    bool grid = false;
    bool frame = false;
    bool codes = false;
};

// The facts a sheet shows about its font; `fileLine` is the "file name"
// line already filled with the path and size; an empty `filePath` means the
// file is not known.
struct SheetFont {
    std::u16string name;
    std::u16string script;
    std::u16string filePath;
    std::u16string fileLine;
    std::u16string copyright;
};

// The user's two sample texts and the sheets' own words.
struct SheetTexts {
    std::u16string shortText;
    std::u16string paragraphText;
    std::u16string scriptLabel;  // put before the script on the sample sheet
    std::u16string sizeLabel;    // pattern of a size label, %d the points
    std::u16string footer;
    std::u16string pageLabel;    // put before the page number of a listing
};

// The objects of the sheet of one font (character map, sample sheet), or of
// its row of a listing (placed at the top of the sheet: the page moves it down
// to its row).
std::vector<SheetItem> BuildSheet(SheetKind kind, const SheetFont& font, const SheetTexts& texts);

// The footer of a listing page, with its page number.
std::vector<SheetItem> BuildListingFooter(const SheetTexts& texts, int pageNumber);

}  // namespace typorama::output
