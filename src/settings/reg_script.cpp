#include "settings/reg_script.h"

#include <algorithm>

#include "base/unicode.h"

namespace typorama::settings {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

void AppendHexByte(std::u16string& out, std::uint8_t byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

void AppendDecimal(std::u16string& out, std::uint32_t n) {
    if (n >= 10) AppendDecimal(out, n / 10);
    out += static_cast<char16_t>(u'0' + n % 10);
}

// The text of a string value: UTF-16LE code units up to the first NUL (an odd
// last byte is no code unit).
std::u16string StringData(const std::vector<std::uint8_t>& data) {
    std::u16string text;
    for (std::size_t i = 0; data.size() - i >= 2; i += 2) {
        char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0') break;
        text += unit;
    }
    return text;
}

void AppendNamePart(std::u16string& out, std::u16string_view name) {
    if (name.empty()) {
        out += u"@=";
        return;
    }
    out += u'"';
    for (char16_t c : name) {
        if (c == u'\\') out += u'\\';
        out += c;
    }
    out += u"\"=";
}

void AppendSections(std::u16string& out, std::u16string_view prefix, const std::u16string& path,
                    const RegKeyNode& key) {
    out += u'[';
    out += prefix;
    out += path;
    out += u"]\r\n";
    for (const RegValue& value : key.values)
        if (auto line = RegValueLine(value)) out += *line;
    out += u"\r\n";
    for (const RegKeyNode& sub : key.subkeys) AppendSections(out, prefix, path + u'\\' + sub.name, sub);
}

}  // namespace

std::u16string_view HivePrefix(RegHive hive) {
    switch (hive) {
        case RegHive::ClassesRoot: return u"HKEY_CLASSES_ROOT\\";
        case RegHive::CurrentUser: return u"HKEY_CURRENT_USER\\";
        case RegHive::LocalMachine: return u"HKEY_LOCAL_MACHINE\\";
        case RegHive::Users: return u"HKEY_USERS\\";
    }
    return u"";
}

std::optional<std::pair<RegHive, std::u16string>> ParseRegKeyPath(std::u16string_view text) {
    static constexpr struct {
        std::u16string_view shortName;
        RegHive hive;
    } kHives[] = {{u"HKCR", RegHive::ClassesRoot},
                  {u"HKCU", RegHive::CurrentUser},
                  {u"HKLM", RegHive::LocalMachine},
                  {u"HKU", RegHive::Users}};
    // ASCII letters only: the names of the hives are ASCII.
    auto sameLetters = [](std::u16string_view a, std::u16string_view b) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                                  [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
    };
    std::size_t slash = text.find(u'\\');
    if (slash == std::u16string_view::npos || slash + 1 == text.size()) return std::nullopt;
    std::u16string_view root = text.substr(0, slash);
    for (const auto& h : kHives) {
        std::u16string_view longName = HivePrefix(h.hive);
        longName.remove_suffix(1);  // the backslash
        if (sameLetters(root, h.shortName) || sameLetters(root, longName))
            return std::pair{h.hive, std::u16string(text.substr(slash + 1))};
    }
    return std::nullopt;
}

std::string RegScriptUnicodeBytes(std::u16string_view body) {
    std::u16string text(kRegScriptUnicodeHeader);
    text += body;
    return Utf16LeWithBom(text);
}

std::u16string EscapeRegString(std::u16string_view text) {
    // One pass does what the four replacements in turn do: each character is
    // looked at once, so a backslash that an escape adds is never doubled.
    std::u16string out;
    out.reserve(text.size() + 8);
    for (char16_t c : text) {
        switch (c) {
            case u'\\': out += u"\\\\"; break;
            case u'"': out += u"\\\""; break;
            case u'\r': out += u"\\r"; break;
            case u'\n': out += u"\\n"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::u16string> RegValueLine(const RegValue& value) {
    if (value.type > kRegLastExported) return std::nullopt;
    std::u16string line;
    AppendNamePart(line, value.name);
    if (value.type == kRegSz || value.type == kRegExpandSz) {
        // An expandable string is written as a plain quoted string, as the
        // settings tree never holds one.
        line += u'"';
        line += EscapeRegString(StringData(value.data));
        line += u"\"\r\n";
        return line;
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        line += u"dword:";
        for (int i = 3; i >= 0; --i) AppendHexByte(line, value.data[static_cast<std::size_t>(i)]);
        line += u"\r\n";
        return line;
    }
    // Everything else, and a DWORD whose size is not four bytes (which "dword:"
    // could not give back), as the bytes themselves.
    if (value.type == kRegBinary) {
        line += u"hex:";
    } else {
        line += u"hex(";
        AppendDecimal(line, value.type);
        line += u"):";
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i > 0) line += u',';
        AppendHexByte(line, value.data[i]);
    }
    line += u"\r\n";
    return line;
}

void AppendRegKeySections(std::u16string& out, RegHive hive, const RegKeyNode& key) {
    AppendSections(out, HivePrefix(hive), key.name, key);
}

}  // namespace typorama::settings
