// Text formatting shared by every window and tool. Pure code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace typorama {

// A file size as "%d bytes", "%.1fKB", "%.2fMB" or "%.2fGB"; empty for -1
// (a size not asked for yet). 1536 gives "1.5KB".
std::u16string FormatByteSize(std::int64_t bytes);

// Order of font names: A-Z compare as a-z, every other code unit by its value.
int CompareFoldedAscii(std::u16string_view a, std::u16string_view b);

// One argument of FormatText: text, a whole number or a real number.
using FormatArg = std::variant<std::u16string_view, std::int64_t, double>;

// Fills a message pattern of the string table: %s text, %d decimal (%.2d at
// least two digits, zero-padded), %x and %X
// hexadecimal, %.Nf fixed point, %.Nn fixed point with thousands separators,
// %% a percent sign. A placeholder without a matching argument stays as it is.
std::u16string FormatText(std::u16string_view pattern, const std::vector<FormatArg>& args);

}  // namespace typorama
