#include "settings/command_variables.h"

#include <algorithm>
#include <array>

#include "base/unicode.h"

namespace typorama::settings {
namespace {

constexpr std::array<std::u16string_view, kCommandVariableCount> kNames = {
    u"$TY_FILENAME", u"$TY_FILEPATH",     u"$TY_FILEPATH_DOS", u"$TY_FILEPATH_BROWSE",
    u"$TY_FOLDER",   u"$TY_FOLDER_SYSFONTS", u"$TY_FOLDER_BROWSE", u"$TY_LIST_SELECTED",
    u"$TY_SCRIPT",   u"$TY_COPYRIGHT",    u"$TY_FACENAME",
};

// The order in which the source is asked: prompts and files happen in this
// order whatever the order of the variables in the text.
constexpr std::array<CommandVariable, kCommandVariableCount> kResolveOrder = {
    CommandVariable::FilePathBrowse, CommandVariable::FileName,     CommandVariable::FilePathDos,
    CommandVariable::FilePath,       CommandVariable::Copyright,    CommandVariable::FaceName,
    CommandVariable::Script,         CommandVariable::ListSelected, CommandVariable::FolderSysFonts,
    CommandVariable::FolderBrowse,   CommandVariable::Folder,
};

constexpr std::u16string_view kPrefix = u"$TY_";

struct Occurrence {
    std::size_t position;
    CommandVariable variable;
};

// The variables of `set` in `text`, left to right; where names overlap at
// one place the longest wins, and the scan goes on after it.
std::vector<Occurrence> FindVariables(std::u16string_view text, CommandVariableSet set) {
    std::vector<Occurrence> found;
    std::size_t at = text.find(kPrefix);
    while (at != std::u16string_view::npos) {
        std::optional<CommandVariable> best;
        for (CommandVariable v : set.Members()) {
            const std::u16string_view name = CommandVariableName(v);
            if (text.substr(at, name.size()) == name && (!best || name.size() > CommandVariableName(*best).size()))
                best = v;
        }
        std::size_t next = at + 1;
        if (best) {
            found.push_back({at, *best});
            next = at + CommandVariableName(*best).size();
        }
        at = text.find(kPrefix, next);
    }
    return found;
}

bool IsFontVariable(CommandVariable v) {
    switch (v) {
        case CommandVariable::FileName:
        case CommandVariable::FilePath:
        case CommandVariable::FilePathDos:
        case CommandVariable::Copyright:
        case CommandVariable::FaceName:
        case CommandVariable::Script:
            return true;
        default:
            return false;
    }
}

// The value of one variable; nothing when it stays as written.
std::optional<std::u16string> Resolve(CommandVariable v, CommandVariableSource& source, bool& cancelled) {
    if (IsFontVariable(v) && !source.HasFont()) return std::nullopt;
    switch (v) {
        case CommandVariable::FilePathBrowse:
        case CommandVariable::FolderBrowse: {
            std::optional<std::u16string> chosen =
                v == CommandVariable::FilePathBrowse ? source.BrowseFile() : source.BrowseFolder();
            if (!chosen) {
                cancelled = true;
                return std::nullopt;
            }
            return v == CommandVariable::FolderBrowse ? WithTrailingBackslash(*chosen) : *chosen;
        }
        case CommandVariable::FileName: return std::u16string(FileNamePart(source.FontFilePath()));
        case CommandVariable::FilePathDos: return source.FontShortPath();
        case CommandVariable::FilePath: return source.FontFilePath();
        case CommandVariable::Copyright: return CommandLineSafe(source.FontCopyright());
        case CommandVariable::FaceName: return CommandLineSafe(source.FontFaceName());
        case CommandVariable::Script: return CommandLineSafe(source.FontScript());
        case CommandVariable::ListSelected: return source.MakeListFile();
        case CommandVariable::FolderSysFonts: return source.SystemFontsFolder();
        case CommandVariable::Folder: {
            const std::u16string browsed = source.BrowsedFolder();
            return browsed.empty() ? source.SystemFontsFolder() : WithTrailingBackslash(browsed);
        }
    }
    return std::nullopt;
}

}  // namespace

std::u16string_view CommandVariableName(CommandVariable variable) {
    return kNames[static_cast<std::size_t>(variable)];
}

std::vector<CommandVariable> CommandVariableSet::Members() const {
    std::vector<CommandVariable> members;
    for (int i = 0; i < kCommandVariableCount; ++i)
        if (Has(static_cast<CommandVariable>(i))) members.push_back(static_cast<CommandVariable>(i));
    return members;
}

std::u16string CommandLineSafe(std::u16string_view fontText) {
    fontText = fontText.substr(0, fontText.find(u'\0'));
    std::u16string safe;
    safe.reserve(std::min(fontText.size(), kMaxFontValueLength));
    for (char16_t c : fontText) {
        if (c == u'"') continue;
        if (safe.size() == kMaxFontValueLength) break;
        safe.push_back(c < 0x20 || c == 0x7F ? u' ' : c);
    }
    // A cut between the halves of a pair would leave half a character.
    if (safe.size() == kMaxFontValueLength && IsHighSurrogate(safe.back())) safe.pop_back();
    return safe;
}

std::u16string_view FileNamePart(std::u16string_view path) {
    const std::size_t cut = path.find_last_of(u"\\/:");
    return cut == std::u16string_view::npos ? path : path.substr(cut + 1);
}

std::u16string WithTrailingBackslash(std::u16string_view folder) {
    std::u16string out(folder);
    if (!out.empty() && out.back() != u'\\') out.push_back(u'\\');
    return out;
}

std::u16string_view TrimmedText(std::u16string_view text) {
    while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
    return text;
}

std::u16string_view ProgramPartOf(std::u16string_view commandLine) {
    const std::size_t exe = commandLine.find(u".exe");
    if (exe == std::u16string_view::npos) return TrimmedText(commandLine);
    return commandLine.substr(0, exe + 4);
}

std::u16string ListFileText(const std::vector<std::u16string>& paths) {
    std::u16string text;
    for (const std::u16string& path : paths) {
        text += path;
        text += u"\r\n";
    }
    return text;
}

ExpandedCommand ExpandCommandVariables(std::u16string_view commandLine, CommandVariableSource& source,
                                       CommandVariableSet set) {
    ExpandedCommand result;
    const std::vector<Occurrence> found = FindVariables(commandLine, set);

    std::array<std::optional<std::u16string>, kCommandVariableCount> values;
    for (CommandVariable v : kResolveOrder) {
        bool present = false;
        for (const Occurrence& o : found) present = present || o.variable == v;
        if (present) values[static_cast<std::size_t>(v)] = Resolve(v, source, result.browseCancelled);
    }

    std::size_t copied = 0;
    for (const Occurrence& o : found) {
        const auto& value = values[static_cast<std::size_t>(o.variable)];
        if (!value) continue;  // stays as written
        result.text.append(commandLine.substr(copied, o.position - copied));
        result.text += *value;
        copied = o.position + CommandVariableName(o.variable).size();
    }
    result.text.append(commandLine.substr(copied));
    return result;
}

}  // namespace typorama::settings
