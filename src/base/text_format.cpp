#include "base/text_format.h"

#include <cstdio>

namespace typorama {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text) out += static_cast<char16_t>(static_cast<unsigned char>(*text));
    return out;
}

}  // namespace

std::u16string FormatByteSize(std::int64_t bytes) {
    if (bytes == -1) return {};
    char text[64];
    constexpr double kKB = 1024.0, kMB = 1048576.0, kGB = 1073741824.0;
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(bytes));
    else if (bytes < 1048576)
        std::snprintf(text, sizeof text, "%.1fKB", static_cast<double>(bytes) / kKB);
    else if (bytes < 1073741824)
        std::snprintf(text, sizeof text, "%.2fMB", static_cast<double>(bytes) / kMB);
    else
        std::snprintf(text, sizeof text, "%.2fGB", static_cast<double>(bytes) / kGB);
    return Widen(text);
}

int CompareFoldedAscii(std::u16string_view a, std::u16string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        char16_t x = FoldAscii(a[i]), y = FoldAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

std::u16string Grouped(std::u16string digits) {
    std::size_t end = digits.find(u'.');
    if (end == std::u16string::npos) end = digits.size();
    std::size_t start = !digits.empty() && digits[0] == u'-' ? 1 : 0;
    for (std::size_t i = end; i > start + 3; i -= 3) digits.insert(i - 3, 1, u',');
    return digits;
}

std::u16string FormatOne(char conversion, int precision, const FormatArg& arg) {
    char text[128];
    auto asDouble = [&] {
        if (auto* i = std::get_if<std::int64_t>(&arg)) return static_cast<double>(*i);
        return std::get<double>(arg);
    };
    switch (conversion) {
        case 's':
            if (auto* s = std::get_if<std::u16string_view>(&arg)) return std::u16string(*s);
            break;
        case 'd':
            if (auto* i = std::get_if<std::int64_t>(&arg)) {
                // "%.2d" pads with zeros to two digits, as printf does ("01:02:03").
                std::snprintf(text, sizeof text, "%.*lld", precision < 0 ? 1 : precision, static_cast<long long>(*i));
                return Widen(text);
            }
            break;
        case 'x':
        case 'X':
            if (auto* i = std::get_if<std::int64_t>(&arg)) {
                std::snprintf(text, sizeof text, conversion == 'x' ? "%llx" : "%llX",
                              static_cast<unsigned long long>(*i));
                return Widen(text);
            }
            break;
        case 'f':
        case 'n':
            if (std::holds_alternative<std::u16string_view>(arg)) break;
            std::snprintf(text, sizeof text, "%.*f", precision < 0 ? 2 : precision, asDouble());
            return conversion == 'n' ? Grouped(Widen(text)) : Widen(text);
        default:
            break;
    }
    return {};
}

}  // namespace

std::u16string FormatText(std::u16string_view pattern, const std::vector<FormatArg>& args) {
    std::u16string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        if (pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int precision = -1;
        if (pattern[j] == u'.') {
            precision = 0;
            while (++j < pattern.size() && pattern[j] >= u'0' && pattern[j] <= u'9')
                precision = precision * 10 + (pattern[j] - u'0');
        }
        if (j >= pattern.size() || next >= args.size() ||
            std::u16string_view(u"sdxXfn").find(pattern[j]) == std::u16string_view::npos) {
            out += pattern[i];
            continue;
        }
        char conversion = static_cast<char>(pattern[j]);
        out += FormatOne(conversion, precision, args[next++]);
        i = j;
    }
    return out;
}

}  // namespace typorama
