// Command variables: words beginning "$TY_" in a user's command line (or an
// image's title and text) that are replaced, just before use, by facts of the
// current font, by folders, by a list file of the chosen fonts, or by what
// the user picks at that moment. This is the pure part: the names, the sets,
// the order of replacement and what each step does with the values a source
// gives it. Where the values come from (dialogs, files, the font list) is the
// caller's business. Pure code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace typorama::settings {

// In the order the insert-variable dialog lists them.
enum class CommandVariable : std::uint8_t {
    FileName,
    FilePath,
    FilePathDos,
    FilePathBrowse,
    Folder,
    FolderSysFonts,
    FolderBrowse,
    ListSelected,
    Script,
    Copyright,
    FaceName,
};
inline constexpr int kCommandVariableCount = 11;

// "$TY_FILENAME" and so on.
std::u16string_view CommandVariableName(CommandVariable variable);

class CommandVariableSet {
public:
    constexpr CommandVariableSet() = default;
    constexpr CommandVariableSet(std::initializer_list<CommandVariable> members) {
        for (CommandVariable v : members) bits_ |= Bit(v);
    }
    static constexpr CommandVariableSet All() {
        CommandVariableSet set;
        set.bits_ = (1u << kCommandVariableCount) - 1;
        return set;
    }
    constexpr CommandVariableSet Without(CommandVariable v) const {
        CommandVariableSet set = *this;
        set.bits_ &= ~Bit(v);
        return set;
    }
    constexpr bool Has(CommandVariable v) const { return (bits_ & Bit(v)) != 0; }
    // The members in the dialog's order.
    std::vector<CommandVariable> Members() const;

private:
    static constexpr std::uint16_t Bit(CommandVariable v) {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(v));
    }
    std::uint16_t bits_ = 0;
};

// The Run menu's programs: the copyright has no place on their command lines.
inline constexpr CommandVariableSet kRunProgramSet = CommandVariableSet::All().Without(CommandVariable::Copyright);
// The external viewer of a double click works on one font: no list file.
inline constexpr CommandVariableSet kViewerCommandSet =
    CommandVariableSet::All().Without(CommandVariable::ListSelected);
// The title and sample text of an exported image: facts, no prompts, no files.
inline constexpr CommandVariableSet kImageTextSet = {
    CommandVariable::FilePath,  CommandVariable::FilePathDos, CommandVariable::FileName,
    CommandVariable::Copyright, CommandVariable::FaceName,    CommandVariable::Script,
    CommandVariable::FolderSysFonts};

// A text read from a font file (full name, copyright, script), made fit for a
// command line: cut at the first NUL, double quotes removed (a quote would
// end the user's quoted argument and let the font add arguments of its own),
// control characters (line breaks, tabs) turned into spaces, and at most
// kMaxFontValueLength code units, never splitting a surrogate pair.
inline constexpr std::size_t kMaxFontValueLength = 1024;
std::u16string CommandLineSafe(std::u16string_view fontText);

// The file name part of a path: what follows the last backslash, slash or colon.
std::u16string_view FileNamePart(std::u16string_view path);
// The folder with a backslash at its end (an empty folder stays empty).
std::u16string WithTrailingBackslash(std::u16string_view folder);

// The text without the spaces and control characters at its ends, as the
// program's dialogs take what was typed.
std::u16string_view TrimmedText(std::u16string_view text);
// The program part of a command line, where its file dialog starts: up to
// and including the first ".exe" (as typed, case-sensitive), else the whole
// trimmed text.
std::u16string_view ProgramPartOf(std::u16string_view commandLine);

// The text of a list file: one path per line, each line ending in CR LF.
std::u16string ListFileText(const std::vector<std::u16string>& paths);

// What the expansion asks for, each only when its variable is in the set and
// in the text. The font's values are given as read; the expansion makes the
// font file's texts safe itself.
class CommandVariableSource {
public:
    virtual ~CommandVariableSource() = default;
    // A file chosen in a save dialog; nothing when the user cancelled.
    virtual std::optional<std::u16string> BrowseFile() = 0;
    // Whether a font is given; the next five are asked only then.
    virtual bool HasFont() = 0;
    virtual std::u16string FontFilePath() = 0;
    // Empty when the system cannot give a short form.
    virtual std::u16string FontShortPath() = 0;
    virtual std::u16string FontCopyright() = 0;
    virtual std::u16string FontFaceName() = 0;
    virtual std::u16string FontScript() = 0;
    // Makes the list file of the chosen fonts and returns its path.
    virtual std::u16string MakeListFile() = 0;
    // Ends with a backslash.
    virtual std::u16string SystemFontsFolder() = 0;
    // A folder chosen in the folder picker; nothing when the user cancelled.
    virtual std::optional<std::u16string> BrowseFolder() = 0;
    // The folder the list shows, or empty when it shows no folder.
    virtual std::u16string BrowsedFolder() = 0;
};

struct ExpandedCommand {
    std::u16string text;
    bool browseCancelled = false;  // one of the two prompts was cancelled
};

// Replaces the variables of `set` in `commandLine` in one left-to-right pass:
// where several names begin at the same place ($TY_FILEPATH,
// $TY_FILEPATH_DOS, $TY_FILEPATH_BROWSE; $TY_FOLDER, $TY_FOLDER_SYSFONTS,
// $TY_FOLDER_BROWSE) the longest one of the set wins, so a longer name is
// never half-replaced by a shorter one, and inserted text is never looked at
// again (a font named "$TY_FOLDER" stays so). The source is asked in a fixed
// order, each question at most once: the file prompt, the font's facts, the
// list file, the fonts folder, the folder prompt, the browsed folder. A
// cancelled prompt leaves its variable in the text; without a font the
// font's variables stay too.
ExpandedCommand ExpandCommandVariables(std::u16string_view commandLine, CommandVariableSource& source,
                                       CommandVariableSet set);

}  // namespace typorama::settings
