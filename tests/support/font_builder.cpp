#include "support/font_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>

namespace typorama::test {
namespace {

// Big-endian output buffer; every table is assembled in one of these.
class Writer {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
        bytes_.push_back(static_cast<std::uint8_t>(v));
    }
    void S16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v >> 16));
        U16(static_cast<std::uint16_t>(v));
    }
    void U64(std::uint64_t v) {
        U32(static_cast<std::uint32_t>(v >> 32));
        U32(static_cast<std::uint32_t>(v));
    }
    void Tag(const char (&tag)[5]) { Bytes(tag, 4); }
    void Bytes(const void* data, std::size_t n) {
        auto p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + n);
    }
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void PadTo4() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& Data() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

void PutU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    PutU16(b, at, static_cast<std::uint16_t>(v >> 16));
    PutU16(b, at + 2, static_cast<std::uint16_t>(v));
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 |
           b[at + 3];
}

// Sum of big-endian 32-bit words, the data zero-padded to a multiple of four.
std::uint32_t Checksum(const std::uint8_t* data, std::size_t n) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < n; i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4; ++k) word = word << 8 | (i + k < n ? data[i + k] : 0);
        sum += word;
    }
    return sum;
}

struct Box {
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

bool IsEmpty(const GlyphOutline& g) {
    for (const auto& c : g.contours)
        if (!c.empty()) return false;
    return true;
}

Box Bounds(const GlyphOutline& g) {
    Box b{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
          std::numeric_limits<int>::min()};
    for (const auto& c : g.contours)
        for (const auto& p : c) {
            b.xMin = std::min<int>(b.xMin, p.x);
            b.yMin = std::min<int>(b.yMin, p.y);
            b.xMax = std::max<int>(b.xMax, p.x);
            b.yMax = std::max<int>(b.yMax, p.y);
        }
    if (b.xMin > b.xMax) return Box{};
    return b;
}

// --- Default glyph set --------------------------------------------------------
// Designed on a 1000-unit em and scaled to the font's unitsPerEm.

struct Shaper {
    double scale;
    std::int16_t S(int v) const { return static_cast<std::int16_t>(std::lround(v * scale)); }
    OutlinePoint P(int x, int y, bool on = true) const { return {S(x), S(y), on}; }

