// Comparing text without regard to letter case: one routine for each rule
// the program uses, so that a rule is chosen once and not re-invented.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/text_format.h"
#include "win/wide.h"

namespace typorama::win {

// Paths, registry names, class names: letters through the system's upper-case
// table, independent of the user's locale (the file system's and the
// registry's rule). lstrcmpiW would sort linguistically, weighing hyphens and
// other characters differently and following the locale, which is wrong for
// names the system compares. Negative, zero or positive.
inline int CompareNoCase(std::wstring_view a, std::wstring_view b) {
    // An empty view may have no data at all, which the system refuses.
    return CompareStringOrdinal(a.empty() ? L"" : a.data(), static_cast<int>(a.size()), b.empty() ? L"" : b.data(),
                                static_cast<int>(b.size()), TRUE) -
           CSTR_EQUAL;
}
inline bool EqualNoCase(std::wstring_view a, std::wstring_view b) { return CompareNoCase(a, b) == 0; }
// The text through the same upper-case table: two paths that give the same
// text are the same to CompareNoCase, for keys of hashed sets.
inline std::u16string UpperNoCase(std::u16string_view text) {
    if (text.empty()) return {};
    const std::wstring wide = ToWide(text);
    std::wstring upper(wide.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    if (n <= 0) return std::u16string(text);
    upper.resize(static_cast<std::size_t>(n));
    return std::u16string(AsU16(upper));
}
// The order of CompareNoCase, for sorted containers.
struct LessNoCase {
    bool operator()(std::wstring_view a, std::wstring_view b) const { return CompareNoCase(a, b) < 0; }
};

// Names shown to the user in a sorted list, in the order Explorer gives them:
// the user's locale, letter case ignored.
inline int CompareForDisplay(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()); }

// Only the letters A-Z folded, every other character compared as it is: the
// rule of the lists of folders the user keeps (favourites, several folders).
inline bool EqualFoldedAscii(std::wstring_view a, std::wstring_view b) {
    return CompareFoldedAscii(AsU16(a), AsU16(b)) == 0;
}

}  // namespace typorama::win
