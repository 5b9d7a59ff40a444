// The rule for a font name that becomes the value name of an installed-font
// entry ("<full name> (TrueType)"). Full names come from font files anyone can
// make, so every reader and writer of the installed-font list passes them
// through CheckEntryName first. Pure code.
#pragma once

#include <cstddef>
#include <string>
#include <span>
#include <string_view>
#include <vector>

namespace typorama::catalog {

// The suffix the program writes, and the other forms found in the list.
inline constexpr std::u16string_view kEntrySuffix = u" (TrueType)";
inline constexpr std::u16string_view kEntrySuffixSpaced = u" (True Type)";
// The form the system itself writes for fonts with PostScript outlines.
inline constexpr std::u16string_view kEntrySuffixOpenType = u" (OpenType)";

// Older Windows kept value names to 255 characters, and programs that list the
// fonts key still read them into buffers of that size.
inline constexpr std::size_t kMaxEntryValueNameChars = 255;
inline constexpr std::size_t kMaxEntryNameChars = kMaxEntryValueNameChars - kEntrySuffix.size();

enum class EntryNameProblem {
    None,
    Empty,              // nothing (or only blanks) before the first NUL: "no full name in the file"
    ControlCharacter,   // a line break or other control character
    UnpairedSurrogate,  // not text in any encoding the name could be shown in
    TooLong,            // longer than kMaxEntryNameChars
    EndsInSuffix,       // its bare form would be the entry of another font
};

struct EntryName {
    std::u16string name;  // cut at the first NUL; valid only when problem is None
    EntryNameProblem problem = EntryNameProblem::None;
    bool usable() const { return problem == EntryNameProblem::None; }
};

// Cuts the name at its first NUL (the registry would cut it there anyway, so
// "Other (TrueType)\0x" + suffix would name the entry of the font "Other") and
// checks what is left.
EntryName CheckEntryName(std::u16string_view fullName);

// Windows names the entry of a collection (.ttc) after all of its faces: their
// full names joined by " & " ("SimSun & NSimSun"). Each name is cut at its
// first NUL; a face without a name leaves the whole empty, so that the result
// is refused by CheckEntryName rather than naming a different set of faces.
// Faces whose names would make the entry longer than kMaxEntryNameChars are
// left out of it (the first face is always in it).
std::u16string CollectionEntryName(std::span<const std::u16string> fullNames);

// The faces' full names of a collection's value name ("SimSun & NSimSun
// (TrueType)", any suffix form, letter case ignored): how a face is found
// installed. Empty for a value name that names no collection.
std::vector<std::u16string> CollectionEntryFaces(std::u16string_view valueName);

}  // namespace typorama::catalog
