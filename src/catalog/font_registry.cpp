#include "catalog/font_registry.h"

#include <array>
#include <cwchar>
#include <optional>
#include <string_view>

#include "catalog/entry_name.h"
#include "win/gdi.h"
#include "win/registry.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

// The old font list was read into a MAX_PATH buffer; a longer value cannot be a
// usable file name for the system anyway, so it counts as no value at all.
constexpr std::size_t kMaxStoredChars = MAX_PATH;

// The four names an entry may be stored under, in the order they are tried
// (the bare name last, since CheckEntryName keeps suffixed names out of it);
// the first is the one the program writes.
std::array<std::wstring, 4> EntryNames(const EntryName& checked) {
    std::wstring name = win::ToWide(checked.name);
    return {name + win::ToWide(kEntrySuffix), name + win::ToWide(kEntrySuffixSpaced),
            name + win::ToWide(kEntrySuffixOpenType), name};
}

EntryStatus NameStatus(const EntryName& checked) {
    switch (checked.problem) {
        case EntryNameProblem::None: return EntryStatus::Done;
        case EntryNameProblem::Empty: return EntryStatus::NoFullName;
        default: return EntryStatus::UnusableName;
    }
}

// One installed-font list: the machine's, or the per-user one.
struct FontList {
    HKEY root;
    std::wstring_view path;
    bool perUser;
};

// The lists every reader looks at, the machine's first: an entry there is
// the one the system uses at logon.
std::vector<FontList> FontLists(const SystemLocations& where) {
    std::vector<FontList> lists{{where.fontsRoot, where.fontsKey, false}};
    // An empty path would open the root itself.
    if (!where.userFontsKey.empty() &&
        !(where.userFontsRoot == where.fontsRoot && win::EqualNoCase(where.userFontsKey, where.fontsKey)))
        lists.push_back({where.userFontsRoot, where.userFontsKey, true});
    return lists;
}

win::UniqueKey OpenList(const FontList& list, REGSAM access) {
    // A key that cannot be opened is an empty list; the reason matters to no reader.
    return win::OpenKey(list.root, list.path, access).key;
}

// What a failed change of a list means to the user.
EntryStatus RefusalStatus(LSTATUS error) {
    return error == ERROR_ACCESS_DENIED ? EntryStatus::NeedsAdministrator : EntryStatus::Failed;
}

// Deletes one value of a list, opened for writing only for this.
EntryStatus RemoveValue(const FontList& list, const std::wstring& valueName) {
    win::OpenedKey key = win::OpenKey(list.root, list.path, KEY_SET_VALUE);
    if (!key) return RefusalStatus(key.error);
    LSTATUS status = win::DeleteValue(key.get(), valueName);
    if (status == ERROR_SUCCESS) return EntryStatus::Done;
    return status == ERROR_FILE_NOT_FOUND ? EntryStatus::NoEntry : RefusalStatus(status);
}

// The text of one string value up to its first NUL (the data need not end in
// one); nullopt when the value is missing, not a string or too long: the text
// and its NUL must fit the old MAX_PATH buffer with one character to spare.
std::optional<std::wstring> ReadEntry(HKEY key, const std::wstring& valueName) {
    return win::ReadString(key, valueName, kMaxStoredChars + 1);
}

// The text of one string value up to its first NUL, however long: writers must
// see an entry that the lookup skips as too long, to leave it alone or to remove
// it. nullopt when the value is missing or not a string.
std::optional<std::wstring> ReadWholeEntry(HKEY key, const std::wstring& valueName) {
    return win::ReadString(key, valueName);
}

struct FoundEntry {
    std::wstring valueName;
    std::wstring stored;
};

// Tries the value-name forms in order (all three, or the two with a suffix),
// each read with `read` (value name to stored text, as ReadEntry gives it).
template <typename Read>
std::optional<FoundEntry> FindEntryWith(const std::wstring& name, bool acceptBareName, Read read) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return std::nullopt;
    auto names = EntryNames(checked);
    const std::size_t count = acceptBareName ? names.size() : names.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (auto stored = read(names[i])) return FoundEntry{names[i], std::move(*stored)};
    }
    return std::nullopt;
}

bool IsFaceOf(const std::wstring& valueName, const std::wstring& name) {
    for (const std::u16string& face : CollectionEntryFaces(win::AsU16(valueName)))
        if (win::EqualNoCase(win::ToWide(face), name)) return true;
    return false;
}

