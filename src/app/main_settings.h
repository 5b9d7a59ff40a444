// The main window's settings: every value with its default. Each feature
// declares the values it keeps (settings/setting_values.h) and hands the
// table to the window, which reads them at start and writes them at close.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/setting_values.h"
#include "win/color_value.h"
#include "settings/settings_store.h"
#include "typorama_version.h"

namespace typorama::app {

// Colours as stored: 0x80000000 + n is the system colour n.
inline constexpr std::uint32_t kSystemColor = win::kSystemColorValue;
COLORREF ResolveColor(std::uint32_t stored);

inline constexpr wchar_t kDefaultFontSizes[] = L"22 28 36 48 72 100";
inline constexpr wchar_t kDefaultDblClickCmdLine[] = L"fontview.exe $TY_FILEPATH";
inline constexpr wchar_t kDefaultSampleString[] = L"Type Here";

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

using MainValue = settings::ValueSetting<MainSettings>;

// The values the window keeps for itself: the tray and the double click.
std::span<const MainValue> MainWindowValues();
// The lists kept under their own subkeys for the commands that use them: the
// destinations and the sample strings (a list subkey that is
// missing gives an empty list; the sample strings' subkey is created).
void ReadKeptLists(const settings::SettingsRoot& root, MainSettings& settings);
// Deletes their subkeys and writes them anew (empty destinations leave no
// subkey). What fails does not stop the rest; the first failure is
// returned.
settings::WriteOutcome WriteKeptLists(const settings::SettingsRoot& root, const MainSettings& settings);

// The installation record under the local machine; failures are silent.
void WriteVersionRecord(const settings::SettingsRoot& versionKey, const std::wstring& programPath);

// The program's version, set in the project's CMake file.
inline constexpr int kVersionMajor = TYPORAMA_VERSION_MAJOR;
inline constexpr int kVersionMinor = TYPORAMA_VERSION_MINOR;
inline constexpr int kVersionBuild = TYPORAMA_VERSION_PATCH;

}  // namespace typorama::app
