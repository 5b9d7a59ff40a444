#include "app/font_row_painter.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/list_view_rules.h"
#include "ui/image_strip.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::app {
namespace {

constexpr int kSampleIndent = 5;

constexpr int kMarkCount = 6;  // images 0..5 of the strip
constexpr std::size_t kOwnSampleLength = 10;

void DrawMark(const RowPaintOptions& options, int image, HDC dc, RECT& band) {
    const int x = band.left - 2;
    const int y = band.bottom - ui::kImageSize;
    if (options.marks && options.marks->Ready()) {
        options.marks->Draw(dc, image, x, y);
    } else if (options.images) {
        ImageList_Draw(options.images, image, dc, x, y, ILD_TRANSPARENT);
    }
    band.left += ui::kImageSize - 1;
}

}  // namespace

MarkImages::MarkImages(HIMAGELIST images) {
    if (!images) return;
    constexpr int kWidth = kMarkCount * ui::kImageSize;
    {
        win::WindowDC screen;
        colourBitmap_.reset(CreateCompatibleBitmap(screen.get(), kWidth, ui::kImageSize));
    }
    maskBitmap_.reset(CreateBitmap(kWidth, ui::kImageSize, 1, 1, nullptr));
    if (!colourBitmap_ || !maskBitmap_) return;
    colour_.emplace(nullptr, colourBitmap_.get());
    mask_.emplace(nullptr, maskBitmap_.get());
    if (!Ready()) return;
    // Transparent parts: black in the colour image (OR leaves the row alone),
    // white in the mask (AND leaves it alone).
    PatBlt(colour_->get(), 0, 0, kWidth, ui::kImageSize, BLACKNESS);
    PatBlt(mask_->get(), 0, 0, kWidth, ui::kImageSize, WHITENESS);
    for (int i = 0; i < kMarkCount; ++i) {
        ImageList_Draw(images, i, colour_->get(), i * ui::kImageSize, 0, ILD_TRANSPARENT);
        ImageList_Draw(images, i, mask_->get(), i * ui::kImageSize, 0, ILD_MASK);
    }
}

// The memory DCs let their bitmaps go before the bitmaps are deleted
// (members are destroyed in reverse order).
MarkImages::~MarkImages() = default;

