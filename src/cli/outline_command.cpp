// typorama-cli outline: one glyph of a font file as the character map's
// vector image sees it, written as SVG and/or as an enhanced metafile.
#include <windows.h>

#include <optional>

#include "charmap/glyph_outline.h"
#include "charmap/glyph_vector.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "cli/private_font.h"
#include "settings/settings_export.h"
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

int Fail(Output& err, const std::wstring& file, const wchar_t* why) {
    err.Write(L"typorama-cli outline: " + file + L": " + why + L"\n");
    return kExitSomeFailed;
}

}  // namespace

int RunOutline(const std::vector<std::wstring>& args, Output& out, Output& err) {
    std::optional<OutlineArgs> run = ParseOutlineArgs(args, err);
    if (!run) return kExitUsage;

    PrivateFont loaded;
    if (const std::optional<std::wstring> why = loaded.Load(run->file)) return Fail(err, run->file, why->c_str());
    const LOGFONTW& font = loaded.Font();

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
