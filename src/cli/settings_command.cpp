// typorama-cli settings-export: the settings tree as a .reg file, as the main
// window's "save settings to file" command writes it, for backups from scripts.
#include <windows.h>

#include "cli/cli.h"
#include "cli/json_text.h"
#include "settings/settings_export.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::cli {

int RunSettingsExport(const std::vector<std::wstring>& args, Output& out, Output& err) {
    // The program's own settings tree unless --root names another key.
    settings::RegHive hive = settings::RegHive::CurrentUser;
    std::wstring path = settings::DefaultSettingsRoot().path;
    std::vector<std::wstring> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--root" && i + 1 < args.size()) {
            auto key = settings::ParseRegKeyPath(win::AsU16(args[++i]));
            if (!key) {
                err.Write("typorama-cli settings-export: --root wants HKCU\\..., HKLM\\..., HKCR\\... or HKU\\...\n");
                return kExitUsage;
            }
            hive = key->first;
            path = win::ToWide(key->second);
        } else if (args[i].rfind(L"--", 0) == 0) {
            err.Write(L"typorama-cli settings-export: unknown option '" + args[i] + L"'\n");
            return kExitUsage;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        err.Write("typorama-cli settings-export: give one file to write (see --help)\n");
        return kExitUsage;
    }

    settings::SettingsExport exported = settings::ExportSettingsToFile(files[0], {settings::HiveKey(hive), path});
    std::wstring rootText = win::ToWide(settings::HivePrefix(hive)) + path;
    out.Write(JsonLine()
                  .Add("file", win::AsU16(files[0]))
                  .Add("root", win::AsU16(rootText))
                  .Add("rootFound", exported.keyRead)
                  .Add("format", exported.unicode ? u"Windows Registry Editor Version 5.00" : u"REGEDIT4")
                  .Add("ok", exported.Saved())
                  .Add("error", static_cast<std::int64_t>(exported.error))
                  .Add("errorText", win::AsU16(exported.Saved() ? L"" : win::SystemErrorText(exported.error)))
                  .Finish());
    return exported.Saved() ? kExitOk : kExitSomeFailed;
}

}  // namespace typorama::cli
