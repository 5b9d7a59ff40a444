#include "tools/duplicate_groups.h"

#include <algorithm>
#include <map>

namespace typorama::tools {

void SortFoundFiles(std::vector<std::u16string>& files, const TextCompare& compare) {
    std::stable_sort(files.begin(), files.end(),
                     [&](const std::u16string& a, const std::u16string& b) { return compare(a, b) < 0; });
}

std::u16string_view GroupKey(std::u16string_view fullName) {
    return fullName.substr(0, fullName.find(u'\0'));
}

std::vector<DuplicateGroup> GroupDuplicates(const std::vector<FontRecord>& records, const TextCompare& compare) {
    auto less = [&](std::u16string_view a, std::u16string_view b) { return compare(a, b) < 0; };
    std::map<std::u16string_view, DuplicateGroup, decltype(less)> groups(less);
    for (const FontRecord& record : records) {
        std::u16string_view key = GroupKey(record.fullName);
        if (key.empty()) continue;
        auto it = groups.find(key);
        if (it == groups.end()) {
            // The key views the record, which outlives the map.
            groups.emplace(key, DuplicateGroup{std::u16string(key), {record.file}});
            continue;
        }
        auto& files = it->second.files;
        bool listed = std::any_of(files.begin(), files.end(),
                                  [&](const std::u16string& f) { return compare(f, record.file) == 0; });
        if (!listed) files.push_back(record.file);
    }
    std::vector<DuplicateGroup> result;
    for (auto& [key, group] : groups)
        if (group.files.size() >= 2) result.push_back(std::move(group));
    return result;
}

std::u16string GroupNodeText(const DuplicateGroup& group) {
    std::u16string text = group.fullName + u" (";
    for (char c : std::to_string(group.files.size())) text += static_cast<char16_t>(c);
    return text + u")";
}

std::u16string FullNameFromGroupText(std::u16string_view text) {
    std::size_t open = text.rfind(u'(');
    if (open == std::u16string_view::npos) return std::u16string(text);
    if (open > 0 && text[open - 1] == u' ') --open;
    return std::u16string(text.substr(0, open));
}

std::u16string CrcText(std::optional<std::uint32_t> crc) {
    if (!crc) return {};
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text(8, u'0');
    for (int i = 7; i >= 0; --i, *crc >>= 4) text[i] = kDigits[*crc & 0xF];
    return text;
}

}  // namespace typorama::tools
