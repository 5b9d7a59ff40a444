// The rules of renaming font files to their fonts' full names that need no
// system: the new name of a file, the name a typed answer gives, the log of
// renames that undo reads, and the bytes that log is kept in. Pure code; the
// program supplies the case rule and the ANSI code page.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_name_rules.h"

namespace typorama::tools {

inline constexpr std::u16string_view kRenameExtension = u".ttf";

// The file name a full name gives: the characters no file name may hold
// removed, ".ttf" appended; not usable (the file is skipped) when that is no
// name Windows would keep as it is.
CheckedFileName NameFromFullName(std::u16string_view fullName);

// The alternative the conflict dialog proposes: the full name as it is with
// " 2", or the first higher number whose file does not exist either.
// `exists(name)` answers for a file name of the folder (with ".ttf").
std::u16string ProposedAlternative(std::u16string_view fullName,
                                   const std::function<bool(const std::u16string&)>& exists);

// The file name a name typed in the conflict dialog gives: trimmed, its
// extension (after the last dot) replaced by ".ttf", or ".ttf" appended.
// Not usable when the trimmed text is empty or the result is no usable name.
CheckedFileName NameFromTypedName(std::u16string_view typed);

// Negative, zero or positive, letter case ignored.
using CompareNoCaseFn = std::function<int(std::u16string_view, std::u16string_view)>;

// Rename.log: lines "<new name>|<old name>", sorted without regard to case,
// each line once (case ignored as well).
class RenameLog {
public:
    explicit RenameLog(CompareNoCaseFn compare);

    // Adds the lines of a log's text (CR LF or LF; empty lines dropped).
    void AddText(std::u16string_view text);
    // Adds one line; false when an equal line was there.
    bool Add(std::u16string_view newName, std::u16string_view oldName);
    // The name to restore for a file named `currentName`: the part after "|"
    // of the first line whose part before it is that name; nothing when none.
    std::optional<std::u16string> OldNameOf(std::u16string_view currentName) const;
    // Every line followed by CR LF.
    std::u16string Text() const;
    const std::vector<std::u16string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }

private:
    bool Insert(std::u16string line);

    CompareNoCaseFn compare_;
    std::vector<std::u16string> lines_;
};

// The code page's side of the log's bytes. `encode` returns nothing when a
// character has no form in the code page; `decode` takes any bytes.
struct AnsiCodePage {
    std::function<std::optional<std::string>(std::u16string_view)> encode;
    std::function<std::u16string(std::string_view)> decode;
};

// The log's bytes: in the ANSI code page while every character fits it (as
// older copies of the program and other tools read it), otherwise UTF-16LE
// with a byte order mark, so that no name is lost and undo can restore it.
std::string EncodeRenameLog(std::u16string_view text, const AnsiCodePage& ansi);
// The text of the log's bytes in any of the three forms it may be kept in:
// UTF-16LE or UTF-8 by their byte order marks, otherwise ANSI.
std::u16string DecodeRenameLog(std::string_view bytes, const AnsiCodePage& ansi);

}  // namespace typorama::tools
