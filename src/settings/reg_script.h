// The text of a registry script ("REGEDIT4" .reg file) for a tree of keys that
// has already been read from the registry. Pure code: the walk over the real
// registry lives in settings_export.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace typorama::settings {

// The hives a script may name. Any other root cannot be exported.
enum class RegHive { ClassesRoot, CurrentUser, LocalMachine, Users };

// Registry value types by their Win32 numbers (REG_SZ = 1 ... REG_RESOURCE_REQUIREMENTS_LIST = 10).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegLastExported = 10;

struct RegValue {
    std::u16string name;             // empty: the key's default (unnamed) value
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;  // as the registry stores it (strings in UTF-16LE)
};

struct RegKeyNode {
    // The top node carries the whole key path below the hive, its subkeys only
    // their own names; a subkey's path is its parent's path, "\" and its name.
    std::u16string name;
    std::vector<RegValue> values;      // in the order the registry enumerated them
    std::vector<RegKeyNode> subkeys;   // likewise
};

// "HKEY_CURRENT_USER\" and the like.
std::u16string_view HivePrefix(RegHive hive);

// "HKEY_CURRENT_USER\Sub\Key" or "HKCU\Sub\Key" (any letter case, for the four
// hives) as the hive and the path below it; nullopt for another root or no path.
std::optional<std::pair<RegHive, std::u16string>> ParseRegKeyPath(std::u16string_view text);

// "REGEDIT4", then one empty line: the header of a script in the ANSI code page.
inline constexpr std::u16string_view kRegScriptHeader = u"REGEDIT4\r\n\r\n";
// The header of a script in UTF-16LE, which regedit imports without loss.
inline constexpr std::u16string_view kRegScriptUnicodeHeader = u"Windows Registry Editor Version 5.00\r\n\r\n";

// The bytes of a UTF-16LE script file: byte-order mark, the Unicode header and
// `body` (its sections).
std::string RegScriptUnicodeBytes(std::u16string_view body);

// A string value's text in quotes: backslash, double quote, CR and LF replaced
// in that order by \\, \", \r and \n (so no backslash of a later replacement is
// doubled again).
std::u16string EscapeRegString(std::u16string_view text);

// One "name"=data line with its CR LF, or nothing for a value that a script
// leaves out (type above 10).
std::optional<std::u16string> RegValueLine(const RegValue& value);

// Appends the section of `key` ("[" prefix path "]", its value lines, one empty
// line) and then, depth first, the sections of its subkeys.
void AppendRegKeySections(std::u16string& out, RegHive hive, const RegKeyNode& key);

}  // namespace typorama::settings