// The entry as the lookup finds it in the machine's list, then in the per-user
// one; failing that, the entry of a collection that holds a face of the name.
std::optional<FoundEntry> FindEntry(const SystemLocations& where, const std::wstring& name, bool acceptBareName) {
    for (const FontList& list : FontLists(where)) {
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        auto found = FindEntryWith(name, acceptBareName,
                                   [&key](const std::wstring& valueName) { return ReadEntry(key.get(), valueName); });
        if (found) return found;
    }
    if (!CheckEntryName(win::AsU16(name)).usable()) return std::nullopt;
    for (const FontList& list : FontLists(where)) {
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        for (std::wstring& valueName : win::ValueNames(key.get())) {
            if (!IsFaceOf(valueName, name)) continue;
            if (auto stored = ReadEntry(key.get(), valueName)) return FoundEntry{std::move(valueName), std::move(*stored)};
        }
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

// What an entry for the file holds: only its name when it lies directly in the
// fonts folder (in any letter case), otherwise the full path.
std::wstring StoredText(const std::wstring& file, const SystemLocations& where) {
    std::size_t start = FileNameStart(file);
    return win::EqualNoCase(std::wstring_view(file).substr(0, start), where.fontsFolder) ? file.substr(start)
                                                                                             : file;
}

bool PointsAt(const std::wstring& stored, const std::wstring& file, const SystemLocations& where) {
    return win::EqualNoCase(CompleteRegisteredFile(stored, where), file);
}

// Everything RegisterFont checks before it writes, for a usable name: an entry
// for the name in either list that points at another file blocks it.
EntryStatus RegistrationStatus(const EntryName& checked, const std::wstring& stored, const std::wstring& file,
                               const SystemLocations& where) {
    // The lookup would treat a longer text as no entry at all.
    if (stored.size() > kMaxStoredChars) return EntryStatus::PathTooLong;
    for (const FontList& list : FontLists(where)) {
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        for (const std::wstring& valueName : EntryNames(checked)) {
            if (!win::QueryValue(key.get(), valueName)) continue;
            auto existing = ReadWholeEntry(key.get(), valueName);
            if (!existing || !PointsAt(*existing, file, where)) return EntryStatus::OtherFilesEntry;
        }
    }
    return EntryStatus::Done;
}

}  // namespace

std::wstring CompleteRegisteredFile(const std::wstring& stored, const SystemLocations& where) {
    if (FileNameStart(stored) == 0) return where.fontsFolder + stored;
    return stored;
}

namespace {

InstallState StateOfEntry(const std::optional<FoundEntry>& entry, const std::wstring& file,
                          const SystemLocations& where) {
    InstallState state;
    if (!entry) return state;
    state.installed = true;
    state.registeredFile = CompleteRegisteredFile(entry->stored, where);
    state.fromThisFile = !file.empty() && win::EqualNoCase(state.registeredFile, file);
    return state;
}

}  // namespace

InstallState GetInstallState(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    return StateOfEntry(FindEntry(where, name, true), file, where);
}

InstalledFonts::InstalledFonts(const SystemLocations& where) : where_(where) {
    for (const FontList& list : FontLists(where)) {
        auto& entries = lists_.emplace_back();
        auto& faces = collectionFaces_.emplace_back();
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        for (std::wstring& name : win::ValueNames(key.get())) {
            auto stored = ReadEntry(key.get(), name);
            if (!stored) continue;
            for (const std::u16string& face : CollectionEntryFaces(win::AsU16(name))) faces.emplace(win::ToWide(face), name);
            entries.emplace(std::move(name), std::move(*stored));
        }
    }
}

InstallState InstalledFonts::StateOf(const std::wstring& name, const std::wstring& file) const {
    // As FindEntry: every form in the machine's list before the per-user one.
    for (const auto& entries : lists_) {
        auto found = FindEntryWith(name, true, [&entries](const std::wstring& valueName) -> std::optional<std::wstring> {
            auto it = entries.find(valueName);
            if (it == entries.end()) return std::nullopt;
            return it->second;
        });
        if (found) return StateOfEntry(found, file, where_);
    }
    if (!CheckEntryName(win::AsU16(name)).usable()) return {};
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        auto face = collectionFaces_[i].find(name);
        if (face == collectionFaces_[i].end()) continue;
        auto entry = lists_[i].find(face->second);
        if (entry != lists_[i].end()) return StateOfEntry(FoundEntry{entry->first, entry->second}, file, where_);
    }
    return {};
}

bool IsInstalled(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    InstallState state = GetInstallState(name, file, where);
    return file.empty() ? state.installed : state.fromThisFile;
}

std::wstring RegisteredFile(const std::wstring& name, const SystemLocations& where) {
    auto entry = FindEntry(where, name, true);
    return entry ? CompleteRegisteredFile(entry->stored, where) : std::wstring();
}

std::wstring LookupFileName(const std::wstring& name, const SystemLocations& where) {
    auto entry = FindEntry(where, name, false);
    return entry ? entry->stored : std::wstring();
}

namespace {

EntryResult Register(const std::wstring& name, const std::wstring& file, const SystemLocations& where, bool write) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return {NameStatus(checked)};
    // The machine's list when it can be written, otherwise the user's own,
    // whose entries always hold full paths.
    win::OpenedKey key = win::OpenKey(where.fontsRoot, where.fontsKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    std::wstring stored = StoredText(file, where);
    if (!key) {
        if (where.userFontsKey.empty()) return {RefusalStatus(key.error)};
        stored = file;
    }
    EntryStatus status = RegistrationStatus(checked, stored, file, where);
    if (status != EntryStatus::Done || !write) return {status};
    if (!key) {
        key = win::OpenKey(where.userFontsRoot, where.userFontsKey, KEY_QUERY_VALUE | KEY_SET_VALUE,
                           win::KeyMode::CreateIfMissing);
        if (!key) return {RefusalStatus(key.error)};
    }
    std::wstring valueName = EntryNames(checked)[0];
    LSTATUS written = win::WriteString(key.get(), valueName, stored);
    if (written != ERROR_SUCCESS) return {RefusalStatus(written)};
    return {EntryStatus::Done, valueName};
}

}  // namespace

