// The rich text the character map puts on the clipboard for one character:
// a one-font document that carries the face, its character set, bold and
// italic, so that a word processor shows the character in the right font.
// Pure code: the caller gives the bytes in the font's code page.
#pragma once

#include <string>
#include <string_view>

namespace typorama::charmap {

struct RichTextFont {
    int charset = 0;            // the font's character set number (\fcharset)
    std::string_view faceName;  // the face name in the font's code page
    bool bold = false;          // weight above 400
    bool italic = false;
};

// "{\rtf1\ansi{\fonttbl{\f0\fnil\fcharset0\fontname Arial}}\ulnone\f0 A}" for
// the letter A of regular Arial. The braces and the backslash of a face name
// or of the character are escaped (a face name may hold anything a font file
// says), and bytes above 127 are written as \'xx, since an RTF reader takes
// only 7-bit text literally.
std::string CharRichText(const RichTextFont& font, unsigned char character);

// `text` as RTF text: \{ \} \\ and \'xx for bytes above 127, the rest as is.
std::string RtfEscaped(std::string_view text);

}  // namespace typorama::charmap
