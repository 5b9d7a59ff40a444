#include "output/print_sheet.h"

#include <algorithm>
#include <climits>
#include <string>

#include "win/gdi.h"

namespace typorama::output {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The page's font comes from a font list whose face names were read from
// font files: a name that fills the whole field has no terminator of its own.
win::UniqueFont MakeFont(LOGFONTW description) {
    description.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return win::UniqueFont(CreateFontIndirectW(&description));
}

RECT ToRect(const PixelRect& r) { return {r.x, r.y, r.x + r.w, r.y + r.h}; }

int TextLength(const std::wstring& text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

void DrawLines(HDC dc, const std::vector<PixelLine>& lines) {
    for (const PixelLine& line : lines) {
        MoveToEx(dc, line.x1, line.y1, nullptr);
        LineTo(dc, line.x2, line.y2);
    }
}

void DrawBox(HDC dc, const TPage& page, const TBoxObject& box) {
    const PixelRect area = page.Place(box.Left, box.Top, box.Width, box.Height);
    win::SavedDC saved(dc);
    if (box.Brush.kind == BrushKind::Solid) {
        const win::UniqueBrush brush(CreateSolidBrush(box.Brush.color));
        const RECT rect = ToRect(area);
        if (brush) FillRect(dc, &rect, brush.get());
    }
    const std::vector<PixelLine> lines = BoxSideLines(area, box.Sides);
    if (lines.empty()) return;
    const win::UniquePen pen(CreatePen(box.Pen.style, box.Pen.width, box.Pen.color));
    win::SelectedObject selected(dc, pen.get());
    DrawLines(dc, lines);
}

UINT HorizontalFormat(HorizontalAlignment align) {
    switch (align) {
    case HorizontalAlignment::Centre:
        return DT_CENTER;
    case HorizontalAlignment::Right:
        return DT_RIGHT;
    case HorizontalAlignment::Left:
        break;
    }
    return DT_LEFT;
}

UINT VerticalFormat(VerticalAlignment align) {
    switch (align) {
    case VerticalAlignment::Centre:
        return DT_VCENTER;
    case VerticalAlignment::Bottom:
        return DT_BOTTOM;
    case VerticalAlignment::Top:
        break;
    }
    return DT_TOP;
}

void DrawTextObject(HDC dc, const TPage& page, const TTextObject& text) {
    const PixelRect area = page.Place(text.Left, text.Top, text.Width, text.Height);
    LOGFONTW description;
    COLORREF colour = kBlack;
    if (text.UseOwnFont) {
        description = text.Font.At(page.DpiY);
        colour = text.Font.color;
    } else {
        description = page.LogFont;
        description.lfHeight = -PointsToPixels(text.PointSize, page.DpiY);
        description.lfWidth = 0;
    }
    win::SavedDC saved(dc);
    const win::UniqueFont font = MakeFont(description);
    win::SelectedObject selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);

    UINT format = DT_NOPREFIX | DT_EDITCONTROL | HorizontalFormat(text.HorzAlign);
    if (text.Ellipsis == 1) format |= DT_END_ELLIPSIS;
    RECT rect = ToRect(area);
    const int length = TextLength(text.Text);
    if (text.WordWrap) {
        format |= DT_WORDBREAK;
        // DrawText aligns only single lines vertically: a wrapped block is
        // measured and moved down itself.
        if (text.VertAlign != VerticalAlignment::Top) {
            RECT measured = rect;
            const int height = DrawTextW(dc, text.Text.c_str(), length, &measured, format | DT_CALCRECT);
            rect.top = AlignedTextTop(area, height, text.VertAlign);
        }
    } else {
        format |= DT_SINGLELINE | VerticalFormat(text.VertAlign);
    }
    DrawTextW(dc, text.Text.c_str(), length, &rect, format);
}

void DrawCharMap(HDC dc, const TPage& page, const TCharMapObject& map) {
    const PixelRect area = page.Place(map.Left, map.Top, map.Width, map.Height);
    const CharMapLayout layout = LayOutCharMap(area);
    const RECT whole = ToRect(area);
    win::SavedDC saved(dc);

    LOGFONTW description = page.LogFont;
    description.lfHeight = layout.charHeight;  // positive: the cell height
    description.lfWidth = 0;
    const win::UniqueFont charFont = layout.DrawsCharacters() ? MakeFont(description) : win::UniqueFont();
    win::SelectedObject selectedCharFont(dc, charFont.get());
    const win::UniquePen framePen(CreatePen(PS_SOLID, map.PenWidth, kBlack));
    const win::UniqueBrush white(CreateSolidBrush(kWhite));
    const HGDIOBJ clear = GetStockObject(NULL_BRUSH);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);

