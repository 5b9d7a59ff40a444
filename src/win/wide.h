// wchar_t and char16_t are both UTF-16 on Windows: the pure code speaks
// char16_t, the Win32 code wchar_t.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace typorama::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline std::u16string_view AsU16(std::wstring_view s) {
    return {reinterpret_cast<const char16_t*>(s.data()), s.size()};
}
inline std::wstring ToWide(std::u16string_view s) {
    return {reinterpret_cast<const wchar_t*>(s.data()), s.size()};
}

// The ANSI code page's text for bytes, as Windows shows ANSI strings.
std::wstring AnsiToWide(std::string_view bytes);
// The reverse, for files whose format is ANSI by definition.
std::string WideToAnsi(std::wstring_view text);
// The ANSI form only if it gives the very same text back: nullopt when a
// character would be lost to '?' or to a look-alike ("best fit"), so that the
// caller can choose a Unicode form instead.
std::optional<std::string> WideToAnsiExact(std::wstring_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view bytes);

}  // namespace typorama::win
