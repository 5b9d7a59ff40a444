// Rules of the font list view that need no window: the sample size and its
// menu of sizes, and where the status bar's four texts go. Pure code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace typorama {

// Sample sizes in pixels: what the size commands keep to.
inline constexpr int kDefaultFontSize = 36;
inline constexpr int kMinFontSize = 20;
inline constexpr int kMaxFontSize = 1000;
inline constexpr int kFontSizeStep = 10;
inline constexpr std::u16string_view kDefaultFontSizeList = u"22 28 36 48 72 100";

// The name line under each sample, in pixels at 96 dpi.
inline constexpr int kNameLineHeight = 10;
// The tallest row: the increase command has no upper limit, and GDI on the
// old systems drew within 16-bit coordinates.
inline constexpr int kMaxRowHeight = 32767;

// A size given in pixels at 96 dpi, at `dpi` (rounded as MulDiv rounds).
int ScaleToDpi(int pixels, int dpi);

// The row height for sample size `size` at `dpi`: the sample and the name
// line (10 pixels) both scaled from 96 dpi; never more than kMaxRowHeight.
int RowHeight(int size, bool showFontName, int dpi = 96);

// The size list as stored, cleaned: trimmed, each run of spaces one space,
// the default list when nothing is left.
std::u16string CleanFontSizes(std::u16string_view sizes);
// The entries of a cleaned list, in order.
std::vector<std::u16string> SplitFontSizes(std::u16string_view cleaned);
// An entry's value; -1 when it is not a number.
int FontSizeEntryValue(std::u16string_view entry);

// A size typed by the user or chosen from the list: trimmed, a non-number
// becomes 36, then kept within 20..1000.
int ParseFontSize(std::u16string_view text);
// The increase command has no upper limit; the decrease stops at 20.
int IncreasedFontSize(int size);
int DecreasedFontSize(int size);

// Colours in COLORREF's layout, 0x00BBGGRR.
// The contrast ratio of two colours as the accessibility guidelines define it
// (1 for equal colours, 21 for black on white).
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// The selection colour to draw over `back`: unchanged when it stands out by
// at least 1.5:1; else darkened just enough (lightened where the background
// is too dark for darkening to reach it).
inline constexpr double kMinSelectionContrast = 1.5;
std::uint32_t VisibleSelectionColor(std::uint32_t selection, std::uint32_t back);

// A sample for a font that lacks most characters of the usual one: the first
// `count` characters of the 256-code-point block where the font maps the most
// characters (its main script; blocks of symbols only when it has no other),
// leaving out controls, spaces and combining marks. `ranges`
// are the font's mapped characters as inclusive first-last pairs, ascending.
// Empty when the font maps nothing that can be shown.
struct CodeRange {
    char32_t first;
    char32_t last;
};
std::u16string OwnSampleText(const std::vector<CodeRange>& ranges, std::size_t count);
// Whether a sample shows too little of a font: more than half its characters
// (not counting spaces) are missing.
bool MostlyMissing(std::size_t shown, std::size_t missing);

// The status bar: one owner-drawn panel holding four texts. Slots 3, 2 and 1
// are laid out from the right edge leftwards, slot 0 takes what is left.
struct SlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct StatusSlotInput {
    int barClientWidth = 0;
    int panelLeft = 0;
    int panelTop = 0;
    int panelHeight = 0;
    int margin = 0;  // kept free at the right: a scroll bar's width + 3
    std::array<int, 4> textWidths{};
    std::array<bool, 4> empty{};  // slots with no text take no room
};

struct StatusSlots {
    std::array<bool, 4> shown{};    // slots 1..3 that have a rectangle
    std::array<SlotRect, 4> slots{};  // [0] is the message area
};

StatusSlots ComputeStatusSlots(const StatusSlotInput& in);
// The slot under a point, tested in the order 3, 2, 1; -1 for none of them.
int StatusSlotAt(const StatusSlots& slots, int x, int y);

}  // namespace typorama