    if (map.ShowFrame) {
        win::SelectedObject pen(dc, framePen.get());
        win::SelectedObject brush(dc, map.Transparent ? clear : white.get());
        Rectangle(dc, whole.left, whole.top, whole.right, whole.bottom);
    } else if (!map.Transparent && white) {
        FillRect(dc, &whole, white.get());
    }

    if (layout.DrawsCharacters() && charFont) {
        const std::array<wchar_t, kCharMapCells> characters = CharMapCharacters(description.lfCharSet);
        for (int i = 0; i < kCharMapCells; ++i) {
            RECT cell = ToRect(layout.Cell(i));
            DrawTextW(dc, &characters[i], 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    if (map.ShowCodes && layout.DrawsCodes()) {
        LOGFONTW codes{};
        codes.lfHeight = layout.codeHeight;
        codes.lfWeight = FW_NORMAL;
        codes.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(codes.lfFaceName, L"Arial", LF_FACESIZE);
        const win::UniqueFont codeFont = MakeFont(codes);
        win::SelectedObject selectedCodeFont(dc, codeFont.get());
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        for (int i = 0; i < kCharMapCells; ++i) {
            const PixelRect cell = layout.Cell(i);
            const std::wstring code = std::to_wstring(CharMapLayout::Code(i));
            TextOutW(dc, cell.x + layout.codeOffsetX, cell.y + layout.codeOffsetY, code.c_str(), TextLength(code));
        }
    }

    if (map.ShowGrid) {
        const win::UniquePen gridPen(CreatePen(PS_SOLID, 1, kBlack));
        win::SelectedObject pen(dc, gridPen.get());
        DrawLines(dc, layout.GridLines());
    }

    // Again over the grid, whose lines reach the frame.
    if (map.ShowFrame) {
        win::SelectedObject pen(dc, framePen.get());
        win::SelectedObject brush(dc, clear);
        Rectangle(dc, whole.left, whole.top, whole.right, whole.bottom);
    }
}

}  // namespace

LOGFONTW FontStyle::At(int dpiY) const {
    LOGFONTW description{};
    description.lfHeight = -PointsToPixels(points, dpiY);
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = italic ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    return description;
}

DeviceMetrics ReadDeviceMetrics(HDC dc) {
    if (!dc) return {};
    return {GetDeviceCaps(dc, LOGPIXELSX),     GetDeviceCaps(dc, LOGPIXELSY),
            GetDeviceCaps(dc, PHYSICALWIDTH),  GetDeviceCaps(dc, PHYSICALHEIGHT),
            GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
            GetDeviceCaps(dc, HORZRES),        GetDeviceCaps(dc, VERTRES)};
}

std::array<wchar_t, kCharMapCells> CharMapCharacters(BYTE charset) {
    std::array<wchar_t, kCharMapCells> characters{};
    for (int i = 0; i < kCharMapCells; ++i) characters[i] = static_cast<wchar_t>(CharMapLayout::Code(i));
    if (charset == SYMBOL_CHARSET) return characters;
    // A font that names no set of its own is shown as a Western one.
    UINT codePage = 1252;
    if (charset != DEFAULT_CHARSET) {
        CHARSETINFO info{};
        if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<DWORD_PTR>(charset)), &info, TCI_SRCCHARSET))
            return characters;
        codePage = info.ciACP;
    }
    CPINFO pageInfo{};
    if (!GetCPInfo(codePage, &pageInfo) || pageInfo.MaxCharSize != 1) return characters;
    for (int i = 0; i < kCharMapCells; ++i) {
        const char byte = static_cast<char>(CharMapLayout::Code(i));
        wchar_t character = 0;
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &character, 1) == 1)
            characters[i] = character;
    }
    return characters;
}

TPage::TPage() {
    LogFont.lfCharSet = DEFAULT_CHARSET;
}

void TPage::SetCanvas(HDC canvas) {
    canvas_ = canvas;
    UpdateMetrics();
}

void TPage::SetCanvas(HDC canvas, const DeviceMetrics& metrics) {
    canvas_ = canvas;
    ApplyDevice(metrics);
}

void TPage::UpdateMetrics() { ApplyDevice(ReadDeviceMetrics(canvas_)); }

void TPage::Draw() const {
    if (!canvas_) return;
    for (const auto& object : objects_) {
        if (const auto* map = dynamic_cast<const TCharMapObject*>(object.get())) {
            DrawCharMap(canvas_, *this, *map);
        } else if (const auto* box = dynamic_cast<const TBoxObject*>(object.get())) {
            DrawBox(canvas_, *this, *box);
        } else if (const auto* text = dynamic_cast<const TTextObject*>(object.get())) {
            DrawTextObject(canvas_, *this, *text);
        }
    }
}

}  // namespace typorama::output
