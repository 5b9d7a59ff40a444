// The main window's settings: every value with its default, and how they are
// read from and written to the settings key.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace typorama::app {

// Colours as stored: 0x80000000 + n is the system colour n.
inline constexpr std::uint32_t kSystemColor = 0x80000000u;
COLORREF ResolveColor(std::uint32_t stored);

inline constexpr wchar_t kDefaultFontSizes[] = L"22 28 36 48 72 100";
inline constexpr wchar_t kDefaultDblClickCmdLine[] = L"fontview.exe $TY_FILEPATH";
inline constexpr wchar_t kDefaultSampleString[] = L"Type Here";

struct TRunProgramEntry {
    std::wstring title;
    std::wstring cmdLine;
};

struct MainSettings {
    bool useCustomColors = false;
    std::uint32_t colorFont = 0;
    std::uint32_t colorBack = kSystemColor + COLOR_WINDOW;
    std::uint32_t colorSmallText = 0;
    std::uint32_t colorSelection = kSystemColor + COLOR_BTNFACE;
    std::uint32_t colorSelectionText = kSystemColor + COLOR_WINDOWTEXT;
    int fontSize = 36;
    std::wstring fontSizes = kDefaultFontSizes;
    bool showFontName = true;
    bool showInstalledGlyph = true;
    bool showCheckBoxes = true;
    bool showUserString = false;
    bool highlightFontFolders = true;
    bool hideSystemFonts = true;
    bool minimizeToTray = false;
    int dblClickOpenType = 0;  // 0..255
    std::wstring dblClickOpenCmdLine = kDefaultDblClickCmdLine;
    int startupRestoreFolderType = 0;  // 0 loaded fonts, 1 last used folder, 2 the fixed folder
    std::wstring startupSpecialFolder;  // the system fonts folder unless stored
    std::wstring lastUsedFolder;

    std::vector<std::wstring> favorites;
    std::vector<std::wstring> destinations;
    std::vector<TRunProgramEntry> programs;
    settings::SampleStrings sampleStrings{kDefaultSampleString, {}};
};

// The five colours the list draws with: the stored ones with UseCustomColors,
// else the system's.
struct DisplayColors {
    COLORREF font;
    COLORREF back;
    COLORREF smallText;
    COLORREF selection;
    COLORREF selectionText;
};
DisplayColors EffectiveColors(const MainSettings& settings);

// Reads every plain value with the current one as default (numbers kept to
// their ranges: the size to 20..1000, the choices to 0..255), the start-up
// choice, and the lists (a list subkey that is missing gives an empty list;
// the sample strings' subkey is created). Returns the start-up folder the
// settings choose (empty for the loaded fonts).
std::wstring ReadMainSettings(settings::TRegistryEx& reg, MainSettings& settings);
// Writes every plain value, deletes the list subkeys and writes the lists
// anew (empty favourites, destinations and programs leave no subkey). What
// fails does not stop the rest; the first failure is returned.
settings::WriteOutcome WriteMainSettings(settings::TRegistryEx& reg, const MainSettings& settings);

// The installation record under the local machine; failures are silent.
void WriteVersionRecord(const settings::SettingsRoot& versionKey, const std::wstring& programPath);

// The program's version.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionBuild = 2;

}  // namespace typorama::app
