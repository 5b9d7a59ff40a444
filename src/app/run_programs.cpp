#include "app/run_programs.h"

#include <array>
#include <string_view>

#include "app/font_selection.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "app/browse_folder_dialog.h"
#include "base/unicode.h"
#include "catalog/font_list.h"
#include "settings/settings_export.h"
#include "settings/settings_store.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

constexpr std::array<std::wstring_view, 2> kFieldsRead = {L"Title", L"CmdLine"};
// Written command line first, then title, as the settings always were.
constexpr std::array<std::wstring_view, 2> kFieldsWritten = {L"CmdLine", L"Title"};

std::wstring SystemTempFolder() {
    wchar_t folder[MAX_PATH + 1]{};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// The script the system's enumeration gives the font: that of the first
// entry it reports, when that entry is this very font.
std::wstring ScriptOf(catalog::TFontListItem& font) {
    std::wstring script;
    LOGFONTW query = font.LogFont;
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& found, const NEWTEXTMETRICEXW&, DWORD) {
        if (std::wstring_view(found.elfFullName, wcsnlen(found.elfFullName, LF_FULLFACESIZE)) == font.Name)
            script.assign(found.elfScript, wcsnlen(found.elfScript, LF_FACESIZE));
        return false;
    });
    return script;
}

// Where the expansion's values come from for the main window.
class WindowVariableSource : public settings::CommandVariableSource {
public:
    WindowVariableSource(TfrmMain& host, catalog::TFontListItem* font, const std::wstring& tempFolder)
        : host_(host), font_(font), tempFolder_(tempFolder) {}

    std::optional<std::u16string> BrowseFile() override {
        ui::SaveFileRequest request;
        request.filter = win::LoadResString(IDS_PROG_ALL_FILES_FILTER);
        const auto chosen = ui::AskSaveFileName(host_.Handle(), request);
        if (!chosen) return std::nullopt;
        return std::u16string(win::AsU16(*chosen));
    }
    bool HasFont() override { return font_ != nullptr; }
    std::u16string FontFilePath() override { return U16(font_->FileName()); }
    std::u16string FontShortPath() override { return U16(win::ShortPath(font_->FileName())); }
    std::u16string FontCopyright() override { return U16(font_->Copyright()); }
    std::u16string FontFaceName() override { return U16(font_->Name); }
    std::u16string FontScript() override { return U16(ScriptOf(*font_)); }

    std::u16string MakeListFile() override {
        wchar_t name[MAX_PATH]{};
        // The system makes the file (empty) with a name of its own: "hal", a number, ".tmp".
        if (!GetTempFileNameW(tempFolder_.c_str(), L"halc", 0, name)) {
            ui::ShowSystemError(host_.Handle());
            return {};
        }
        host_.TemporaryFiles.push_back(name);
        std::vector<std::wstring> paths;
        if (auto* selection = host_.Feature<Selection>()) {
            selection->ForEachSelectedFont(
                SelectMode::TaggedOrCurrent,
                [&](catalog::TFontListItem& font) {
                    paths.push_back(font.FileName());
                    return true;
                },
                true);
        }
        DWORD error = ERROR_SUCCESS;
        if (!settings::SaveBytesToFile(ListFileBytes(paths), name, &error)) ui::ShowSystemError(host_.Handle(), error);
        return U16(name);
    }

    std::u16string SystemFontsFolder() override { return U16(host_.Where().fontsFolder); }

    std::optional<std::u16string> BrowseFolder() override {
        std::wstring folder = host_.FontList().Folder();
        bool checked = false;
        if (!BrowseForFolder(host_, host_.Handle(), folder, L"", false, checked) || folder.empty())
            return std::nullopt;
        return U16(folder);
    }

    std::u16string BrowsedFolder() override {
        const catalog::TFontList& list = host_.FontList();
        return list.Source() == catalog::SourceKind::Folder ? U16(list.Folder()) : std::u16string();
    }

private:
    static std::u16string U16(std::wstring_view text) { return std::u16string(win::AsU16(text)); }

    TfrmMain& host_;
    catalog::TFontListItem* font_;
    const std::wstring& tempFolder_;
};

}  // namespace