void MarkImages::Draw(HDC dc, int index, int x, int y) const {
    if (!Ready() || index < 0 || index >= kMarkCount) return;
    // A monochrome source takes the target's text colour for 0 and its
    // background colour for 1: give it black and white for the mask.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, ui::kImageSize, ui::kImageSize, mask_->get(), index * ui::kImageSize, 0, SRCAND);
    BitBlt(dc, x, y, ui::kImageSize, ui::kImageSize, colour_->get(), index * ui::kImageSize, 0, SRCPAINT);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

std::wstring SampleThatShows(HDC dc, const std::wstring& sample) {
    if (sample.empty() || sample.size() > 4096) return sample;
    std::vector<WORD> glyphs(sample.size());
    if (GetGlyphIndicesW(dc, sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return sample;
    std::size_t shown = 0, missing = 0;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        if (sample[i] == L' ') continue;
        ++(glyphs[i] == 0xFFFF ? missing : shown);
    }
    if (!MostlyMissing(shown, missing)) return sample;
    const DWORD size = GetFontUnicodeRanges(dc, nullptr);
    if (size < sizeof(GLYPHSET)) return sample;
    std::vector<std::uint8_t> buffer(size);
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    if (GetFontUnicodeRanges(dc, set) != size) return sample;
    // The count is the system's claim about its own buffer: kept within it.
    const std::size_t room = (size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE);
    std::vector<CodeRange> ranges;
    for (std::size_t i = 0; i < std::min<std::size_t>(set->cRanges, room); ++i) {
        const WCRANGE& range = set->ranges[i];
        if (range.cGlyphs > 0) ranges.push_back({range.wcLow, static_cast<char32_t>(range.wcLow + range.cGlyphs - 1)});
    }
    const std::u16string own = OwnSampleText(ranges, kOwnSampleLength);
    return own.empty() ? sample : std::wstring(own.begin(), own.end());
}

std::wstring UserSampleText(const std::wstring& boxText) {
    std::size_t first = 0;
    std::size_t last = boxText.size();
    while (first < last && boxText[first] <= L' ') ++first;
    while (last > first && boxText[last - 1] <= L' ') --last;
    if (first == last) return kDefaultSampleText;
    return boxText.substr(first, last - first);
}

int InstalledMark(const catalog::TFontListItem& item, bool folderSource) {
    if (folderSource) {
        if (item.Installed || item.InstalledFromThisFile)
            return item.InstalledFromThisFile ? ui::kImageBadgeBlue : ui::kImageBadgePurple;
        return item.LoadedByList ? -1 : ui::kImageBadgeGreen;
    }
    return item.Installed ? -1 : ui::kImageBadgeGreen;
}

RECT CheckBoxHitArea(const RECT& row, bool enlarged) {
    RECT area{row.left + 2, row.bottom - ui::kImageSize - 3, row.left + 2 + 17, row.bottom - ui::kImageSize - 3 + 17};
    if (enlarged) InflateRect(&area, 2, 2);
    return area;
}

RECT MarkArea(const RECT& row, bool afterCheckBox) {
    // As DrawMark places it in the band at the foot of the sample.
    const LONG left = row.left + kSampleIndent - 2 + (afterCheckBox ? ui::kImageSize - 1 : 0);
    return RECT{left, row.bottom - 2 - ui::kImageSize, left + ui::kImageSize, row.bottom - 2};
}

std::wstring NameLineText(catalog::TFontListItem& item, bool folderSource) {
    if (!folderSource) return item.Name;
    const std::wstring& path = item.FileName();
    const std::size_t slash = path.find_last_of(L"\\/");
    return item.Name + L" -- " + (slash == std::wstring::npos ? path : path.substr(slash + 1));
}

void PaintFontRow(HDC dc, const RECT& row, bool selected, catalog::TFontListItem& item, const RowPaintOptions& options,
                  bool focused) {
    // Restored last, after the sample font and the brush are gone.
    win::SavedDC saved(dc);
    // Large samples reach beyond their text rectangle; nothing may reach into the next row.
    IntersectClipRect(dc, row.left, row.top, row.right, row.bottom);

    const std::wstring& sample = options.useUserText ? options.userText : item.Name;
    RECT text = row;
    if (options.showFontName) text.bottom -= options.nameLineHeight;
    text.left = row.left + kSampleIndent;

    LOGFONTW description = item.LogFont;
    description.lfHeight = options.size;  // positive: the cell height
    description.lfWidth = 0;
    description.lfCharSet = DEFAULT_CHARSET;
    win::UniqueFont font(CreateFontIndirectW(&description));

    const COLORREF back = selected ? options.colors.selection : options.colors.back;
    SetTextColor(dc, selected ? options.colors.selectionText : options.colors.font);
    SetBkColor(dc, back);
    SetBkMode(dc, OPAQUE);
    win::UniqueBrush brush(CreateSolidBrush(back));
    FillRect(dc, &row, brush.get());

    {
        win::SelectedObject sampleFont(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));
        // A string the user typed is shown as typed: which fonts lack it is
        // what the user is looking for.
        const bool typed = options.useUserText && options.userText != kDefaultSampleText;
        const std::wstring shown = font && !typed ? SampleThatShows(dc, sample) : sample;
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_NOCLIP);

        // The band of marks at the foot of the sample; a row cut to the
        // tallest row height keeps the band at its usual height above the row's foot.
        text.bottom = row.bottom - 2;
        text.top = std::min<LONG>(row.top + options.size - 4, text.bottom - options.nameLineHeight - 2);
        if (options.showCheckBoxes)
            DrawMark(options, item.Tagged ? ui::kImageCheckTicked : ui::kImageCheckEmpty, dc, text);
        if (options.showInstalledGlyph) {
            const int mark = InstalledMark(item, options.folderSource);
            if (mark >= 0) DrawMark(options, mark, dc, text);
        }

        if (options.showFontName && options.nameLineFont) {
            win::SelectedObject nameFont(dc, options.nameLineFont);
            SetTextColor(dc, selected ? options.colors.selectionText : options.colors.smallText);
            SetBkMode(dc, TRANSPARENT);
            const std::wstring line = NameLineText(item, options.folderSource);
            DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        }
    }  // the fonts selected before go back in; the sample font and the brush are deleted

    if (focused) {
        // Drawn by inverting: black and white make it show on any colour.
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
        RECT cue = row;
        InflateRect(&cue, -1, -1);
        DrawFocusRect(dc, &cue);
    }
}

}  // namespace typorama::app
