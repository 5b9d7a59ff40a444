#include "charmap/rich_text.h"

namespace typorama::charmap {

std::string RtfEscaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '{' || c == '}' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte > 127) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string CharRichText(const RichTextFont& font, unsigned char character) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset";
    rtf += std::to_string(font.charset);
    rtf += "\\fontname ";
    rtf += RtfEscaped(font.faceName);
    rtf += "}}\\ulnone";
    if (font.bold) rtf += "\\b";
    if (font.italic) rtf += "\\i";
    rtf += "\\f0 ";
    rtf += RtfEscaped(std::string_view(reinterpret_cast<const char*>(&character), 1));
    if (font.bold) rtf += "\\b0";
    if (font.italic) rtf += "\\i0";
    rtf += "}";
    return rtf;
}

}  // namespace typorama::charmap
