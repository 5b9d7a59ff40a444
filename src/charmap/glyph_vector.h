// A character's outline from the system, as strokes and as a filled vector
// image (an enhanced metafile): what the character map copies to the
// clipboard and what typorama-cli outline writes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "charmap/glyph_outline.h"
#include "win/unique_handle.h"

namespace typorama::charmap {

using UniqueEnhMetaFile = win::UniqueHandle<HENHMETAFILE, &::DeleteEnhMetaFile>;

// The outline is asked for at this character height, so that whole-number
// stroke coordinates keep the glyph's detail.
inline constexpr int kOutlineHeight = 1024;
// Segments per curve piece in the character map's vector image.
inline constexpr int kImagePrecision = 10;

struct GlyphStrokes {
    StrokeCollection strokes;
    int advance = 0;  // horizontal advance at the outline height, in pixels
};

class OutlineConverter {
public:
    int Precision() const { return precision_; }
    // Values outside kMinPrecision..kMaxPrecision are ignored.
    void SetPrecision(int precision);
    // The code is a wide character when set, else a character of the font's
    // own code page.
    bool Unicode() const { return unicode_; }
    void SetUnicode(bool unicode) { unicode_ = unicode; }
    // Only the height (and width 0) is overridden.
    void SetFont(const LOGFONTW& font) { font_ = font; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height > 0 ? height : kOutlineHeight; }

    // Nothing when the font cannot be made, the character has no outline (a
    // space, a code the font does not map) or the system's buffer is not a
    // well-formed outline.
    std::optional<GlyphStrokes> GetCharacterStrokes(UINT code) const;
    // The advance of the character alone, also for one without an outline.
    std::optional<int> GetAdvance(UINT code) const;

private:
    LOGFONTW font_{};
    int precision_ = kDefaultPrecision;
    int height_ = kOutlineHeight;
    bool unicode_ = false;
};

// The polygons filled black with the non-zero rule on a transparent
// background, in an enhanced metafile of their size; in memory, or in `file`
// when given. Null when the metafile could not be made.
UniqueEnhMetaFile DrawPolygonsToMetafile(const VectorPolygons& polygons, const wchar_t* file = nullptr);

// The character map's vector image of `code` (a character of the font's code
// page, or a wide character with `unicode`). False when the character has no
// outline or the image could not be drawn.
bool BuildCharVectorImage(const LOGFONTW& font, UINT code, UniqueEnhMetaFile& image, bool unicode = false);

}  // namespace typorama::charmap
