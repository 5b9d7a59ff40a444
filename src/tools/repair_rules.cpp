#include "tools/repair_rules.h"

#include <vector>

namespace typorama::tools {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualAsciiNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The section a header line names, or nothing when the line is no header.
bool SectionName(std::u16string_view line, std::u16string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != u'[') return false;
    const std::size_t close = line.find(u']');
    if (close == std::u16string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// A line that holds an entry (or anything else that is not blank and not a comment).
bool IsContent(std::u16string_view line) {
    line = Trim(line);
    return !line.empty() && line.front() != u';';
}

}  // namespace

bool IsRegistrationValid(DriveKind drive, bool fileExists, bool includeRemovable) {
    if (!fileExists) return false;
    return drive == DriveKind::Fixed || !includeRemovable;
}

std::u16string DriveRoot(std::u16string_view path) {
    if (path.size() >= 4 && path.substr(0, 4) == u"\\\\?\\") {
        path.remove_prefix(4);
        // \\?\UNC\server\share is the long form of \\server\share.
        if (path.size() >= 4 && EqualAsciiNoCase(path.substr(0, 4), u"UNC\\"))
            return DriveRoot(u"\\\\" + std::u16string(path.substr(4)));
    }
    if (path.size() >= 2 && path[1] == u':' &&
        ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')))
        return std::u16string(path.substr(0, 2)) + u"\\";
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // \\server\share\: the share is the root; both parts must be there.
        std::size_t server = 2;
        while (server < path.size() && !IsSeparator(path[server])) ++server;
        if (server == 2 || server >= path.size()) return {};
        std::size_t share = server + 1;
        while (share < path.size() && !IsSeparator(path[share])) ++share;
        if (share == server + 1) return {};
        return std::u16string(path.substr(0, share)) + u"\\";
    }
    return {};
}

IniEdit RemoveIniEntry(std::u16string_view text, std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) {
    // Lines with their line ends, so that what stays keeps its bytes.
    std::vector<std::u16string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(u'\n', start);
        end = end == std::u16string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    IniEdit edit;
    std::vector<bool> keep(lines.size(), true);
    // The header of the section being walked when it is the one asked about,
    // and whether an entry of it stays.
    std::size_t header = lines.size();
    bool sectionKeepsEntries = false;
    bool removedHere = false;
    auto closeSection = [&] {
        if (header < lines.size() && !sectionKeepsEntries && removedHere) keep[header] = false;
        header = lines.size();
    };
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string_view name;
        if (SectionName(lines[i], name)) {
            closeSection();
            inSection = EqualAsciiNoCase(name, section);
            if (inSection) {
                header = i;
                sectionKeepsEntries = false;
                removedHere = false;
            }
            continue;
        }
        if (!inSection || !IsContent(lines[i])) continue;
        const std::size_t equals = lines[i].find(u'=');
        if (equals != std::u16string_view::npos && EqualAsciiNoCase(Trim(lines[i].substr(0, equals)), key) &&
            (value.empty() || EqualAsciiNoCase(Trim(lines[i].substr(equals + 1)), value))) {
            keep[i] = false;
            edit.removed = removedHere = true;
        } else {
            sectionKeepsEntries = true;
        }
    }
    closeSection();
    edit.empty = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!keep[i]) continue;
        edit.text += lines[i];
        if (!Trim(lines[i]).empty()) edit.empty = false;
    }
    return edit;
}

IniEdit RemoveFontsView(std::u16string_view text) {
    IniEdit edit = RemoveIniEntry(text, kShellClassSection, kFontsViewKey);
    IniEdit folderClass = RemoveIniEntry(edit.text, kShellClassSection, u"CLSID", kFontsFolderClass);
    folderClass.removed = folderClass.removed || edit.removed;
    return folderClass;
}

}  // namespace typorama::tools