bool CanWriteMachineFontList(const SystemLocations& where) {
    return static_cast<bool>(win::OpenKey(where.fontsRoot, where.fontsKey, KEY_SET_VALUE));
}

std::wstring InstallFontsFolder(const SystemLocations& where) {
    if (CanWriteMachineFontList(where) || where.userFontsKey.empty() || where.userFontsFolder.empty())
        return where.fontsFolder;
    return where.userFontsFolder;
}

EntryResult RegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    return Register(name, file, where, true);
}

EntryResult CanRegisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    return Register(name, file, where, false);
}

EntryResult UnregisterFont(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    EntryName checked = CheckEntryName(win::AsU16(name));
    if (!checked.usable()) return {NameStatus(checked)};
    auto names = EntryNames(checked);
    EntryResult result{EntryStatus::NoEntry};
    bool otherFiles = false;
    auto note = [&](EntryStatus status, const std::wstring& valueName) {
        if (status == EntryStatus::Done && !result) result = {EntryStatus::Done, valueName};
        else if (!result && status != EntryStatus::NoEntry) result.status = status;
    };
    for (const FontList& list : FontLists(where)) {
        // The program's own form only: entries under the other forms were
        // not written by it and, without a file to tell, are left to their owner.
        if (file.empty()) {
            note(RemoveValue(list, names[0]), names[0]);
            continue;
        }
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        // Every form that points at the file goes, however long (the lookup
        // skips an entry too long for it, and nothing else could remove
        // one): a single entry left behind brings the font back at logon.
        for (const std::wstring& valueName : names) {
            auto stored = ReadWholeEntry(key.get(), valueName);
            if (!stored) continue;
            if (PointsAt(*stored, file, where))
                note(RemoveValue(list, valueName), valueName);
            else
                otherFiles = true;
        }
    }
    if (!result && result.status == EntryStatus::NoEntry && otherFiles) result.status = EntryStatus::OtherFilesEntry;
    return result;
}

std::vector<std::wstring> UnregisterFile(const std::wstring& file, const SystemLocations& where) {
    std::vector<std::wstring> removed;
    for (const FontList& list : FontLists(where)) {
        win::UniqueKey key = OpenList(list, KEY_QUERY_VALUE);
        if (!key) continue;
        // Names first, deletions after: deleting while enumerating shifts the indexes.
        std::vector<std::wstring> matching;
        for (std::wstring& name : win::ValueNames(key.get())) {
            auto stored = ReadWholeEntry(key.get(), name);
            if (stored && PointsAt(*stored, file, where)) matching.push_back(std::move(name));
        }
        for (std::wstring& name : matching)
            if (RemoveValue(list, name) == EntryStatus::Done) removed.push_back(std::move(name));
    }
    return removed;
}

namespace {

DWORD ScopeFlags(FontScope scope) { return scope == FontScope::Private ? FR_PRIVATE : 0; }

}  // namespace

bool LoadFont(const std::wstring& file, const SystemLocations& where, FontScope scope) {
    return AddFontResourceExW(SystemFileArgument(file, where).c_str(), ScopeFlags(scope), nullptr) > 0;
}

bool UnloadFont(const std::wstring& file, const SystemLocations& where, FontScope scope) {
    std::wstring argument = SystemFileArgument(file, where);
    // The system refuses while a font of the file is selected into some device
    // context; that can clear at any moment, so it is asked a few times.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (RemoveFontResourceExW(argument.c_str(), ScopeFlags(scope), nullptr)) return true;
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

std::wstring AvailableFontKey(std::wstring_view familyName, std::wstring_view fullName) {
    std::wstring key(familyName.substr(0, LF_FACESIZE - 1));
    if (!key.empty()) CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    key += L'\n';  // no face name holds a line break
    key += fullName;
    return key;
}

std::unordered_set<std::wstring> AvailableFontKeys() {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    // Without a face name the system reports one font per family; each
    // family is then asked for all of its styles.
    std::unordered_set<std::wstring> families;
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        families.insert(std::wstring(font.elfLogFont.lfFaceName, wcsnlen(font.elfLogFont.lfFaceName, LF_FACESIZE)));
        return true;
    });
    std::unordered_set<std::wstring> keys;
    for (const std::wstring& family : families) {
        if (family.empty() || family.size() >= LF_FACESIZE) continue;
        family.copy(query.lfFaceName, LF_FACESIZE - 1);
        query.lfFaceName[family.size()] = L'\0';
        win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
            keys.insert(AvailableFontKey(family, std::wstring_view(font.elfFullName, wcsnlen(font.elfFullName,
                                                                                            LF_FULLFACESIZE))));
            return true;
        });
    }
    return keys;
}

void BroadcastFontChange() { SendNotifyMessageW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

}  // namespace typorama::catalog