bool RunFontViewer(const std::wstring& file) {
    std::wstring path = win::ShortPath(file);
    if (path.empty()) path = file;
    if (path.find(L' ') != std::wstring::npos) path = L"\"" + path + L"\"";
    return RunCommandLine(L"fontview.exe " + path, false);
}

bool RunCommandLine(const std::wstring& commandLine, bool wait) {
    std::wstring buffer = commandLine;  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    win::UniqueHandleNull processHandle(process.hProcess);
    win::UniqueHandleNull threadHandle(process.hThread);
    if (wait) WaitForSingleObject(process.hProcess, INFINITE);
    return true;
}

std::string ListFileBytes(const std::vector<std::wstring>& paths) {
    std::u16string text;
    {
        std::vector<std::u16string> lines;
        for (const std::wstring& path : paths) lines.emplace_back(win::AsU16(path));
        text = settings::ListFileText(lines);
    }
    if (auto ansi = win::WideToAnsiExact(win::ToWide(text))) return *ansi;
    return Utf16LeWithBom(text);
}

RunPrograms::RunPrograms(TfrmMain& host) : TempFolder(SystemTempFolder()), host_(host) {
    host.AddSettings(SettingsPart{
        [this](const settings::TRegistryEx& reg) {
            programs_.clear();
            for (const auto& record :
                 settings::LoadRecordList(reg.Base(), settings::kProgramsKey, kFieldsRead, settings::kProgramsCap))
                programs_.push_back(TRunProgramEntry{record[0], record[1]});
        },
        [this](settings::TRegistryEx& reg, settings::WriteOutcome& outcome) {
            std::vector<std::vector<std::wstring>> records;
            for (const TRunProgramEntry& entry : programs_) records.push_back({entry.cmdLine, entry.title});
            DWORD error = ERROR_SUCCESS;
            if (!settings::SaveRecordList(reg.Base(), settings::kProgramsKey, kFieldsWritten, records, &error))
                outcome.Fail(error);
        }});
    host.Commands().AddList(IDM_RUN_PROGRAMS_LIST, MenuList{[this] {
                                                                std::vector<ListedItem> items;
                                                                for (const TRunProgramEntry& entry : programs_)
                                                                    items.push_back({entry.title});
                                                                return items;
                                                            },
                                                            [this](int position) { RunProgram(position); }});
}

std::wstring RunPrograms::ExpandCommandVariables(const std::wstring& commandLine, catalog::TFontListItem* font,
                                                 settings::CommandVariableSet set) {
    browseCancelled_ = false;
    WindowVariableSource source(host_, font, TempFolder);
    const settings::ExpandedCommand expanded = settings::ExpandCommandVariables(win::AsU16(commandLine), source, set);
    browseCancelled_ = expanded.browseCancelled;
    return win::ToWide(expanded.text);
}

void RunPrograms::RunProgram(int index) {
    if (index < 0 || index >= static_cast<int>(programs_.size())) return;
    const std::wstring commandLine = programs_[static_cast<std::size_t>(index)].cmdLine;
    // Also true for $TY_FILEPATH_DOS and $TY_FILEPATH_BROWSE: they too want a font with a file.
    if (commandLine.find(L"$TY_FILEPATH") != std::wstring::npos) {
        if (!host_.RequireFonts(FontNeed::Current)) return;
        if (host_.CurrentFont()->FileName().empty()) {
            ui::ShowError(host_.Handle(), win::LoadResString(IDS_PROG_NO_FILE_LOCATION));
            return;
        }
    }
    if (commandLine.find(L"$TY_LIST_SELECTED") != std::wstring::npos && !host_.RequireFonts(FontNeed::TaggedOrCurrent))
        return;
    const std::wstring expanded = ExpandCommandVariables(commandLine, host_.CurrentFont(), settings::kRunProgramSet);
    if (browseCancelled_) return;
    if (!RunCommandLine(expanded, false)) {
        const DWORD error = GetLastError();
        ui::ShowError(host_.Handle(),
                      win::FormatRes(IDS_PROG_RUN_FAILED, {win::AsU16(expanded), win::AsU16(win::SystemErrorText(error))}));
    }
}

}  // namespace typorama::app
