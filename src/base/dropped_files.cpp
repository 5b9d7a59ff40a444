#include "base/dropped_files.h"

#include <cstring>

namespace typorama {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameFolded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

// Wildcard match with the usual backtracking to the last '*': linear enough
// for file names, never recursive.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::u16string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::u16string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesPatterns(std::u16string_view path, std::u16string_view patterns) {
    const std::size_t slash = path.find_last_of(u"\\/");
    const std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    if (name.empty()) return false;
    while (!patterns.empty()) {
        const std::size_t end = patterns.find(u';');
        const std::u16string_view pattern = patterns.substr(0, end);
        if (!pattern.empty() && MatchesWildcard(name, pattern)) return true;
        if (end == std::u16string_view::npos) break;
        patterns.remove_prefix(end + 1);
    }
    return false;
}

DropPlan PlanDrop(const std::vector<HandedPath>& paths, std::u16string_view fontPatterns) {
    DropPlan plan;
    int others = 0;
    const HandedPath* firstFolder = nullptr;
    for (const HandedPath& handed : paths) {
        if (handed.kind == PathKind::File && MatchesPatterns(handed.path, fontPatterns)) {
            bool listed = false;
            for (const std::u16string& file : plan.fontFiles) listed = listed || SameFolded(file, handed.path);
            if (!listed) plan.fontFiles.push_back(handed.path);
        } else if (handed.kind == PathKind::Folder && !firstFolder) {
            firstFolder = &handed;
        } else {
            ++others;
        }
    }
    plan.ignored = others;
    if (!plan.fontFiles.empty()) {
        if (firstFolder) ++plan.ignored;
    } else if (firstFolder) {
        plan.folder = firstFolder->path;
    }
    return plan;
}

bool IsHandedPath(std::u16string_view path) {
    if (path.size() < 3 || path.size() > kMaxHandedPathChars) return false;
    for (const char16_t c : path)
        if (c < 0x20) return false;
    const bool drive = ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
                       path[1] == u':' && path[2] == u'\\';
    // A share names its server; paths starting \\.\ or \\?\ name devices and
    // pipes, which are never fonts and may block whoever opens them.
    const bool share = path[0] == u'\\' && path[1] == u'\\' && path[2] != u'\\' &&
                       !((path[2] == u'.' || path[2] == u'?') && (path.size() == 3 || path[3] == u'\\'));
    return drive || share;
}

std::optional<std::u16string> EncodeHandedFiles(const std::vector<std::u16string>& paths) {
    if (paths.empty() || paths.size() > kMaxHandedFiles) return std::nullopt;
    std::u16string list;
    for (const std::u16string& path : paths) {
        if (!IsHandedPath(path)) return std::nullopt;
        list += path;
        list += u'\0';
    }
    list += u'\0';
    return list;
}

std::optional<std::vector<std::u16string>> DecodeHandedFiles(const void* data, std::size_t bytes) {
    constexpr std::size_t kMaxUnits = kMaxHandedFiles * (kMaxHandedPathChars + 1) + 1;
    if (!data || bytes % sizeof(char16_t) != 0) return std::nullopt;
    const std::size_t units = bytes / sizeof(char16_t);
    if (units < 2 || units > kMaxUnits) return std::nullopt;
    // Copied: the sender's bytes need not be aligned for char16_t.
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), data, bytes);
    if (text[units - 1] != u'\0' || text[units - 2] != u'\0') return std::nullopt;

    std::vector<std::u16string> paths;
    std::size_t start = 0;
    while (start < units - 1) {
        const std::size_t end = text.find(u'\0', start);
        if (end == start) return std::nullopt;  // an empty path before the end
        if (paths.size() == kMaxHandedFiles) return std::nullopt;
        std::u16string path = text.substr(start, end - start);
        if (!IsHandedPath(path)) return std::nullopt;
        paths.push_back(std::move(path));
        start = end + 1;
    }
    if (paths.empty()) return std::nullopt;
    return paths;
}

}  // namespace typorama
