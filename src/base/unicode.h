// UTF-16 to UTF-8 for the console companion's output and other byte-oriented
// sinks. Pure code.
#pragma once

#include <string>
#include <string_view>

namespace typorama {

// Appends the UTF-8 form of one code point (U+0000..U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// Converts UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The bytes of UTF-16LE text with a byte-order mark before it, for files a
// Unicode reader takes.
std::string Utf16LeWithBom(std::u16string_view text);

// Converts UTF-8 to UTF-16; a byte that starts no valid sequence (a stray
// continuation, an overlong or cut-off form, a surrogate) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace typorama
