#include "base/current_font_rules.h"

#include <algorithm>

#include "base/text_format.h"

namespace typorama {
namespace {

std::u16string PaneSafe(const std::u16string& piece) {
    const std::u16string_view text(piece.data(), std::min(piece.size(), piece.find(u'\0')));
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::u16string FontInfoText(const FontInfoPatterns& patterns, const FontInfoPieces* pieces) {
    if (!pieces) return patterns.noFont;
    const std::u16string file = PaneSafe(pieces->file);
    if (file.empty()) return patterns.noFile;
    const std::u16string rest[] = {PaneSafe(pieces->size),      PaneSafe(pieces->displayName), PaneSafe(pieces->fullName),
                                   PaneSafe(pieces->version),   PaneSafe(pieces->embedding),   PaneSafe(pieces->scripts),
                                   PaneSafe(pieces->status),    PaneSafe(pieces->copyright)};
    std::vector<FormatArg> args{std::u16string_view(file)};
    for (const std::u16string& piece : rest) args.emplace_back(std::u16string_view(piece));
    return FormatText(patterns.facts, args);
}

std::u16string TrimSample(std::u16string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && text[first] <= u' ') ++first;
    while (last > first && text[last - 1] <= u' ') --last;
    return std::u16string(text.substr(first, last - first));
}

std::optional<std::u16string> SampleStringToAdd(const std::vector<std::u16string>& items, std::u16string_view text) {
    std::u16string trimmed = TrimSample(text);
    if (trimmed.empty() || std::find(items.begin(), items.end(), trimmed) != items.end()) return std::nullopt;
    return trimmed;
}

}  // namespace typorama
