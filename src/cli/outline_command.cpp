// typorama-cli outline: one glyph of a font file as the character map's
// vector image sees it, written as SVG and/or as an enhanced metafile.
#include <windows.h>

#include <cwchar>
#include <optional>

#include "catalog/entry_name.h"
#include "catalog/font_file.h"
#include "charmap/glyph_outline.h"
#include "charmap/glyph_vector.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "settings/settings_export.h"
#include "win/gdi.h"
#include "win/scope_exit.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

struct OutlineArgs {
    std::wstring file;
    UINT codePoint = 0;
    int size = charmap::kOutlineHeight;
    std::wstring svg;
    std::wstring emf;
};

// Decimal, or hexadecimal after "U+" or "0x". A glyph is asked for by one
// UTF-16 unit, so the code point must lie in the Basic Multilingual Plane.
std::optional<long> ParseNumber(const std::wstring& text, long max) {
    int base = 10;
    std::size_t skip = 0;
    if (text.size() > 2 && (text.rfind(L"U+", 0) == 0 || text.rfind(L"u+", 0) == 0 || text.rfind(L"0x", 0) == 0 ||
                            text.rfind(L"0X", 0) == 0)) {
        base = 16;
        skip = 2;
    }
    if (skip >= text.size() || text.size() - skip > 8) return std::nullopt;
    long value = 0;
    for (std::size_t i = skip; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > max) return std::nullopt;
    }
    return value;
}

std::optional<OutlineArgs> ParseOutlineArgs(const std::vector<std::wstring>& args, Output& err) {
    OutlineArgs out;
    std::vector<std::wstring> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == L"--size" && hasValue) {
            auto size = ParseNumber(args[++i], 16384);
            if (!size || *size < 1) {
                err.Write("typorama-cli outline: --size wants a pixel height from 1 to 16384\n");
                return std::nullopt;
            }
            out.size = static_cast<int>(*size);
        } else if (a == L"--svg" && hasValue) {
            out.svg = args[++i];
        } else if (a == L"--emf" && hasValue) {
            out.emf = args[++i];
        } else if (a.rfind(L"--", 0) == 0) {
            err.Write(L"typorama-cli outline: unknown option '" + a + L"'\n");
            return std::nullopt;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        err.Write("typorama-cli outline: give one font file and one code point (see --help)\n");
        return std::nullopt;
    }
    auto code = ParseNumber(positional[1], 0xFFFF);
    if (!code || (*code >= 0xD800 && *code <= 0xDFFF)) {
        err.Write("typorama-cli outline: the code point is a number (65, U+0041 or 0x41) from 0 to U+FFFF, "
                  "not a surrogate\n");
        return std::nullopt;
    }
    out.file = positional[0];
    out.codePoint = static_cast<UINT>(*code);
    return out;
}

// The family name the file gives itself, if the system can be asked for it
// by that name: one line of text that fits a logical font's face name.
std::optional<std::wstring> UsableFaceName(const std::wstring& family) {
    const catalog::EntryName checked = catalog::CheckEntryName(win::AsU16(family));
    if (!checked.usable() || checked.name.size() >= LF_FACESIZE) return std::nullopt;
    return win::ToWide(checked.name);
}

// The face the system really chose for `font`: a loaded file whose face the
// system does not take must not be answered by another font of the system.
std::wstring ChosenFace(const LOGFONTW& font) {
    win::UniqueFont handle(CreateFontIndirectW(&font));
    win::MemoryDC dc(nullptr, nullptr);
    if (!handle || !dc.get()) return {};
    win::SelectedObject selected(dc.get(), handle.get());
    wchar_t face[LF_FACESIZE] = L"";
    return GetTextFaceW(dc.get(), LF_FACESIZE, face) > 0 ? std::wstring(face) : std::wstring();
}

int Fail(Output& err, const std::wstring& file, const wchar_t* why) {
    err.Write(L"typorama-cli outline: " + file + L": " + why + L"\n");
    return kExitSomeFailed;
}

}  // namespace

int RunOutline(const std::vector<std::wstring>& args, Output& out, Output& err) {
    std::optional<OutlineArgs> run = ParseOutlineArgs(args, err);
    if (!run) return kExitUsage;

    catalog::TFontInfo info;
    if (!catalog::ReadFontInfo(run->file, info)) return Fail(err, run->file, L"cannot be read as a font");
    std::optional<std::wstring> face = UsableFaceName(info.FamilyName);
    if (!face) return Fail(err, run->file, L"the font has no usable family name");

    // Privately: no other program sees the font, and it goes with this process.
    if (AddFontResourceExW(run->file.c_str(), FR_PRIVATE, nullptr) == 0)
        return Fail(err, run->file, L"the system does not load the font");
    const win::ScopeExit unload([&] { RemoveFontResourceExW(run->file.c_str(), FR_PRIVATE, nullptr); });

    LOGFONTW font = info.LogFont;
    std::wcsncpy(font.lfFaceName, face->c_str(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    if (!win::EqualNoCase(ChosenFace(font), *face)) return Fail(err, run->file, L"the system does not select the font by its family name");

    charmap::OutlineConverter converter;
    converter.SetPrecision(charmap::kImagePrecision);
    converter.SetUnicode(true);
    converter.SetFont(font);
    converter.SetHeight(run->size);
    std::optional<charmap::GlyphStrokes> glyph = converter.GetCharacterStrokes(run->codePoint);
    const int advance = glyph ? glyph->advance : converter.GetAdvance(run->codePoint).value_or(0);
    const charmap::StrokeCollection strokes = glyph ? glyph->strokes : charmap::StrokeCollection{};
    const charmap::VectorPolygons polygons = charmap::BuildVectorPolygons(strokes);

    int status = kExitOk;
    if (!run->svg.empty() && !settings::SaveBytesToFile(charmap::PolygonsToSvg(polygons), run->svg))
        status = Fail(err, run->svg, L"cannot be written");
    if (!run->emf.empty()) {
        if (strokes.Count() == 0)
            status = Fail(err, run->file, L"the character has no outline to draw");
        else if (!charmap::DrawPolygonsToMetafile(polygons, run->emf.c_str()))
            status = Fail(err, run->emf, L"cannot be written");
    }
    out.Write(JsonLine()
                  .Add("file", win::AsU16(run->file))
                  .Add("codepoint", static_cast<std::int64_t>(run->codePoint))
                  .Add("contours", strokes.ContourCount())
                  .Add("points", strokes.Count())
                  .Add("advance", advance)
                  .Finish());
    return status;
}

}  // namespace typorama::cli
