// What the main window shows and keeps about the current font: the text of
// the information pane and the rule for adding a sample string. Pure code.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace typorama {

// The pieces of the information pane for a font with a file, in the order of
// the facts pattern's nine %s.
struct FontInfoPieces {
    std::u16string file, size, displayName, fullName, version, embedding, scripts, status, copyright;
};

// The pane's three patterns (from the string table).
struct FontInfoPatterns {
    std::u16string noFont;  // no current font
    std::u16string noFile;  // a font whose file is not known
    std::u16string facts;   // nine %s: the pieces
};

// The pane's text: `noFont` without pieces, `noFile` when the file is
// empty, else the facts pattern filled. Every piece is cut at its first NUL
// and its line breaks become CR LF (an edit control shows a bare LF as a
// box), so a name from a font cannot hide the lines after it.
std::u16string FontInfoText(const FontInfoPatterns& patterns, const FontInfoPieces* pieces);

// Leading and trailing characters up to the space removed (controls included).
std::u16string TrimSample(std::u16string_view text);

// The item a text adds to the stored sample strings: the trimmed text, or
// nothing when it is empty or an item has exactly that text (letter case
// counts: "abc" and "ABC" are two strings).
std::optional<std::u16string> SampleStringToAdd(const std::vector<std::u16string>& items, std::u16string_view text);

}  // namespace typorama
