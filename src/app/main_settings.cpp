#include "app/main_settings.h"

#include <array>
#include <string_view>

namespace typorama::app {
namespace {

constexpr std::array<std::wstring_view, 2> kProgramFieldsRead = {L"Title", L"CmdLine"};
// Written command line first, then title, as the settings always were.
constexpr std::array<std::wstring_view, 2> kProgramFieldsWritten = {L"CmdLine", L"Title"};

constexpr MainValue kWindowValues[] = {
    {L"MinimizeToTray", &MainSettings::minimizeToTray},
    // What a double click on a row does.
    {L"DblClickOpenType", &MainSettings::dblClickOpenType, settings::kByteRange},
    {L"DblClickOpenCmdLine", &MainSettings::dblClickOpenCmdLine},
};

}  // namespace

COLORREF ResolveColor(std::uint32_t stored) { return win::ResolveColorValue(stored); }

DisplayColors EffectiveColors(const MainSettings& s) {
    if (s.useCustomColors)
        return {ResolveColor(s.colorFont), ResolveColor(s.colorBack), ResolveColor(s.colorSmallText),
                ResolveColor(s.colorSelection), ResolveColor(s.colorSelectionText)};
    return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT)};
}

std::span<const MainValue> MainWindowValues() { return kWindowValues; }

void ReadKeptLists(const settings::SettingsRoot& root, MainSettings& s) {
    s.destinations = settings::LoadList(root, settings::kDestinationsKey, settings::kDestinationsCap);
    s.programs.clear();
    for (const auto& record : settings::LoadRecordList(root, settings::kProgramsKey, kProgramFieldsRead,
                                                       settings::kProgramsCap))
        s.programs.push_back(TRunProgramEntry{record[0], record[1]});
    s.sampleStrings = settings::LoadSampleStrings(root, s.sampleStrings.current);
}

settings::WriteOutcome WriteKeptLists(const settings::SettingsRoot& root, const MainSettings& s) {
    settings::WriteOutcome outcome;
    DWORD error = ERROR_SUCCESS;
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
