// The system locations everything in the catalogue uses: the registry key of the
// installed-font list, the system fonts folder and the preferred language of font
// names. Computed once at start-up; tests point them at a scratch key and folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace typorama::catalog {

struct SystemLocations {
    bool isNT = true;
    HKEY fontsRoot = HKEY_LOCAL_MACHINE;
    std::wstring fontsKey;     // installed-font list under fontsRoot
    std::wstring fontsFolder;  // ends with a backslash, or empty when unknown
    // The per-user installed-font list (full paths as data) and fonts folder,
    // for users who cannot write the machine's list. An empty key means there
    // is none: systems without per-user fonts, and tests that do not ask.
    HKEY userFontsRoot = HKEY_CURRENT_USER;
    std::wstring userFontsKey;
    std::wstring userFontsFolder;  // ends with a backslash, or empty when none
    std::uint32_t systemLanguageId = 0x0409;
};

// Where the start-up values are read from. The defaults are the real ones.
struct LocationSources {
    HKEY usersRoot = HKEY_USERS;        // ".DEFAULT\Control Panel\International" "Locale" (NT)
    HKEY currentUserRoot = HKEY_CURRENT_USER;  // shell folders; ResourceLocale (other systems)
    bool askKnownFolder = true;         // when the shell-folders value "Fonts" is missing
};

inline constexpr wchar_t kFontsKeyNT[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr wchar_t kUserFontsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr wchar_t kFontsKey9x[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

bool DetectNT();
std::uint32_t ReadSystemLanguageId(bool isNT, const LocationSources& sources = {});
std::wstring ReadFontsFolder(const LocationSources& sources = {});
// %LOCALAPPDATA%\Microsoft\Windows\Fonts\, or empty when the system names no such folder.
std::wstring UserFontsFolder();
SystemLocations ComputeSystemLocations(const LocationSources& sources = {});

// The values in force: computed from the system on first use unless set before.
const SystemLocations& Locations();
// Replaces the values in force (program start, tests).
void SetLocations(SystemLocations locations);

}  // namespace typorama::catalog