    // TrueType fills clockwise outer contours; counters run the other way.
    std::vector<OutlinePoint> Rect(int x0, int y0, int x1, int y1, bool outer) const {
        if (outer) return {P(x0, y0), P(x0, y1), P(x1, y1), P(x1, y0)};
        return {P(x0, y0), P(x1, y0), P(x1, y1), P(x0, y1)};
    }
    // A rounded shape: on-curve points at the side midpoints, off-curve control points
    // at the corners, so each quarter is one quadratic Bezier arc.
    std::vector<OutlinePoint> Oval(int x0, int y0, int x1, int y1, bool outer) const {
        int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        if (outer)
            return {P(mx, y0), P(x0, y0, false), P(x0, my), P(x0, y1, false),
                    P(mx, y1), P(x1, y1, false), P(x1, my), P(x1, y0, false)};
        return {P(mx, y0), P(x1, y0, false), P(x1, my), P(x1, y1, false),
                P(mx, y1), P(x0, y1, false), P(x0, my), P(x0, y0, false)};
    }
    std::uint16_t Advance(int v) const { return static_cast<std::uint16_t>(std::lround(v * scale)); }
};

GlyphOutline BoxGlyph(const Shaper& s, char32_t cp, int width, int height, int advance) {
    GlyphOutline g;
    g.codePoint = cp;
    g.advance = s.Advance(advance);
    g.contours.push_back(s.Rect(50, 0, 50 + width, height, true));
    g.contours.push_back(s.Rect(120, 70, 50 + width - 70, height - 70, false));
    return g;
}

GlyphOutline OvalGlyph(const Shaper& s, char32_t cp, int width, int height, int advance) {
    GlyphOutline g;
    g.codePoint = cp;
    g.advance = s.Advance(advance);
    g.contours.push_back(s.Oval(50, 0, 50 + width, height, true));
    g.contours.push_back(s.Oval(130, 80, 50 + width - 80, height - 80, false));
    return g;
}

std::vector<GlyphOutline> DefaultGlyphs(std::uint16_t unitsPerEm) {
    Shaper s{unitsPerEm / 1000.0};
    std::vector<GlyphOutline> glyphs;
    GlyphOutline space;
    space.codePoint = U' ';
    space.advance = s.Advance(300);
    glyphs.push_back(space);
    for (char32_t c = U'A'; c <= U'Z'; ++c)
        glyphs.push_back(c == U'O' ? OvalGlyph(s, c, 520, 700, 620) : BoxGlyph(s, c, 500, 700, 600));
    for (char32_t c = U'a'; c <= U'z'; ++c)
        glyphs.push_back(c == U'o' ? OvalGlyph(s, c, 420, 500, 520) : BoxGlyph(s, c, 400, 500, 500));
    for (char32_t c = U'0'; c <= U'9'; ++c)
        glyphs.push_back(c == U'0' ? OvalGlyph(s, c, 400, 700, 500) : BoxGlyph(s, c, 400, 700, 500));
    return glyphs;
}

GlyphOutline NotdefGlyph(std::uint16_t unitsPerEm) {
    Shaper s{unitsPerEm / 1000.0};
    return BoxGlyph(s, 0, 400, 700, 500);
}

// --- Tables -------------------------------------------------------------------

struct GlyphTables {
    std::vector<std::uint8_t> glyf, loca, hmtx;
    Box bounds;
    std::uint16_t maxPoints = 0, maxContours = 0;
    std::uint16_t advanceMax = 0;
    std::int16_t minLsb = 0, minRsb = 0, xMaxExtent = 0;
    std::int16_t avgWidth = 0;
};

// Simple glyph with the compact coordinate forms (short vectors, repeated values)
// so that an outline reader meets every flag combination it must handle.
void WriteGlyph(Writer& w, const GlyphOutline& g, const Box& b) {
    std::vector<const std::vector<OutlinePoint>*> contours;
    for (const auto& c : g.contours)
        if (!c.empty()) contours.push_back(&c);
    w.S16(static_cast<std::int16_t>(contours.size()));
    w.S16(static_cast<std::int16_t>(b.xMin));
    w.S16(static_cast<std::int16_t>(b.yMin));
    w.S16(static_cast<std::int16_t>(b.xMax));
    w.S16(static_cast<std::int16_t>(b.yMax));
    int end = -1;
    for (const auto* c : contours) {
        end += static_cast<int>(c->size());
        w.U16(static_cast<std::uint16_t>(end));
    }
    w.U16(0);  // no instructions

    std::vector<std::uint8_t> flags;
    Writer xs, ys;
    int px = 0, py = 0;
    for (const auto* c : contours)
        for (const auto& p : *c) {
            std::uint8_t f = p.onCurve ? 0x01 : 0x00;
            int dx = p.x - px, dy = p.y - py;
            if (dx == 0) {
                f |= 0x10;
            } else if (dx > -256 && dx < 256) {
                f |= 0x02;
                if (dx > 0) f |= 0x10;
                xs.U8(static_cast<std::uint8_t>(std::abs(dx)));
            } else {
                xs.S16(static_cast<std::int16_t>(dx));
            }
            if (dy == 0) {
                f |= 0x20;
            } else if (dy > -256 && dy < 256) {
                f |= 0x04;
                if (dy > 0) f |= 0x20;
                ys.U8(static_cast<std::uint8_t>(std::abs(dy)));
            } else {
                ys.S16(static_cast<std::int16_t>(dy));
            }
            flags.push_back(f);
            px = p.x;
            py = p.y;
        }
    // Runs of equal flags use the repeat form.
    for (std::size_t i = 0; i < flags.size();) {
        std::size_t run = 1;
        while (i + run < flags.size() && flags[i + run] == flags[i] && run < 256) ++run;
        if (run >= 3) {
            w.U8(flags[i] | 0x08);
            w.U8(static_cast<std::uint8_t>(run - 1));
        } else {
            for (std::size_t k = 0; k < run; ++k) w.U8(flags[i]);
        }
        i += run;
    }
    w.Bytes(xs.Data().data(), xs.Size());
    w.Bytes(ys.Data().data(), ys.Size());
}

GlyphTables BuildGlyphTables(const std::vector<GlyphOutline>& glyphs) {
    GlyphTables t;
    Writer glyf, loca, hmtx;
    bool any = false;
    t.bounds = Box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                   std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    int minLsb = std::numeric_limits<int>::max(), minRsb = std::numeric_limits<int>::max(), maxExtent = 0;
    long widthSum = 0;
    int widthCount = 0;
    for (const auto& g : glyphs) {
        loca.U32(static_cast<std::uint32_t>(glyf.Size()));
        Box b = Bounds(g);
        t.advanceMax = std::max(t.advanceMax, g.advance);
        if (g.advance) {
            widthSum += g.advance;
            ++widthCount;
        }
        if (IsEmpty(g)) {
            hmtx.U16(g.advance);
            hmtx.S16(0);
            continue;
        }
        any = true;
        WriteGlyph(glyf, g, b);
        glyf.PadTo4();
        std::uint16_t points = 0, contours = 0;
        for (const auto& c : g.contours) {
            points = static_cast<std::uint16_t>(points + c.size());
            if (!c.empty()) ++contours;
        }
        t.maxPoints = std::max(t.maxPoints, points);
        t.maxContours = std::max(t.maxContours, contours);
        t.bounds.xMin = std::min(t.bounds.xMin, b.xMin);
        t.bounds.yMin = std::min(t.bounds.yMin, b.yMin);
        t.bounds.xMax = std::max(t.bounds.xMax, b.xMax);
        t.bounds.yMax = std::max(t.bounds.yMax, b.yMax);
        minLsb = std::min(minLsb, b.xMin);
        minRsb = std::min(minRsb, g.advance - b.xMax);
        maxExtent = std::max(maxExtent, b.xMax);
        hmtx.U16(g.advance);
        hmtx.S16(static_cast<std::int16_t>(b.xMin));
    }
    loca.U32(static_cast<std::uint32_t>(glyf.Size()));
    if (!any) {
        t.bounds = Box{};
        minLsb = minRsb = 0;
    }
    t.minLsb = static_cast<std::int16_t>(minLsb);
    t.minRsb = static_cast<std::int16_t>(minRsb);
    t.xMaxExtent = static_cast<std::int16_t>(maxExtent);
    t.avgWidth = static_cast<std::int16_t>(widthCount ? widthSum / widthCount : 0);
    t.glyf = std::move(glyf.Data());
    t.loca = std::move(loca.Data());
    t.hmtx = std::move(hmtx.Data());
    return t;
}

// Format 4 for the BMP (shared by Unicode platform 0 and Windows platform 3), and
// format 12 as well when a code point lies beyond it.
std::vector<std::uint8_t> BuildCmap(const std::vector<GlyphOutline>& glyphs) {
    std::map<char32_t, std::uint16_t> map;  // first glyph for a code point wins
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        if (glyphs[i].codePoint != 0 && glyphs[i].codePoint <= 0x10FFFF)
            map.emplace(glyphs[i].codePoint, static_cast<std::uint16_t>(i));

    // Runs in which code point and glyph id both step by one.
    struct Run {
        char32_t start, end;
        std::uint16_t glyph;
    };
    std::vector<Run> bmp, all;
    auto add = [](std::vector<Run>& runs, char32_t cp, std::uint16_t gid) {
        if (!runs.empty() && runs.back().end + 1 == cp && runs.back().glyph + (cp - runs.back().start) == gid)
            runs.back().end = cp;
        else
            runs.push_back({cp, cp, gid});
    };
    for (const auto& [cp, gid] : map) {
        if (cp < 0xFFFF) add(bmp, cp, gid);
        add(all, cp, gid);
    }
    bool needs12 = !map.empty() && map.rbegin()->first > 0xFFFF;

    Writer f4;
    std::uint16_t segCount = static_cast<std::uint16_t>(bmp.size() + 1);
    std::uint16_t pow2 = 1, log2 = 0;
    while (pow2 * 2 <= segCount) {
        pow2 = static_cast<std::uint16_t>(pow2 * 2);
        ++log2;
    }
    f4.U16(4);
    f4.U16(static_cast<std::uint16_t>(16 + 8 * segCount));
    f4.U16(0);  // language
    f4.U16(static_cast<std::uint16_t>(segCount * 2));
    f4.U16(static_cast<std::uint16_t>(pow2 * 2));
    f4.U16(log2);
    f4.U16(static_cast<std::uint16_t>(segCount * 2 - pow2 * 2));
    for (const auto& r : bmp) f4.U16(static_cast<std::uint16_t>(r.end));
    f4.U16(0xFFFF);
    f4.U16(0);  // reservedPad
    for (const auto& r : bmp) f4.U16(static_cast<std::uint16_t>(r.start));
    f4.U16(0xFFFF);
    for (const auto& r : bmp) f4.U16(static_cast<std::uint16_t>(r.glyph - r.start));
    f4.U16(1);  // 0xFFFF + 1 wraps to glyph 0
    for (std::size_t i = 0; i < segCount; ++i) f4.U16(0);  // idRangeOffset

    Writer f12;
    if (needs12) {
        f12.U16(12);
        f12.U16(0);
        f12.U32(static_cast<std::uint32_t>(16 + 12 * all.size()));
        f12.U32(0);
        f12.U32(static_cast<std::uint32_t>(all.size()));
        for (const auto& r : all) {
            f12.U32(r.start);
            f12.U32(r.end);
            f12.U32(r.glyph);
        }
    }

    Writer w;
    std::uint16_t numRecords = needs12 ? 4 : 2;
    std::uint32_t off4 = 4 + 8u * numRecords;
    std::uint32_t off12 = off4 + static_cast<std::uint32_t>(f4.Size());
    w.U16(0);
    w.U16(numRecords);
    // Encoding records sorted by platform, then encoding.
    w.U16(0), w.U16(3), w.U32(off4);
    if (needs12) w.U16(0), w.U16(4), w.U32(off12);
    w.U16(3), w.U16(1), w.U32(off4);
    if (needs12) w.U16(3), w.U16(10), w.U32(off12);
    w.Bytes(f4.Data().data(), f4.Size());
    if (needs12) w.Bytes(f12.Data().data(), f12.Size());
    return std::move(w.Data());
}

// Platform 1 records take `bytes`; the others take `text` as UTF-16BE. A record
// that has only the other field falls back to it (raw bytes for platform 3 let
// tests write odd-length or malformed strings).
std::vector<std::uint8_t> RecordBytes(const NameEntry& e) {
    std::vector<std::uint8_t> out;
    if (e.platformId == 1) {
        if (!e.bytes.empty() || e.text.empty()) return {e.bytes.begin(), e.bytes.end()};
        for (char16_t c : e.text) out.push_back(c < 0x100 ? static_cast<std::uint8_t>(c) : '?');
        return out;
    }
    if (e.text.empty()) return {e.bytes.begin(), e.bytes.end()};
    for (char16_t c : e.text) {
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

std::vector<std::uint8_t> BuildName(const std::vector<NameEntry>& names) {
    Writer w, strings;
    w.U16(0);
    w.U16(static_cast<std::uint16_t>(names.size()));
    w.U16(static_cast<std::uint16_t>(6 + 12 * names.size()));
    for (const auto& e : names) {
        auto data = RecordBytes(e);
        w.U16(e.platformId);
        w.U16(e.encodingId);
        w.U16(e.languageId);
        w.U16(e.nameId);
        w.U16(static_cast<std::uint16_t>(data.size()));
        w.U16(static_cast<std::uint16_t>(strings.Size()));
        strings.Bytes(data.data(), data.size());
    }
    w.Bytes(strings.Data().data(), strings.Size());
    return std::move(w.Data());
}

std::vector<std::uint8_t> BuildOs2(const FontSpec& fontSpec, const GlyphTables& gt) {
    std::uint16_t length = *fontSpec.os2Length;
    Writer w;
    w.U16(length >= 96 ? 4 : length >= 86 ? 1 : 0);  // version matching the size
    w.S16(gt.avgWidth);
    w.U16(fontSpec.weightClass);
    w.U16(5);  // usWidthClass: medium
    w.U16(fontSpec.fsType);
    std::int16_t em = static_cast<std::int16_t>(fontSpec.unitsPerEm);
    w.S16(em * 65 / 100), w.S16(em * 60 / 100), w.S16(0), w.S16(em * 7 / 100);    // subscript
    w.S16(em * 65 / 100), w.S16(em * 60 / 100), w.S16(0), w.S16(em * 35 / 100);   // superscript
    w.S16(em * 5 / 100), w.S16(em * 25 / 100);                                     // strikeout
    w.S16(0);                                                                      // sFamilyClass
    w.Bytes(fontSpec.panose.data(), fontSpec.panose.size());
    w.U32(1), w.U32(0), w.U32(0), w.U32(0);  // ulUnicodeRange: Basic Latin
    w.Bytes("TYPO", 4);
    w.U16(fontSpec.fsSelection);
    w.U16(fontSpec.firstChar);
    w.U16(fontSpec.lastChar);
    w.S16(fontSpec.ascender);
    w.S16(fontSpec.descender);
    w.S16(fontSpec.lineGap);  // sTypoLineGap
    w.U16(static_cast<std::uint16_t>(std::max<int>(fontSpec.ascender, gt.bounds.yMax)));
    w.U16(static_cast<std::uint16_t>(std::max<int>(-fontSpec.descender, -gt.bounds.yMin)));
    w.U32(1), w.U32(0);  // ulCodePageRange: Latin 1, so GDI maps the font for ANSI_CHARSET
    w.S16(em / 2), w.S16(em * 7 / 10);  // sxHeight, sCapHeight
    w.U16(0), w.U16(0x20), w.U16(1);     // usDefaultChar, usBreakChar, usMaxContext
    auto& data = w.Data();
    data.resize(length, 0);
    return std::move(data);
}

bool HasWord(const std::u16string& s, std::u16string_view word) {
    return s.find(word) != std::u16string::npos;
}

std::string Latin(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

FontSpec FontSpec::Named(const std::u16string& family, const std::u16string& style) {
    FontSpec fontSpec;
    std::u16string full = style == u"Regular" ? family : family + u" " + style;
    // PostScript names have no spaces; a hyphen separates family and style.
    auto squeeze = [](const std::u16string& s) {
        std::u16string out;
        for (char16_t c : s)
            if (c != u' ') out.push_back(c);
        return out;
    };
    std::u16string ps = style == u"Regular" ? squeeze(family) : squeeze(family) + u"-" + squeeze(style);
    const std::array<std::u16string, 7> texts = {u"Copyright (c) Typorama tests",
                                                 family,
                                                 style,
                                                 u"Typorama: " + full + u": 1.0",
                                                 full,
                                                 u"Version 1.000",
                                                 ps};
    // Sorted by platform, as a well-formed name table is: Macintosh first.
    for (std::uint16_t id = 0; id < texts.size(); ++id) {
        NameEntry e;
        e.platformId = 1;
        e.encodingId = 0;
        e.languageId = 0;
        e.nameId = id;
        e.bytes = Latin(texts[id]);
        fontSpec.names.push_back(e);
    }
    for (std::uint16_t id = 0; id < texts.size(); ++id) {
        NameEntry e;
        e.nameId = id;
        e.text = texts[id];
        fontSpec.names.push_back(e);
    }
    bool bold = HasWord(style, u"Bold");
    bool italic = HasWord(style, u"Italic") || HasWord(style, u"Oblique");
    fontSpec.weightClass = bold ? 700 : 400;
    fontSpec.macStyle = static_cast<std::uint16_t>((bold ? 1 : 0) | (italic ? 2 : 0));
    fontSpec.fsSelection = static_cast<std::uint16_t>((bold ? 0x20 : 0) | (italic ? 0x01 : 0));
    if (!bold && !italic) fontSpec.fsSelection = 0x40;
    return fontSpec;
}

std::vector<std::uint8_t> BuildFont(const FontSpec& fontSpec) {
    std::vector<GlyphOutline> glyphs{NotdefGlyph(fontSpec.unitsPerEm)};
    if (fontSpec.glyphs.empty()) {
        auto defaults = DefaultGlyphs(fontSpec.unitsPerEm);
        glyphs.insert(glyphs.end(), defaults.begin(), defaults.end());
    } else {
        glyphs.insert(glyphs.end(), fontSpec.glyphs.begin(), fontSpec.glyphs.end());
    }
    GlyphTables gt = BuildGlyphTables(glyphs);
    std::uint16_t numGlyphs = static_cast<std::uint16_t>(glyphs.size());
    bool italic = (fontSpec.macStyle & 2) != 0;

    struct Table {
        std::string tag;
        std::vector<std::uint8_t> data;
    };
    std::vector<Table> tables;

    tables.push_back({"cmap", BuildCmap(glyphs)});
    tables.push_back({"glyf", gt.glyf});
    if (fontSpec.withHead) {
        Writer w;
        w.U32(0x00010000);  // version
        w.U32(0x00010000);  // fontRevision 1.0
        w.U32(0);           // checkSumAdjustment, set once the file is complete
        w.U32(0x5F0F3CF5);
        w.U16(0x000B);  // baseline at y=0, lsb at x=0, integer scaling
        w.U16(fontSpec.unitsPerEm);
        const std::uint64_t kJan2024 = 3786825600;  // seconds since 1904-01-01
        w.U64(kJan2024);
        w.U64(kJan2024);
        w.S16(static_cast<std::int16_t>(gt.bounds.xMin));
        w.S16(static_cast<std::int16_t>(gt.bounds.yMin));
        w.S16(static_cast<std::int16_t>(gt.bounds.xMax));
        w.S16(static_cast<std::int16_t>(gt.bounds.yMax));
        w.U16(fontSpec.macStyle);
        w.U16(8);  // lowestRecPPEM
        w.S16(2);  // fontDirectionHint
        w.S16(1);  // indexToLocFormat: long offsets
        w.S16(0);  // glyphDataFormat
        tables.push_back({"head", std::move(w.Data())});
    }
    {
        Writer w;
        w.U32(0x00010000);
        w.S16(fontSpec.ascender);
        w.S16(fontSpec.descender);
        w.S16(fontSpec.lineGap);
        w.U16(gt.advanceMax);
        w.S16(gt.minLsb);
        w.S16(gt.minRsb);
        w.S16(gt.xMaxExtent);
        w.S16(italic ? 10 : 1);  // caretSlopeRise
        w.S16(italic ? 2 : 0);   // caretSlopeRun
        w.S16(0);                // caretOffset
        w.Zeros(8);              // reserved
        w.S16(0);                // metricDataFormat
        w.U16(numGlyphs);        // numberOfHMetrics: one per glyph
        tables.push_back({"hhea", std::move(w.Data())});
    }
    tables.push_back({"hmtx", gt.hmtx});
    tables.push_back({"loca", gt.loca});
    {
        Writer w;
        w.U32(0x00010000);
        w.U16(numGlyphs);
        w.U16(gt.maxPoints);
        w.U16(gt.maxContours);
        w.U16(0), w.U16(0);  // composite points/contours
        w.U16(2);            // maxZones
        w.Zeros(16);         // twilight, storage, fdefs, idefs, stack, instructions, components, depth
        tables.push_back({"maxp", std::move(w.Data())});
    }
    tables.push_back({"name", BuildName(fontSpec.names)});
    if (fontSpec.os2Length) tables.push_back({"OS/2", BuildOs2(fontSpec, gt)});
    {
        Writer w;
        w.U32(0x00030000);                        // no glyph names
        w.U32(italic ? 0xFFF40000u : 0u);          // italicAngle -12.0
        w.S16(static_cast<std::int16_t>(-fontSpec.unitsPerEm / 10));  // underlinePosition
        w.S16(static_cast<std::int16_t>(fontSpec.unitsPerEm / 20));   // underlineThickness
        w.U32(0);                                  // isFixedPitch
        w.Zeros(16);                               // memory usage hints
        tables.push_back({"post", std::move(w.Data())});
    }
    std::sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) { return a.tag < b.tag; });
    for (const auto& [tag, data] : fontSpec.extraTables) {
        std::string t = tag;
        t.resize(4, ' ');
        tables.push_back({t, data});
    }

    // The directory is sorted by tag (binary search relies on it); the data keeps the
    // order above, so extra tables come after the real ones.
    std::vector<std::size_t> order(tables.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return tables[a].tag < tables[b].tag; });

    std::uint16_t numTables = static_cast<std::uint16_t>(tables.size());
    std::uint16_t pow2 = 1, log2 = 0;
    while (pow2 * 2 <= numTables) {
        pow2 = static_cast<std::uint16_t>(pow2 * 2);
        ++log2;
    }
    Writer file;
    file.U32(0x00010000);
    file.U16(numTables);
    file.U16(static_cast<std::uint16_t>(pow2 * 16));
    file.U16(log2);
    file.U16(static_cast<std::uint16_t>(numTables * 16 - pow2 * 16));
    std::size_t directory = file.Size();
    file.Zeros(16u * numTables);

    std::vector<std::uint32_t> offsets(tables.size());
    std::size_t headOffset = 0;
    bool haveHead = false;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        offsets[i] = static_cast<std::uint32_t>(file.Size());
        if (tables[i].tag == "head") headOffset = file.Size(), haveHead = true;
        file.Bytes(tables[i].data.data(), tables[i].data.size());
        file.PadTo4();
    }
    auto& bytes = file.Data();
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Table& t = tables[order[k]];
        std::size_t at = directory + 16 * k;
        std::memcpy(&bytes[at], t.tag.data(), 4);
        PutU32(bytes, at + 4, Checksum(t.data.data(), t.data.size()));
        PutU32(bytes, at + 8, offsets[order[k]]);
        PutU32(bytes, at + 12, static_cast<std::uint32_t>(t.data.size()));
    }
    if (haveHead) PutU32(bytes, headOffset + 8, 0xB1B0AFBAu - Checksum(bytes.data(), bytes.size()));
    return std::move(bytes);
}

