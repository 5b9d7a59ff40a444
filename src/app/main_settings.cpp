#include "app/main_settings.h"

namespace typorama::app {
namespace {

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
    s.sampleStrings = settings::LoadSampleStrings(root, s.sampleStrings.current);
}

settings::WriteOutcome WriteKeptLists(const settings::SettingsRoot& root, const MainSettings& s) {
    settings::WriteOutcome outcome;
    DWORD error = ERROR_SUCCESS;
    if (!settings::SaveList(root, settings::kDestinationsKey, s.destinations, &error)) outcome.Fail(error);
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
