// The grouping of the duplicate finder, apart from the system: fonts read from
// the found files, grouped by full name with letter case ignored. Records are
// (file, full name) pairs so that a file holding several faces can give one
// record per face. Pure code; the program passes the system's comparison.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace typorama::tools {

// Negative, zero or positive, letter case ignored.
using TextCompare = std::function<int(std::u16string_view, std::u16string_view)>;

struct FontRecord {
    std::u16string file;
    std::u16string fullName;  // as read from the file
};

struct DuplicateGroup {
    std::u16string fullName;          // as the first file read gives it
    std::vector<std::u16string> files;  // in reading order, each path once
};

// The found files in the order they are read: as text, letter case ignored.
void SortFoundFiles(std::vector<std::u16string>& files, const TextCompare& compare);

// The full name a file's record is grouped by: the name up to its first NUL
// (a name is data from the file and may carry anything); empty means the file
// takes no part.
std::u16string_view GroupKey(std::u16string_view fullName);

// The groups of two or more files, in key order. A path met twice in a group
// (a file reached through two folder entries that overlap) is kept once;
// files without a full name are left out.
std::vector<DuplicateGroup> GroupDuplicates(const std::vector<FontRecord>& records, const TextCompare& compare);

// A group's tree text, "<full name> (<files>)", and the full name taken back
// from it: cut before the last "(" and the blank in front of it.
std::u16string GroupNodeText(const DuplicateGroup& group);
std::u16string FullNameFromGroupText(std::u16string_view text);

// A CRC as eight upper-case hexadecimal digits, "1A2B3C4D"; empty when the
// file could not be read whole.
std::u16string CrcText(std::optional<std::uint32_t> crc);

}  // namespace typorama::tools
