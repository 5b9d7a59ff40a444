#include "charmap/glyph_vector.h"

#include <cstdint>
#include <vector>

#include "win/gdi.h"

namespace typorama::charmap {
namespace {

using UniqueDC = win::UniqueHandle<HDC, &::DeleteDC>;

// No glyph of a real font needs more; a larger answer is not worth the memory.
constexpr DWORD kMaxOutlineBytes = 16u << 20;

struct OutlineDC {
    // In this order: members go in reverse, so the DC is deleted before the
    // font that stays selected in it.
    win::UniqueFont font;
    UniqueDC dc;
};

// A memory DC with the font at `height` selected.
std::optional<OutlineDC> MakeOutlineDC(LOGFONTW font, int height) {
    font.lfHeight = height;
    font.lfWidth = 0;
    OutlineDC out;
    out.font.reset(CreateFontIndirectW(&font));
    if (!out.font) return std::nullopt;
    out.dc.reset(CreateCompatibleDC(nullptr));
    if (!out.dc || !SelectObject(out.dc.get(), out.font.get())) return std::nullopt;
    return out;
}

DWORD GlyphOutline(HDC dc, UINT code, bool unicode, UINT format, GLYPHMETRICS& metrics, DWORD size, void* buffer) {
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    return unicode ? GetGlyphOutlineW(dc, code, format, &metrics, size, buffer, &identity)
                   : GetGlyphOutlineA(dc, code, format, &metrics, size, buffer, &identity);
}

}  // namespace

void OutlineConverter::SetPrecision(int precision) {
    if (precision >= kMinPrecision && precision <= kMaxPrecision) precision_ = precision;
}

std::optional<GlyphStrokes> OutlineConverter::GetCharacterStrokes(UINT code) const {
    std::optional<OutlineDC> dc = MakeOutlineDC(font_, height_);
    if (!dc) return std::nullopt;
    GLYPHMETRICS metrics{};
    const DWORD size = GlyphOutline(dc->dc.get(), code, unicode_, GGO_NATIVE, metrics, 0, nullptr);
    if (size == 0 || size == GDI_ERROR || size > kMaxOutlineBytes) return std::nullopt;
    std::vector<std::uint8_t> buffer(size);
    const DWORD got = GlyphOutline(dc->dc.get(), code, unicode_, GGO_NATIVE, metrics, size, buffer.data());
    if (got == GDI_ERROR || got == 0) return std::nullopt;
    // The second answer is the number of bytes written; never read beyond it.
    if (got < buffer.size()) buffer.resize(got);
    std::optional<StrokeCollection> strokes = FlattenNativeOutline(buffer, precision_);
    if (!strokes) return std::nullopt;
    return GlyphStrokes{std::move(*strokes), metrics.gmCellIncX};
}

std::optional<int> OutlineConverter::GetAdvance(UINT code) const {
    std::optional<OutlineDC> dc = MakeOutlineDC(font_, height_);
    if (!dc) return std::nullopt;
    GLYPHMETRICS metrics{};
    if (GlyphOutline(dc->dc.get(), code, unicode_, GGO_METRICS, metrics, 0, nullptr) == GDI_ERROR) return std::nullopt;
    return metrics.gmCellIncX;
}

UniqueEnhMetaFile DrawPolygonsToMetafile(const VectorPolygons& polygons, const wchar_t* file) {
    win::WindowDC screen;
    if (!screen.get() || polygons.width <= 0 || polygons.height <= 0) return {};
    // The frame is in hundredths of a millimetre of the reference device.
    const int mmWide = GetDeviceCaps(screen.get(), HORZSIZE), pxWide = GetDeviceCaps(screen.get(), HORZRES);
    const int mmHigh = GetDeviceCaps(screen.get(), VERTSIZE), pxHigh = GetDeviceCaps(screen.get(), VERTRES);
    if (mmWide <= 0 || pxWide <= 0 || mmHigh <= 0 || pxHigh <= 0) return {};
    const RECT frame{0, 0, MulDiv(polygons.width, mmWide * 100, pxWide), MulDiv(polygons.height, mmHigh * 100, pxHigh)};
    HDC dc = CreateEnhMetaFileW(screen.get(), file, &frame, L"Typorama\0Glyph outline\0");
    if (!dc) return {};
    bool drawn = false;
    {
        win::UniquePen pen(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
        win::SelectedObject selectedPen(dc, pen.get());
        win::SelectedObject selectedBrush(dc, GetStockObject(BLACK_BRUSH));
        SetPolyFillMode(dc, WINDING);
        std::vector<POINT> points;
        points.reserve(polygons.vertices.size());
        for (const VertexPoint& v : polygons.vertices) points.push_back({v.x, v.y});
        std::vector<INT> counts(polygons.counts.begin(), polygons.counts.end());
        drawn = pen && !counts.empty() &&
                PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size())) != FALSE;
    }
    UniqueEnhMetaFile image(CloseEnhMetaFile(dc));
    if (!drawn) return {};
    return image;
}

bool BuildCharVectorImage(const LOGFONTW& font, UINT code, UniqueEnhMetaFile& image, bool unicode) {
    OutlineConverter converter;
    converter.SetPrecision(kImagePrecision);
    converter.SetUnicode(unicode);
    converter.SetFont(font);
    std::optional<GlyphStrokes> glyph = converter.GetCharacterStrokes(code);
    if (!glyph || glyph->strokes.Count() == 0) return false;
    UniqueEnhMetaFile drawn = DrawPolygonsToMetafile(BuildVectorPolygons(glyph->strokes));
    if (!drawn) return false;
    image = std::move(drawn);
    return true;
}

}  // namespace typorama::charmap
