// The rule for a name that becomes the name of a file in a folder: what the
// user types as a new name for a font file, and names proposed from other
// files. Names come from files anyone can make, so they are checked against
// what every Windows file system refuses, not against what one happens to
// accept. Pure code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace typorama {

// Longest name of one folder entry on NTFS and FAT long names.
inline constexpr std::size_t kMaxFileNameChars = 255;

enum class FileNameProblem {
    None,
    Empty,               // nothing before the first NUL, or only blanks and dots
    ForbiddenCharacter,  // " * / : < > ? \ | or a control character
    ReservedName,        // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    TrailingDotOrSpace,  // the system drops them silently: another file than asked for
    TooLong,             // longer than kMaxFileNameChars
};

struct CheckedFileName {
    std::u16string name;  // cut at the first NUL; valid only when problem is None
    FileNameProblem problem = FileNameProblem::None;
    bool usable() const { return problem == FileNameProblem::None; }
};

// Cuts the name at its first NUL and checks what is left.
CheckedFileName CheckFileName(std::u16string_view name);

// "arial.ttf" -> "arial2.ttf": the name with `insert` before its extension
// (the part from the last dot; a leading dot starts no extension).
std::u16string InsertBeforeExtension(std::u16string_view name, std::u16string_view insert);

// The file name a font's name gives: the name cut at its first NUL, without
// the characters no file name may hold (" * / : < > ? \ | and control
// characters: a ratio or a date in a full name loses its colon or slash), with
// `extension` appended. Not usable when what is left is empty, a device name,
// ends in a dot or blank (the system would drop them and make another name
// than the one logged), or is too long with the extension.
CheckedFileName FileNameFromFontName(std::u16string_view fontName, std::u16string_view extension);

// A file name from a font's name for files the program makes on its own
// (saved images), where refusing is no answer: as FileNameFromFontName, then
// mended until usable. Trailing dots and blanks are dropped, a device name
// gets "_" appended ("CON" -> "CON_"), a long stem is cut so that the whole
// name fits (never inside a surrogate pair), and an empty stem becomes
// `fallbackStem`, which must be usable itself.
std::u16string MendedFileNameFromFontName(std::u16string_view fontName, std::u16string_view extension,
                                          std::u16string_view fallbackStem);

}  // namespace typorama