void SetNumTables(std::vector<std::uint8_t>& font, std::uint16_t numTables) {
    if (font.size() < 6) font.resize(6, 0);
    PutU16(font, 4, numTables);
}

std::optional<TableLocation> FindTable(const std::vector<std::uint8_t>& font, const std::string& tag) {
    if (font.size() < 12 || tag.size() != 4) return std::nullopt;
    std::size_t count = std::size_t{font[4]} << 8 | font[5];
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = 12 + 16 * i;
        if (at > font.size() || font.size() - at < 16) break;
        if (std::memcmp(&font[at], tag.data(), 4) == 0)
            return TableLocation{GetU32(font, at + 8), GetU32(font, at + 12), at};
    }
    return std::nullopt;
}

std::vector<std::uint8_t> BuildCollection(const std::vector<std::vector<std::uint8_t>>& fonts,
                                          std::uint16_t majorVersion) {
    std::vector<std::uint8_t> out = {'t', 't', 'c', 'f'};
    out.resize(12 + 4 * fonts.size() + (majorVersion >= 2 ? 12 : 0), 0);
    PutU16(out, 4, majorVersion);
    PutU16(out, 6, 0);
    PutU32(out, 8, static_cast<std::uint32_t>(fonts.size()));
    // Version 2's signature fields (tag, length, offset) stay zero: no signature.
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out.resize((out.size() + 3) & ~std::size_t{3}, 0);
        const auto base = static_cast<std::uint32_t>(out.size());
        PutU32(out, 12 + 4 * i, base);
        std::vector<std::uint8_t> font = fonts[i];
        const std::size_t tables = font.size() >= 6 ? (std::size_t{font[4]} << 8 | font[5]) : 0;
        for (std::size_t t = 0; t < tables && 12 + 16 * t + 16 <= font.size(); ++t)
            PutU32(font, 12 + 16 * t + 8, GetU32(font, 12 + 16 * t + 8) + base);
        out.insert(out.end(), font.begin(), font.end());
    }
    return out;
}

