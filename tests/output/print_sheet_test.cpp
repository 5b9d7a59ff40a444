// The print page draws its objects where the sheet geometry puts them, on a
// bitmap standing for a device of a chosen resolution.
#include "output/print_sheet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::output {
namespace {

constexpr COLORREF kBackground = RGB(0, 128, 0);
constexpr COLORREF kFill = RGB(255, 255, 0);
constexpr COLORREF kFrame = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A top-down 32-bit bitmap selected into a memory DC, filled with one colour.
class Surface {
public:
    Surface(int width, int height, COLORREF fill) {
        info_.biSize = sizeof info_;
        info_.biWidth = width;
        info_.biHeight = -height;
        info_.biPlanes = 1;
        info_.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info_), DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        dc_.emplace(nullptr, bitmap_.get());
        const win::UniqueBrush brush(CreateSolidBrush(fill));
        const RECT all{0, 0, width, height};
        FillRect(dc_->get(), &all, brush.get());
    }
    bool Ready() const { return bits_ && *dc_; }
    HDC dc() const { return dc_->get(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[static_cast<std::size_t>(y) * info_.biWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool SaveBmp(const char* path) const {
        GdiFlush();
        const DWORD size = static_cast<DWORD>(info_.biWidth * -info_.biHeight * 4);
        BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof info_};
        file.bfSize = file.bfOffBits + size;
        FILE* out = std::fopen(path, "wb");
        if (!out) return false;
        const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                             std::fwrite(&info_, sizeof info_, 1, out) == 1 && std::fwrite(bits_, size, 1, out) == 1;
        return std::fclose(out) == 0 && written;
    }

private:
    BITMAPINFOHEADER info_{};
    win::UniqueBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::optional<win::MemoryDC> dc_;
};

// The rows of `area` that hold anything but `paper`: first and last, or -1.
std::pair<int, int> InkedRows(const Surface& surface, const PixelRect& area, COLORREF paper) {
    int first = -1;
    int last = -1;
    for (int y = area.y; y < area.y + area.h; ++y)
        for (int x = area.x; x < area.x + area.w; ++x)
            if (surface.At(x, y) != paper) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last};
}

TEST(PrintSheetTest, EveryKindOfObjectLandsWhereTheGeometrySays) {
    for (int dpi : {96, 600}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        const int side = MmToPixels(60, static_cast<float>(dpi / 25.4));
        Surface surface(side, side, kBackground);
        ASSERT_TRUE(surface.Ready());
        TPage page;
        page.SetCanvas(surface.dc(), SurfaceMetrics(dpi, side, side));
        page.LeftMargin = 2;
        page.TopMargin = 1;

        auto& box = page.Add<TBoxObject>();
        box.Left = 1, box.Top = 1, box.Width = 25, box.Height = 15;
        box.Brush.color = kFill;
        box.Pen.color = kFrame;
        auto& text = page.Add<TTextObject>();
        text.Left = 2, text.Top = 2, text.Width = 23, text.Height = 13;
        text.PointSize = 10;
        text.WordWrap = true;
        text.VertAlign = VerticalAlignment::Centre;
        text.HorzAlign = HorizontalAlignment::Centre;
        text.Text = L"Sample sheets";
        auto& open = page.Add<TBoxObject>();
        open.Left = 30, open.Top = 1, open.Width = 25, open.Height = 15;
        open.Brush.kind = BrushKind::Clear;
        open.Pen.color = kFrame;
        open.Sides = kSideLeft | kSideTop;
        auto& note = page.Add<TTextObject>();  // only looked at
        note.Left = 31, note.Top = 2, note.Width = 23, note.Height = 13;
        note.UseOwnFont = true, note.Ellipsis = 1, note.VertAlign = VerticalAlignment::Bottom;
        note.Text = L"A line too long for its box ends with an ellipsis";
        auto& map = page.Add<TCharMapObject>();
        map.Left = 1, map.Top = 20, map.Width = 56, map.Height = 38;
        map.ShowFrame = map.ShowGrid = map.ShowCodes = true;
        lstrcpynW(page.LogFont.lfFaceName, L"DejaVu Serif", LF_FACESIZE);
        page.Draw();

        const PixelRect b = page.Place(box.Left, box.Top, box.Width, box.Height);
        EXPECT_EQ(surface.At(b.x, b.y), kFrame);
        EXPECT_EQ(surface.At(b.x + b.w, b.y + b.h), kFrame) << "the frame's lines end on the far corner";
        EXPECT_EQ(surface.At(b.x + b.w, b.y), kFrame);
        EXPECT_EQ(surface.At(b.x + 2, b.y + 2), kFill);
        EXPECT_EQ(surface.At(b.x - 1, b.y - 1), kBackground);
        EXPECT_EQ(surface.At(b.x + b.w + 1, b.y + b.h + 1), kBackground);

        const PixelRect o = page.Place(open.Left, open.Top, open.Width, open.Height);
        EXPECT_EQ(surface.At(o.x, o.y + o.h / 2), kFrame) << "left side";
        EXPECT_EQ(surface.At(o.x + o.w / 2, o.y), kFrame) << "top side";
        EXPECT_EQ(surface.At(o.x + o.w, o.y + o.h / 2), kBackground) << "no right side, no fill";

        // The wrapped text stands in the middle of its box, not at its top.
        const PixelRect t = page.Place(text.Left, text.Top, text.Width, text.Height);
        const auto [first, last] = InkedRows(surface, t, kFill);
        ASSERT_GE(first, 0) << "the text was drawn";
        const int above = first - t.y;
        const int below = t.y + t.h - 1 - last;
        EXPECT_GT(above, t.h / 8);
        EXPECT_LT(std::abs(above - below), t.h / 4) << above << " above, " << below << " below";

        const PixelRect m = page.Place(map.Left, map.Top, map.Width, map.Height);
        const CharMapLayout cells = LayOutCharMap(m);
        EXPECT_EQ(surface.At(m.x, m.y), kBlack);
        EXPECT_EQ(surface.At(m.x + m.w - 1, m.y + m.h - 1), kBlack);
        EXPECT_EQ(surface.At(m.x + m.w, m.y + m.h), kBackground);
        EXPECT_EQ(surface.At(m.x + 1, m.y + cells.rowHeight), kBlack) << "a grid line";
        EXPECT_EQ(surface.At(m.x + cells.columnWidth, m.y + 1), kBlack) << "a grid line";
        EXPECT_EQ(surface.At(m.x + cells.columnWidth - 2, m.y + cells.rowHeight - 2), kWhite)
            << "the space's cell is filled white";

        // For a person to look at: TYPORAMA_PRINT_SAMPLE names a .bmp file.
        const char* sample = std::getenv("TYPORAMA_PRINT_SAMPLE");
        if (dpi == 600 && sample && *sample) {
            EXPECT_TRUE(surface.SaveBmp(sample));
        }
    }
}

TEST(PrintSheetTest, CharacterMapShowsTheCodesOfTheFontsCharacterSet) {
    const auto index = [](int code) { return code - kCharMapFirstCode; };
    EXPECT_EQ(CharMapCharacters(RUSSIAN_CHARSET)[index(192)], L'\x0410') << "Cyrillic A";
    EXPECT_EQ(CharMapCharacters(ANSI_CHARSET)[index(128)], L'\x20AC') << "the euro sign of Western";
    EXPECT_EQ(CharMapCharacters(DEFAULT_CHARSET)[index(233)], L'\x00E9');
    EXPECT_EQ(CharMapCharacters(SYMBOL_CHARSET)[index(192)], L'\x00C0') << "symbol fonts keep the codes";
    EXPECT_EQ(CharMapCharacters(GB2312_CHARSET)[index(200)], L'\x00C8') << "a lone lead byte is no character";
}

}  // namespace
}  // namespace typorama::output
