#include "tools/rename_rules.h"

#include <algorithm>

#include "base/unicode.h"

namespace typorama::tools {
namespace {

constexpr char16_t kSeparator = u'|';

std::u16string_view Trim(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

std::u16string_view BeforeSeparator(std::u16string_view line) { return line.substr(0, line.find(kSeparator)); }

}  // namespace

CheckedFileName NameFromFullName(std::u16string_view fullName) {
    return FileNameFromFontName(fullName, kRenameExtension);
}

std::u16string ProposedAlternative(std::u16string_view fullName,
                                   const std::function<bool(const std::u16string&)>& exists) {
    const std::u16string base(fullName.substr(0, fullName.find(u'\0')));
    // A folder cannot hold more files than this; the bound only keeps a
    // misbehaving answer from looping for ever.
    for (int number = 2; number < 100000; ++number) {
        std::u16string candidate = base + u' ';
        for (char c : std::to_string(number)) candidate += static_cast<char16_t>(c);
        const CheckedFileName file = NameFromTypedName(candidate);
        if (!file.usable() || !exists(file.name)) return candidate;
    }
    return base + u" 2";
}

CheckedFileName NameFromTypedName(std::u16string_view typed) {
    const std::u16string_view trimmed = Trim(typed.substr(0, typed.find(u'\0')));
    if (trimmed.empty()) return {std::u16string(), FileNameProblem::Empty};
    std::size_t dot = trimmed.rfind(u'.');
    if (dot == std::u16string_view::npos) dot = trimmed.size();
    return CheckFileName(std::u16string(trimmed.substr(0, dot)) + std::u16string(kRenameExtension));
}

RenameLog::RenameLog(CompareNoCaseFn compare) : compare_(std::move(compare)) {}

bool RenameLog::Insert(std::u16string line) {
    auto at = std::lower_bound(lines_.begin(), lines_.end(), line,
                               [this](const std::u16string& a, const std::u16string& b) { return compare_(a, b) < 0; });
    if (at != lines_.end() && compare_(*at, line) == 0) return false;
    lines_.insert(at, std::move(line));
    return true;
}

void RenameLog::AddText(std::u16string_view text) {
    while (!text.empty()) {
        std::size_t end = text.find(u'\n');
        std::u16string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        if (!line.empty()) Insert(std::u16string(line));
        if (end == std::u16string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

bool RenameLog::Add(std::u16string_view newName, std::u16string_view oldName) {
    std::u16string line(newName);
    line += kSeparator;
    line += oldName;
    return Insert(std::move(line));
}

std::optional<std::u16string> RenameLog::OldNameOf(std::u16string_view currentName) const {
    for (const std::u16string& line : lines_) {
        const std::u16string_view before = BeforeSeparator(line);
        if (before.size() < line.size() && compare_(before, currentName) == 0)
            return line.substr(before.size() + 1);
    }
    return std::nullopt;
}

std::u16string RenameLog::Text() const {
    std::u16string text;
    for (const std::u16string& line : lines_) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

std::string EncodeRenameLog(std::u16string_view text, const AnsiCodePage& ansi) {
    if (ansi.encode)
        if (std::optional<std::string> bytes = ansi.encode(text)) return *bytes;
    return Utf16LeWithBom(text);
}

std::u16string DecodeRenameLog(std::string_view bytes, const AnsiCodePage& ansi) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::u16string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToUtf16(bytes.substr(3));
    return ansi.decode ? ansi.decode(bytes) : std::u16string();
}

}  // namespace typorama::tools
