#include "base/file_name_rules.h"

#include <algorithm>
#include <array>

namespace typorama {
namespace {

bool IsForbidden(char16_t c) {
    if (c < 0x20 || c == 0x7F) return true;
    switch (c) {
        case u'"': case u'*': case u'/': case u':': case u'<':
        case u'>': case u'?': case u'\\': case u'|': return true;
        default: return false;
    }
}

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool EqualsUpper(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (UpperAscii(text[i]) != upper[i]) return false;
    return true;
}

// The device names Windows opens instead of a file, in any folder and with
// any extension ("nul.ttf" is the null device); blanks before the dot do not
// help ("CON .ttf" is the console too).
bool IsReservedDeviceName(std::u16string_view name) {
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
    static constexpr std::array<std::u16string_view, 4> kPlain{u"CON", u"PRN", u"AUX", u"NUL"};
    for (std::u16string_view device : kPlain)
        if (EqualsUpper(stem, device)) return true;
    if (stem.size() == 4 && (EqualsUpper(stem.substr(0, 3), u"COM") || EqualsUpper(stem.substr(0, 3), u"LPT")))
        return stem[3] >= u'1' && stem[3] <= u'9';
    return false;
}

// The name cut at its first NUL, without the characters no file name may hold.
std::u16string WithoutForbidden(std::u16string_view name) {
    std::u16string kept;
    for (char16_t c : name.substr(0, name.find(u'\0')))
        if (!IsForbidden(c)) kept += c;
    return kept;
}

}  // namespace

CheckedFileName CheckFileName(std::u16string_view name) {
    CheckedFileName result{std::u16string(name.substr(0, name.find(u'\0'))), FileNameProblem::None};
    const std::u16string& cut = result.name;
    if (cut.find_first_not_of(u" .") == std::u16string::npos) {
        result.problem = FileNameProblem::Empty;
    } else if (cut.size() > kMaxFileNameChars) {
        result.problem = FileNameProblem::TooLong;
    } else {
        for (char16_t c : cut)
            if (IsForbidden(c)) {
                result.problem = FileNameProblem::ForbiddenCharacter;
                return result;
            }
        if (cut.back() == u'.' || cut.back() == u' ') result.problem = FileNameProblem::TrailingDotOrSpace;
        else if (IsReservedDeviceName(cut)) result.problem = FileNameProblem::ReservedName;
    }
    return result;
}

std::u16string InsertBeforeExtension(std::u16string_view name, std::u16string_view insert) {
    std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0) dot = name.size();
    std::u16string result(name.substr(0, dot));
    result += insert;
    result += name.substr(dot);
    return result;
}

CheckedFileName FileNameFromFontName(std::u16string_view fontName, std::u16string_view extension) {
    std::u16string stem = WithoutForbidden(fontName);
    // The stem is checked on its own: "Foo ." followed by ".ttf" passes as a
    // whole name, but a stem ending in a dot or blank is trimmed by the
    // shell and by tools when the name is retyped, and a stem "CON" is a
    // device whatever follows.
    CheckedFileName checked = CheckFileName(stem);
    if (!checked.usable()) return checked;
    return CheckFileName(stem + std::u16string(extension));
}

std::u16string MendedFileNameFromFontName(std::u16string_view fontName, std::u16string_view extension,
                                          std::u16string_view fallbackStem) {
    std::u16string stem = WithoutForbidden(fontName);
    // A device name is one up to the first dot and its blanks ("NUL .Sans"
    // opens NUL): the mark goes there, so that the rest cannot bring it back.
    if (IsReservedDeviceName(stem)) {
        std::size_t end = std::min(stem.find(u'.'), stem.size());
        while (end > 0 && stem[end - 1] == u' ') --end;
        stem.insert(end, 1, u'_');
    }
    const std::size_t room = kMaxFileNameChars > extension.size() + 1 ? kMaxFileNameChars - extension.size() - 1 : 1;
    if (stem.size() > room) {
        stem.resize(room);
        if (stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();  // half a pair
    }
    while (!stem.empty() && (stem.back() == u'.' || stem.back() == u' ')) stem.pop_back();
    if (stem.find_first_not_of(u" .") == std::u16string::npos) stem = fallbackStem;
    return stem + std::u16string(extension);
}

}  // namespace typorama
