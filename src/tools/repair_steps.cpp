#include "tools/repair_steps.h"

#include "catalog/font_registry.h"
#include "tools/repair_rules.h"
#include "win/folders.h"
#include "win/registry.h"
#include "win/text_compare.h"
#include "win/whole_file.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

// desktop.ini is a few lines; anything far larger is not one the shell wrote.
constexpr std::uint64_t kMaxIniBytes = 1 << 20;

struct ListKey {
    FontListKind kind;
    HKEY root;
    const std::wstring& path;
};

// The lists as the catalogue reads them: the per-user one only where the
// system has it, and never the machine's a second time.
std::vector<ListKey> Lists(const catalog::SystemLocations& where) {
    std::vector<ListKey> lists{{FontListKind::Machine, where.fontsRoot, where.fontsKey}};
    if (!where.userFontsKey.empty() &&
        !(where.userFontsRoot == where.fontsRoot && win::EqualNoCase(where.userFontsKey, where.fontsKey)))
        lists.push_back({FontListKind::PerUser, where.userFontsRoot, where.userFontsKey});
    return lists;
}

bool EntryValid(const std::wstring& stored, bool includeRemovable, const catalog::SystemLocations& where,
                const DriveTypeOf& driveType) {
    const std::wstring path = catalog::CompleteRegisteredFile(stored, where);
    const std::wstring root = win::ToWide(DriveRoot(win::AsU16(path)));
    const UINT type = root.empty() ? DRIVE_NO_ROOT_DIR : driveType(root);
    return IsRegistrationValid(type == DRIVE_FIXED ? DriveKind::Fixed : DriveKind::Other, win::IsFile(path),
                               includeRemovable);
}

}  // namespace

UINT SystemDriveType(const std::wstring& root) { return GetDriveTypeW(root.c_str()); }

std::vector<Registration> FindInvalidRegistrations(bool includeRemovable, const catalog::SystemLocations& where,
                                                   const DriveTypeOf& driveType) {
    std::vector<Registration> invalid;
    for (const ListKey& list : Lists(where)) {
        win::OpenedKey key = win::OpenKey(list.root, list.path, KEY_QUERY_VALUE);
        if (!key) continue;
        const std::vector<std::wstring> names = win::ValueNames(key.get());
        for (auto name = names.rbegin(); name != names.rend(); ++name) {
            std::optional<std::wstring> stored = win::ReadString(key.get(), *name);
            if (!stored) continue;
            if (!EntryValid(*stored, includeRemovable, where, driveType))
                invalid.push_back({list.kind, *name, std::move(*stored)});
        }
    }
    return invalid;
}

std::vector<RemovalFailure> RemoveRegistrations(const std::vector<Registration>& entries,
                                                const catalog::SystemLocations& where) {
    std::vector<RemovalFailure> failures;
    for (const ListKey& list : Lists(where)) {
        // Opened for writing once per list: the machine's refuses a user
        // without administrator rights here, before any value.
        win::OpenedKey key = win::OpenKey(list.root, list.path, KEY_SET_VALUE);
        for (const Registration& entry : entries) {
            if (entry.list != list.kind) continue;
            const LSTATUS status = key ? win::DeleteValue(key.get(), entry.valueName) : key.error;
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) failures.push_back({entry, status});
        }
    }
    return failures;
}

LSTATUS WriteFontsFolderClass(HKEY classesRoot) {
    const std::wstring base = L"CLSID\\" + win::ToWide(kFontsFolderClass);
    struct Value {
        const wchar_t* subKey;
        const wchar_t* name;
        const wchar_t* data;
    };
    static constexpr Value kValues[] = {
        {L"", L"", L"Fonts"},
        {L"\\DefaultIcon", L"", L"fontext.dll, -101"},
        {L"\\InProcServer32", L"", L"fontext.dll"},
        {L"\\InProcServer32", L"ThreadingModel", L"Apartment"},
        {L"\\Hierarchical", L"", L"0"},
    };
    LSTATUS first = ERROR_SUCCESS;
    for (const Value& value : kValues) {
        win::OpenedKey key = win::OpenKey(classesRoot, base + value.subKey, KEY_SET_VALUE, win::KeyMode::CreateIfMissing);
        const LSTATUS status = key ? win::WriteString(key.get(), value.name, value.data) : key.error;
        if (first == ERROR_SUCCESS) first = status;
    }
    return first;
}

std::wstring DesktopIniOf(const std::wstring& folder) { return folder + L"desktop.ini"; }

DWORD WriteFontsViewEntry(const std::wstring& folder) {
    const std::wstring section = win::ToWide(kShellClassSection);
    const std::wstring key = win::ToWide(kFontsViewKey);
    const std::wstring value = win::ToWide(kFontsFolderClass);
    const std::wstring path = DesktopIniOf(folder);
    // The shell's own desktop.ini files are hidden system files, which some
    // writers refuse to replace while they are; a new one is made like them.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    else SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DWORD error = ERROR_SUCCESS;
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
        error = GetLastError();
        if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    }
    SetFileAttributesW(path.c_str(), attributes);
    return error;
}

DWORD RemoveFontsViewEntry(const std::wstring& folder) {
    const std::wstring path = DesktopIniOf(folder);
    if (!win::IsFile(path)) return ERROR_SUCCESS;
    std::optional<std::vector<std::uint8_t>> bytes = win::ReadWholeFile(path, kMaxIniBytes);
    if (!bytes) return GetLastError();
    // The shell writes the file in the ANSI code page or as UTF-16 with a byte order mark.
    const bool utf16 = bytes->size() >= 2 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xFE;
    std::wstring text;
    if (utf16) {
        text.resize((bytes->size() - 2) / 2);
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>((*bytes)[2 + 2 * i] | ((*bytes)[3 + 2 * i] << 8));
    } else {
        text = win::AnsiToWide(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    const IniEdit edit = RemoveFontsView(win::AsU16(text));
    if (!edit.removed && !edit.empty) return ERROR_SUCCESS;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A hidden or system file refuses to be emptied or deleted while it is one.
    if (!SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return GetLastError();
    if (edit.empty) {
        if (DeleteFileW(path.c_str())) return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        SetFileAttributesW(path.c_str(), attributes);
        return error;
    }
    std::vector<std::uint8_t> out;
    const std::wstring kept = win::ToWide(edit.text);
    if (utf16) {
        out = {0xFF, 0xFE};
        for (wchar_t c : kept) {
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        }
    } else {
        const std::string ansi = win::WideToAnsi(kept);
        out.assign(ansi.begin(), ansi.end());
    }
    const DWORD error = win::WriteWholeFile(path, out);
    SetFileAttributesW(path.c_str(), attributes);
    return error;
}

DWORD DeleteFontCache(const std::wstring& windowsFolder) {
    const std::wstring path = windowsFolder + kFontCacheFile;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace typorama::tools
