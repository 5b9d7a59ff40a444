#include "catalog/font_registry.h"

#include <array>
#include <cwchar>
#include <optional>
#include <string_view>

#include "win/gdi.h"
#include "win/text_compare.h"
#include "win/unique_handle.h"

namespace typorama::catalog {
namespace {

constexpr wchar_t kSuffix[] = L" (TrueType)";
constexpr wchar_t kSuffixSpaced[] = L" (True Type)";

// The old font list was read into a MAX_PATH buffer; a longer value cannot be a
// usable file name for the system anyway, so it counts as no value at all.
constexpr std::size_t kMaxStoredChars = MAX_PATH;

// The three names an entry may be stored under, in the order they are tried.
std::array<std::wstring, 3> EntryNames(const std::wstring& name) {
    return {name + kSuffix, name + kSuffixSpaced, name};
}

win::UniqueKey OpenFontsKey(const SystemLocations& where, REGSAM access) {
    win::UniqueKey key;
    if (RegOpenKeyExW(where.fontsRoot, where.fontsKey.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
    return key;
}

// The text of one string value up to its first NUL (the data need not end in
// one); nullopt when the value is missing, not a string or too long.
std::optional<std::wstring> ReadEntry(HKEY key, const std::wstring& valueName) {
    // One spare character so that an unterminated value of exactly the limit
    // fits, and one more to tell a value just over the limit apart.
    std::array<wchar_t, kMaxStoredChars + 2> buffer{};
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring_view text(buffer.data(), size / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    if (text.size() > kMaxStoredChars) return std::nullopt;
    return std::wstring(text);
}

struct FoundEntry {
    std::wstring valueName;
    std::wstring stored;
};

// Tries the value-name forms in order (all three, or the two with a suffix).
std::optional<FoundEntry> FindEntry(HKEY key, const std::wstring& name, bool acceptBareName) {
    auto names = EntryNames(name);
    std::size_t count = acceptBareName ? names.size() : names.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (auto stored = ReadEntry(key, names[i])) return FoundEntry{names[i], std::move(*stored)};
    }
    return std::nullopt;
}

// Index just past the folder part of a path: past the last backslash or colon,
// 0 for a bare file name.
std::size_t FileNameStart(std::wstring_view path) {
    std::size_t sep = path.find_last_of(L"\\:");
    return sep == std::wstring_view::npos ? 0 : sep + 1;
}

// What the system is given for a file: only its name when it lies directly in
// the fonts folder as spelled there, letter case included, so that the system
// finds it where it expects installed fonts; otherwise the full path.
std::wstring SystemFileArgument(const std::wstring& file, const SystemLocations& where) {
    std::size_t start = FileNameStart(file);
    if (std::wstring_view(file).substr(0, start) == where.fontsFolder) return file.substr(start);
    return file;
}

}  // namespace

std::wstring CompleteRegisteredFile(const std::wstring& stored, const SystemLocations& where) {
    if (FileNameStart(stored) == 0) return where.fontsFolder + stored;
    return stored;
}

InstallState GetInstallState(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    InstallState state;
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE);
    if (!key) return state;
    auto entry = FindEntry(key.get(), name, true);
    if (!entry) return state;
    state.installed = true;
    state.fromThisFile = !file.empty() && win::EqualNoCase(CompleteRegisteredFile(entry->stored, where), file);
    return state;
}

bool IsInstalled(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    InstallState state = GetInstallState(name, file, where);
    return file.empty() ? state.installed : state.fromThisFile;
}

std::wstring RegisteredFile(const std::wstring& name, const SystemLocations& where) {
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE);
    if (!key) return {};
    auto entry = FindEntry(key.get(), name, true);
    return entry ? CompleteRegisteredFile(entry->stored, where) : std::wstring();
}

std::wstring LookupFileName(const std::wstring& name, const SystemLocations& where) {
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE);
    if (!key) return {};
    auto entry = FindEntry(key.get(), name, false);
    return entry ? entry->stored : std::wstring();
}

bool RegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    std::size_t start = FileNameStart(file);
    std::wstring stored =
        win::EqualNoCase(std::wstring_view(file).substr(0, start), where.fontsFolder) ? file.substr(start) : file;
    win::UniqueKey key = OpenFontsKey(where, KEY_SET_VALUE);
    if (!key) return false;
    std::wstring valueName = name + kSuffix;
    return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                          static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool UnregisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return false;
    std::wstring valueName;
    if (file.empty()) {
        // The program's own form only: entries under the other forms were not
        // written by it and are left to their owner.
        valueName = name + kSuffix;
    } else {
        auto entry = FindEntry(key.get(), name, true);
        if (!entry || !win::EqualNoCase(CompleteRegisteredFile(entry->stored, where), file)) return false;
        valueName = std::move(entry->valueName);
    }
    return RegDeleteValueW(key.get(), valueName.c_str()) == ERROR_SUCCESS;
}

bool LoadFont(const std::wstring& file, const SystemLocations& where) {
    return AddFontResourceW(SystemFileArgument(file, where).c_str()) > 0;
}

bool UnloadFont(const std::wstring& file, const SystemLocations& where) {
    std::wstring argument = SystemFileArgument(file, where);
    // The system refuses while a font of the file is selected into some device
    // context; that can clear at any moment, so it is asked a few times.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (RemoveFontResourceW(argument.c_str())) return true;
    }
    return false;
}

bool IsFontAvailable(const std::wstring& familyName, const std::wstring& fullName) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    query.lfPitchAndFamily = 0;
    // The face-name field holds 31 characters and a NUL; a longer family is cut.
    familyName.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        found = std::wstring_view(font.elfFullName, wcsnlen(font.elfFullName, LF_FULLFACESIZE)) == fullName;
        return !found;  // stop at the first match
    });
    return found;
}

void BroadcastFontChange() { SendNotifyMessageW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

}  // namespace typorama::catalog
