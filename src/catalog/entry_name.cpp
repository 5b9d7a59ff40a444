#include "catalog/entry_name.h"

#include "base/unicode.h"

namespace typorama::catalog {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u3000'; }

// C0 controls and DEL: a line break in a value name splits the line of a .reg
// export and of every listing that shows one entry per line.
bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// The registry compares value names regardless of letter case.
bool EndsWithFoldedAscii(std::u16string_view text, std::u16string_view suffix) {
    if (text.size() < suffix.size()) return false;
    text.remove_prefix(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (FoldAscii(text[i]) != FoldAscii(suffix[i])) return false;
    return true;
}

bool HasUnpairedSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            return true;
    }
    return false;
}

EntryNameProblem FindProblem(std::u16string_view name) {
    bool blank = true;
    for (char16_t c : name) blank = blank && IsBlank(c);
    if (blank) return EntryNameProblem::Empty;
    for (char16_t c : name)
        if (IsControl(c)) return EntryNameProblem::ControlCharacter;
    if (HasUnpairedSurrogate(name)) return EntryNameProblem::UnpairedSurrogate;
    if (name.size() > kMaxEntryNameChars) return EntryNameProblem::TooLong;
    // "X (TrueType)" looked up in its bare form is the entry of the font "X".
    if (EndsWithFoldedAscii(name, kEntrySuffix) || EndsWithFoldedAscii(name, kEntrySuffixSpaced) ||
        EndsWithFoldedAscii(name, kEntrySuffixOpenType))
        return EntryNameProblem::EndsInSuffix;
    return EntryNameProblem::None;
}

}  // namespace

EntryName CheckEntryName(std::u16string_view fullName) {
    EntryName result;
    result.name = std::u16string(fullName.substr(0, fullName.find(u'\0')));
    result.problem = FindProblem(result.name);
    return result;
}

std::u16string CollectionEntryName(std::span<const std::u16string> fullNames) {
    std::u16string joined;
    bool full = false;
    for (const std::u16string& fullName : fullNames) {
        EntryName face = CheckEntryName(fullName);
        if (face.problem == EntryNameProblem::Empty) return {};
        // The big CJK collections have ten faces and more, whose joined names
        // pass the length a value name may have: the name then stops at the
        // last face that fits, as an entry that names fewer faces still
        // installs the whole file. The first face is always named, so a
        // single name too long is refused by CheckEntryName.
        if (full || (!joined.empty() && joined.size() + 3 + face.name.size() > kMaxEntryNameChars)) {
            full = true;
            continue;
        }
        if (!joined.empty()) joined += u" & ";
        joined += face.name;
    }
    return joined;
}

std::vector<std::u16string> CollectionEntryFaces(std::u16string_view valueName) {
    constexpr std::u16string_view kJoin = u" & ";
    bool suffixed = false;
    for (std::u16string_view suffix : {kEntrySuffix, kEntrySuffixSpaced, kEntrySuffixOpenType}) {
        if (EndsWithFoldedAscii(valueName, suffix)) {
            valueName.remove_suffix(suffix.size());
            suffixed = true;
            break;
        }
    }
    std::vector<std::u16string> faces;
    if (!suffixed || valueName.find(kJoin) == std::u16string_view::npos) return faces;
    for (std::size_t start = 0;;) {
        const std::size_t end = valueName.find(kJoin, start);
        faces.emplace_back(valueName.substr(start, end - start));
        if (end == std::u16string_view::npos) break;
        start = end + kJoin.size();
    }
    return faces;
}

}  // namespace typorama::catalog
