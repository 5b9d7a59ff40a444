#include "app/main_settings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace typorama::app {
namespace {

constexpr std::array<std::wstring_view, 2> kProgramFieldsRead = {L"Title", L"CmdLine"};
// Written command line first, then title, as the settings always were.
constexpr std::array<std::wstring_view, 2> kProgramFieldsWritten = {L"CmdLine", L"Title"};

int ClampByte(int value) { return std::clamp(value, 0, 255); }

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
    s.fontSize = reg.ReadIntegerDef(L"FontSize", s.fontSize);
    s.fontSizes = reg.ReadStringDef(L"FontSizes", s.fontSizes);
    s.showFontName = reg.ReadBoolDef(L"ShowFontName", s.showFontName);
    s.showInstalledGlyph = reg.ReadBoolDef(L"ShowInstalledGlyph", s.showInstalledGlyph);
    s.dblClickOpenType = ClampByte(reg.ReadIntegerDef(L"DblClickOpenType", s.dblClickOpenType));
    s.dblClickOpenCmdLine = reg.ReadStringDef(L"DblClickOpenCmdLine", s.dblClickOpenCmdLine);
    s.minimizeToTray = reg.ReadBoolDef(L"MinimizeToTray", s.minimizeToTray);
    s.hideSystemFonts = reg.ReadBoolDef(L"HideSystemFonts", s.hideSystemFonts);
    s.showCheckBoxes = reg.ReadBoolDef(L"ShowCheckBoxes", s.showCheckBoxes);
    s.showUserString = reg.ReadBoolDef(L"ShowUserString", s.showUserString);
    s.highlightFontFolders = reg.ReadBoolDef(L"HighlightFontFolders", s.highlightFontFolders);

    s.startupRestoreFolderType = ClampByte(reg.ReadIntegerDef(L"StartupRestoreFolderType", 0));
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

void WriteMainSettings(settings::TRegistryEx& reg, const MainSettings& s) {
    reg.WriteBool(L"UseCustomColors", s.useCustomColors);
    reg.WriteColor(L"ColorFont", s.colorFont);
    reg.WriteColor(L"ColorBack", s.colorBack);
    reg.WriteColor(L"ColorSmallText", s.colorSmallText);
    reg.WriteColor(L"ColorSelection", s.colorSelection);
    reg.WriteColor(L"ColorSelectionText", s.colorSelectionText);
    reg.WriteInteger(L"FontSize", s.fontSize);
    reg.WriteString(L"FontSizes", s.fontSizes);
    reg.WriteBool(L"ShowFontName", s.showFontName);
    reg.WriteBool(L"ShowInstalledGlyph", s.showInstalledGlyph);
    reg.WriteBool(L"ShowCheckBoxes", s.showCheckBoxes);
    reg.WriteBool(L"ShowUserString", s.showUserString);
    reg.WriteBool(L"HighlightFontFolders", s.highlightFontFolders);
    reg.WriteBool(L"HideSystemFonts", s.hideSystemFonts);
    reg.WriteBool(L"MinimizeToTray", s.minimizeToTray);
    reg.WriteInteger(L"DblClickOpenType", s.dblClickOpenType);
    reg.WriteString(L"DblClickOpenCmdLine", s.dblClickOpenCmdLine);
    reg.WriteInteger(L"StartupRestoreFolderType", s.startupRestoreFolderType);
    reg.WriteString(L"StartupSpecialFolder", s.startupSpecialFolder);
    reg.WriteString(L"LastUsedFolder", s.lastUsedFolder);

    const settings::SettingsRoot& root = reg.Base();
    settings::SaveList(root, settings::kFavoritesKey, s.favorites);
    settings::SaveList(root, settings::kDestinationsKey, s.destinations);
    std::vector<std::vector<std::wstring>> programs;
    for (const TRunProgramEntry& entry : s.programs) programs.push_back({entry.cmdLine, entry.title});
    settings::SaveRecordList(root, settings::kProgramsKey, kProgramFieldsWritten, programs);
    settings::SaveSampleStrings(root, s.sampleStrings);
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
