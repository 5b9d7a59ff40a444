#include "catalog/system_locations.h"

#include <shlobj.h>

#include <optional>

#include "catalog/sfnt_facts.h"
#include "win/com.h"
#include "win/registry.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

// A string value of root\subKey, at most maxChars characters with its NUL.
std::optional<std::wstring> ReadStartupString(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                                              std::size_t maxChars) {
    win::OpenedKey key = win::OpenKey(root, subKey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    return win::ReadString(key.get(), valueName, maxChars);
}

std::optional<SystemLocations>& Current() {
    static std::optional<SystemLocations> current;
    return current;
}

std::wstring KnownFontsFolder() {
    // Freed also when the call fails: the function may hand out memory then.
    win::UniqueCoMemory<PWSTR> path;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_Fonts, 0, nullptr, path.put())) || !path) return {};
    return path.get();
}

}  // namespace

std::wstring UserFontsFolder() {
    win::UniqueCoMemory<PWSTR> path;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, path.put())) || !path) return {};
    std::wstring folder = path.get();
    if (folder.empty()) return {};
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"Microsoft\\Windows\\Fonts\\";
}

bool DetectNT() {
    // Every Unicode Windows is of the NT family; asked all the same, since the
    // answer picks the registry key of the installed-font list.
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExW(&version)) return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::uint32_t ReadSystemLanguageId(bool isNT, const LocationSources& sources) {
    // A locale is eight hexadecimal digits; a value longer than this reads as none.
    constexpr std::size_t kMaxLocaleChars = 32768;
    std::optional<std::wstring> text =
        isNT ? ReadStartupString(sources.usersRoot, L".DEFAULT\\Control Panel\\International", L"Locale",
                                 kMaxLocaleChars)
             : ReadStartupString(sources.currentUserRoot, L"Control Panel\\Desktop\\ResourceLocale", L"",
                                 kMaxLocaleChars);
    return ParseLocaleText(win::AsU16(text.value_or(L"00000409")));
}

std::wstring ReadFontsFolder(const LocationSources& sources) {
    std::wstring folder =
        ReadStartupString(sources.currentUserRoot,
                          L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Fonts", MAX_PATH)
            .value_or(L"");
    if (folder.empty() && sources.askKnownFolder) folder = KnownFontsFolder();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

SystemLocations ComputeSystemLocations(const LocationSources& sources) {
    SystemLocations loc;
    loc.isNT = DetectNT();
    loc.fontsRoot = HKEY_LOCAL_MACHINE;
    loc.fontsKey = loc.isNT ? kFontsKeyNT : kFontsKey9x;
    loc.fontsFolder = ReadFontsFolder(sources);
    if (loc.isNT) {
        loc.userFontsKey = kUserFontsKey;
        loc.userFontsFolder = UserFontsFolder();
    }
    loc.systemLanguageId = ReadSystemLanguageId(loc.isNT, sources);
    return loc;
}

const SystemLocations& Locations() {
    auto& current = Current();
    if (!current) current = ComputeSystemLocations();
    return *current;
}

void SetLocations(SystemLocations locations) { Current() = std::move(locations); }

}  // namespace typorama::catalog
