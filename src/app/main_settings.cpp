#include "app/main_settings.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "base/list_view_rules.h"
#include "settings/setting_values.h"

namespace typorama::app {
namespace {

constexpr std::array<std::wstring_view, 2> kProgramFieldsRead = {L"Title", L"CmdLine"};
// Written command line first, then title, as the settings always were.
constexpr std::array<std::wstring_view, 2> kProgramFieldsWritten = {L"CmdLine", L"Title"};

// The choices stored as a number from 0 to 255.
constexpr settings::IntRange kByteRange{0, 255};
// Sample sizes as the size commands give them.
constexpr settings::IntRange kFontSizeRange{kMinFontSize, kMaxFontSize};

using Value = settings::ValueSetting<MainSettings>;
using Values = std::span<const Value>;

// The plain values of the settings root, one table per part of the window
// that uses them, written in this order.
// The list's look: colours, sample size, what each row shows.
constexpr Value kDisplayValues[] = {
    {L"UseCustomColors", &MainSettings::useCustomColors},
    {L"ColorFont", &MainSettings::colorFont},
    {L"ColorBack", &MainSettings::colorBack},
    {L"ColorSmallText", &MainSettings::colorSmallText},
    {L"ColorSelection", &MainSettings::colorSelection},
    {L"ColorSelectionText", &MainSettings::colorSelectionText},
    {L"FontSize", &MainSettings::fontSize, kFontSizeRange},
    {L"FontSizes", &MainSettings::fontSizes},
    {L"ShowFontName", &MainSettings::showFontName},
    {L"ShowInstalledGlyph", &MainSettings::showInstalledGlyph},
    {L"ShowCheckBoxes", &MainSettings::showCheckBoxes},
    {L"ShowUserString", &MainSettings::showUserString},
    {L"HighlightFontFolders", &MainSettings::highlightFontFolders},
};
// Selection and filters.
constexpr Value kFilterValues[] = {
    {L"HideSystemFonts", &MainSettings::hideSystemFonts},
};
// The window itself.
constexpr Value kWindowValues[] = {
    {L"MinimizeToTray", &MainSettings::minimizeToTray},
};
// What a double click on a row does.
constexpr Value kDoubleClickValues[] = {
    {L"DblClickOpenType", &MainSettings::dblClickOpenType, kByteRange},
    {L"DblClickOpenCmdLine", &MainSettings::dblClickOpenCmdLine},
};
// Browsing: the source shown at start.
constexpr Value kStartupValues[] = {
    {L"StartupRestoreFolderType", &MainSettings::startupRestoreFolderType, kByteRange},
    {L"StartupSpecialFolder", &MainSettings::startupSpecialFolder},
    {L"LastUsedFolder", &MainSettings::lastUsedFolder},
};
constexpr Values kValueTables[] = {kDisplayValues, kFilterValues, kWindowValues, kDoubleClickValues,
                                   kStartupValues};

}  // namespace

COLORREF ResolveColor(std::uint32_t stored) {
    if (stored & kSystemColor) return GetSysColor(static_cast<int>(stored & 0xFF));
    return static_cast<COLORREF>(stored & 0x00FFFFFF);
}

DisplayColors EffectiveColors(const MainSettings& s) {
    if (s.useCustomColors)
        return {ResolveColor(s.colorFont), ResolveColor(s.colorBack), ResolveColor(s.colorSmallText),
                ResolveColor(s.colorSelection), ResolveColor(s.colorSelectionText)};
    return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT)};
}

std::wstring ReadMainSettings(settings::TRegistryEx& reg, MainSettings& s) {
    for (const auto& table : kValueTables) settings::ReadValues(reg, table, s);
    std::wstring startFolder;
    if (s.startupRestoreFolderType == 1) startFolder = s.lastUsedFolder;
    if (s.startupRestoreFolderType == 2) startFolder = s.startupSpecialFolder;

    const settings::SettingsRoot& root = reg.Base();
    s.destinations = settings::LoadList(root, settings::kDestinationsKey, settings::kDestinationsCap);
    s.favorites = settings::LoadList(root, settings::kFavoritesKey, settings::kFavoritesCap);
    s.programs.clear();
    for (const auto& record : settings::LoadRecordList(root, settings::kProgramsKey, kProgramFieldsRead,
                                                       settings::kProgramsCap))
        s.programs.push_back(TRunProgramEntry{record[0], record[1]});
    s.sampleStrings = settings::LoadSampleStrings(root, s.sampleStrings.current);
    return startFolder;
}

settings::WriteOutcome WriteMainSettings(settings::TRegistryEx& reg, const MainSettings& s) {
    // Every value is tried; the first failure is the one reported.
    settings::WriteOutcome outcome;
    for (const auto& table : kValueTables) settings::WriteValues(reg, table, s, outcome);

    const settings::SettingsRoot& root = reg.Base();
    DWORD error = ERROR_SUCCESS;
    if (!settings::SaveList(root, settings::kFavoritesKey, s.favorites, &error)) outcome.Fail(error);
    if (!settings::SaveList(root, settings::kDestinationsKey, s.destinations, &error)) outcome.Fail(error);
    std::vector<std::vector<std::wstring>> programs;
    for (const TRunProgramEntry& entry : s.programs) programs.push_back({entry.cmdLine, entry.title});
    if (!settings::SaveRecordList(root, settings::kProgramsKey, kProgramFieldsWritten, programs, &error))
        outcome.Fail(error);
    if (!settings::SaveSampleStrings(root, s.sampleStrings, &error)) outcome.Fail(error);
    return outcome;
}

void WriteVersionRecord(const settings::SettingsRoot& versionKey, const std::wstring& programPath) {
    settings::TRegistryEx reg(versionKey);
    if (!reg.OpenKey(L"", true)) return;
    reg.WriteInteger(L"VersionMajor", kVersionMajor);
    reg.WriteInteger(L"VersionMinor", kVersionMinor);
    reg.WriteInteger(L"VersionBuild", kVersionBuild);
    reg.WriteInteger(L"Type", 1);
    reg.WriteBool(L"VersionBeta", false);
    reg.WriteString(L"Location", programPath);
}

}  // namespace typorama::app