void SetCollectionFaceCount(std::vector<std::uint8_t>& collection, std::uint32_t count) {
    PutU32(collection, 8, count);
}

void SetCollectionFaceOffset(std::vector<std::uint8_t>& collection, std::uint32_t index, std::uint32_t offset) {
    PutU32(collection, 12 + 4 * std::size_t{index}, offset);
}

std::vector<std::uint8_t> BuildNameTableFlood(std::size_t maxBytes, bool shifted, std::uint16_t claimedRecords,
                                              std::uint16_t localLanguage) {
    constexpr std::uint16_t kTables = 100;
    constexpr std::size_t kRecordSize = 12;
    const std::size_t firstTable = 12 + 16 * std::size_t{kTables};
    maxBytes = std::max<std::size_t>(maxBytes, 2048);
    std::size_t records = (maxBytes - firstTable - 6) / kRecordSize;
    // Overlapping tables may use the whole file; one table holds what it claims.
    if (!shifted) records = std::min<std::size_t>(records, claimedRecords);

    Writer w;
    w.U32(0x00010000);
    w.U16(kTables);
    w.Zeros(6);  // searchRange, entrySelector, rangeShift
    for (std::uint16_t i = 0; i < kTables; ++i) {
        w.Tag("name");
        w.U32(0);
        w.U32(static_cast<std::uint32_t>(firstTable + (shifted ? kRecordSize * i : 0)));
        w.U32(static_cast<std::uint32_t>(6 + kRecordSize * records));
    }
    w.U16(0);  // format
    w.U16(claimedRecords);
    w.U16(0);  // stringOffset
    for (std::size_t i = 0; i < records; ++i) {
        w.U16(3);  // platform
        w.U16(1);  // encoding
        w.U16(i % 2 ? localLanguage : 0x0409);
        // The last six bytes read as a header: format, count, string offset.
        w.U16(static_cast<std::uint16_t>(i % 7));
        w.U16(claimedRecords);
        w.U16(static_cast<std::uint16_t>(i * 16));
    }
    return std::move(w.Data());
}

bool WriteBytesToFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace typorama::test
