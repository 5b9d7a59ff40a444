#include "catalog/font_registry.h"

#include <array>
#include <cwchar>
#include <optional>
#include <string_view>

#include "catalog/entry_name.h"
#include "win/gdi.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

// The old font list was read into a MAX_PATH buffer; a longer value cannot be a
// usable file name for the system anyway, so it counts as no value at all.
constexpr std::size_t kMaxStoredChars = MAX_PATH;

// The three names an entry may be stored under, in the order they are tried;
// the first is the one the program writes.
std::array<std::wstring, 3> EntryNames(const EntryName& checked) {
    std::wstring name = win::ToWide(checked.name);
    return {name + win::ToWide(kEntrySuffix), name + win::ToWide(kEntrySuffixSpaced), name};
}

EntryStatus NameStatus(const EntryName& checked) {
    switch (checked.problem) {
        case EntryNameProblem::None: return EntryStatus::Done;
        case EntryNameProblem::Empty: return EntryStatus::NoFullName;
        default: return EntryStatus::UnusableName;
    }
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

// The text of one string value up to its first NUL, however long: writers must
// see an entry that the lookup skips as too long, to leave it alone or to remove
// it. nullopt when the value is missing or not a string.
std::optional<std::wstring> ReadWholeEntry(HKEY key, const std::wstring& valueName) {
    for (;;) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        LSTATUS status =
            RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
        if (status == ERROR_MORE_DATA) continue;  // it grew in between
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        text.resize(size / sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
}

struct FoundEntry {
    std::wstring valueName;
    std::wstring stored;
};

// Tries the value-name forms in order (all three, or the two with a suffix).
std::optional<FoundEntry> FindEntry(HKEY key, const std::wstring& name, bool acceptBareName) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return std::nullopt;
    auto names = EntryNames(checked);
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

// Paths are compared as the file system compares names: ordinal, with the
// system's upper-case table, independent of the user's locale. lstrcmpiW would
// sort linguistically (it ignores or weighs some characters, such as hyphens,
// differently and depends on the locale), which is wrong for file names.
bool SamePathIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// What the system is given for a file: only its name when it lies directly in
// the fonts folder as spelled there, letter case included, so that the system
// finds it where it expects installed fonts; otherwise the full path.
std::wstring SystemFileArgument(const std::wstring& file, const SystemLocations& where) {
    std::size_t start = FileNameStart(file);
    if (std::wstring_view(file).substr(0, start) == where.fontsFolder) return file.substr(start);
    return file;
}

// What an entry for the file holds: only its name when it lies directly in the
// fonts folder (in any letter case), otherwise the full path.
std::wstring StoredText(const std::wstring& file, const SystemLocations& where) {
    std::size_t start = FileNameStart(file);
    return SamePathIgnoringCase(std::wstring_view(file).substr(0, start), where.fontsFolder) ? file.substr(start)
                                                                                             : file;
}

bool PointsAt(const std::wstring& stored, const std::wstring& file, const SystemLocations& where) {
    return SamePathIgnoringCase(CompleteRegisteredFile(stored, where), file);
}

// Everything RegisterFont checks before it writes, for a usable name.
EntryStatus RegistrationStatus(HKEY key, const EntryName& checked, const std::wstring& stored,
                               const std::wstring& file, const SystemLocations& where) {
    // The lookup would treat a longer text as no entry at all.
    if (stored.size() > kMaxStoredChars) return EntryStatus::PathTooLong;
    for (const std::wstring& valueName : EntryNames(checked)) {
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        auto existing = ReadWholeEntry(key, valueName);
        if (!existing || !PointsAt(*existing, file, where)) return EntryStatus::OtherFilesEntry;
    }
    return EntryStatus::Done;
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
    state.registeredFile = CompleteRegisteredFile(entry->stored, where);
    state.fromThisFile = !file.empty() && SamePathIgnoringCase(state.registeredFile, file);
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

namespace {

EntryResult Register(const std::wstring& name, const std::wstring& file, const SystemLocations& where, bool write) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return {NameStatus(checked)};
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return {EntryStatus::Failed};
    std::wstring stored = StoredText(file, where);
    EntryStatus status = RegistrationStatus(key.get(), checked, stored, file, where);
    if (status != EntryStatus::Done || !write) return {status};
    std::wstring valueName = EntryNames(checked)[0];
    if (RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                       static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        return {EntryStatus::Failed};
    return {EntryStatus::Done, valueName};
}

}  // namespace

EntryResult RegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    return Register(name, file, where, true);
}

EntryResult CanRegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    return Register(name, file, where, false);
}

EntryResult UnregisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return {NameStatus(checked)};
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return {EntryStatus::Failed};
    auto names = EntryNames(checked);
    auto remove = [&](const std::wstring& valueName) {
        LSTATUS status = RegDeleteValueW(key.get(), valueName.c_str());
        if (status == ERROR_SUCCESS) return EntryResult{EntryStatus::Done, valueName};
        return EntryResult{status == ERROR_FILE_NOT_FOUND ? EntryStatus::NoEntry : EntryStatus::Failed};
    };
    // The program's own form only: entries under the other forms were not
    // written by it and are left to their owner.
    if (file.empty()) return remove(names[0]);

    // The forms in the lookup's order; the first the lookup can read is the
    // entry. One too long for the lookup is skipped by it, but removed here when
    // it points at the file, since nothing else could ever remove it.
    EntryStatus result = EntryStatus::NoEntry;
    for (const std::wstring& valueName : names) {
        auto stored = ReadWholeEntry(key.get(), valueName);
        if (!stored) continue;
        if (PointsAt(*stored, file, where)) return remove(valueName);
        result = EntryStatus::OtherFilesEntry;
        if (stored->size() <= kMaxStoredChars) break;
    }
    return {result};
}

std::vector<std::wstring> UnregisterFile(const std::wstring& file, const SystemLocations& where) {
    std::vector<std::wstring> removed;
    win::UniqueKey key = OpenFontsKey(where, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return removed;
    DWORD longestName = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return removed;
    // Names first, deletions after: deleting while enumerating shifts the indexes.
    std::vector<std::wstring> matching;
    std::wstring valueName(longestName + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(valueName.size());
        LSTATUS status =
            RegEnumValueW(key.get(), index, valueName.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue;
        std::wstring name(valueName.data(), length);
        auto stored = ReadWholeEntry(key.get(), name);
        if (stored && PointsAt(*stored, file, where)) matching.push_back(std::move(name));
    }
    for (std::wstring& name : matching)
        if (RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS) removed.push_back(std::move(name));
    return removed;
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
