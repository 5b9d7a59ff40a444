#include "app/main_settings.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/list_view_rules.h"

namespace typorama::app {
namespace {

constexpr std::array<std::wstring_view, 2> kProgramFieldsRead = {L"Title", L"CmdLine"};
// Written command line first, then title, as the settings always were.
constexpr std::array<std::wstring_view, 2> kProgramFieldsWritten = {L"CmdLine", L"Title"};

// The choices stored as a number from 0 to 255.
constexpr settings::IntRange kByteRange{0, 255};
// Sample sizes as the size commands give them.
constexpr settings::IntRange kFontSizeRange{kMinFontSize, kMaxFontSize};

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
    s.colorFont = reg.ReadColorDef(L"ColorFont", s.colorFont);
    s.colorBack = reg.ReadColorDef(L"ColorBack", s.colorBack);
    s.colorSmallText = reg.ReadColorDef(L"ColorSmallText", s.colorSmallText);
    s.colorSelection = reg.ReadColorDef(L"ColorSelection", s.colorSelection);
    s.colorSelectionText = reg.ReadColorDef(L"ColorSelectionText", s.colorSelectionText);
    s.useCustomColors = reg.ReadBoolDef(L"UseCustomColors", s.useCustomColors);
    s.fontSize = reg.ReadIntegerDef(L"FontSize", s.fontSize, kFontSizeRange);
    s.fontSizes = reg.ReadStringDef(L"FontSizes", s.fontSizes);
    s.showFontName = reg.ReadBoolDef(L"ShowFontName", s.showFontName);
    s.showInstalledGlyph = reg.ReadBoolDef(L"ShowInstalledGlyph", s.showInstalledGlyph);
    s.dblClickOpenType = reg.ReadIntegerDef(L"DblClickOpenType", s.dblClickOpenType, kByteRange);
    s.dblClickOpenCmdLine = reg.ReadStringDef(L"DblClickOpenCmdLine", s.dblClickOpenCmdLine);
    s.minimizeToTray = reg.ReadBoolDef(L"MinimizeToTray", s.minimizeToTray);
    s.hideSystemFonts = reg.ReadBoolDef(L"HideSystemFonts", s.hideSystemFonts);
    s.showCheckBoxes = reg.ReadBoolDef(L"ShowCheckBoxes", s.showCheckBoxes);
    s.showUserString = reg.ReadBoolDef(L"ShowUserString", s.showUserString);
    s.highlightFontFolders = reg.ReadBoolDef(L"HighlightFontFolders", s.highlightFontFolders);

    s.startupRestoreFolderType = reg.ReadIntegerDef(L"StartupRestoreFolderType", 0, kByteRange);
    s.startupSpecialFolder = reg.ReadStringDef(L"StartupSpecialFolder", s.startupSpecialFolder);
    s.lastUsedFolder = reg.ReadStringDef(L"LastUsedFolder", L"");
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
    settings::WriteOutcome outcome;
    // Every value is tried; the first failure is the one reported.
    const auto note = [&](bool ok) {
        if (!ok) outcome.Fail(reg.LastError());
    };
    note(reg.WriteBool(L"UseCustomColors", s.useCustomColors));
    note(reg.WriteColor(L"ColorFont", s.colorFont));
    note(reg.WriteColor(L"ColorBack", s.colorBack));
    note(reg.WriteColor(L"ColorSmallText", s.colorSmallText));
    note(reg.WriteColor(L"ColorSelection", s.colorSelection));
    note(reg.WriteColor(L"ColorSelectionText", s.colorSelectionText));
    note(reg.WriteInteger(L"FontSize", s.fontSize));
    note(reg.WriteString(L"FontSizes", s.fontSizes));
    note(reg.WriteBool(L"ShowFontName", s.showFontName));
    note(reg.WriteBool(L"ShowInstalledGlyph", s.showInstalledGlyph));
    note(reg.WriteBool(L"ShowCheckBoxes", s.showCheckBoxes));
    note(reg.WriteBool(L"ShowUserString", s.showUserString));
    note(reg.WriteBool(L"HighlightFontFolders", s.highlightFontFolders));
    note(reg.WriteBool(L"HideSystemFonts", s.hideSystemFonts));
    note(reg.WriteBool(L"MinimizeToTray", s.minimizeToTray));
    note(reg.WriteInteger(L"DblClickOpenType", s.dblClickOpenType));
    note(reg.WriteString(L"DblClickOpenCmdLine", s.dblClickOpenCmdLine));
    note(reg.WriteInteger(L"StartupRestoreFolderType", s.startupRestoreFolderType));
    note(reg.WriteString(L"StartupSpecialFolder", s.startupSpecialFolder));
    note(reg.WriteString(L"LastUsedFolder", s.lastUsedFolder));

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
