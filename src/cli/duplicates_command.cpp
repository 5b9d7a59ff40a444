// typorama-cli duplicates: the duplicate finder's result, group by group.
#include <windows.h>

#include "cli/cli.h"
#include "cli/fonts_key_option.h"
#include "cli/json_text.h"
#include "tools/duplicate_groups.h"
#include "tools/duplicate_search.h"
#include "win/wide.h"

namespace typorama::cli {

int RunDuplicates(const std::vector<std::wstring>& args, Output& out, Output& err) {
    catalog::SystemLocations where = catalog::Locations();
    bool subfolders = false;
    std::vector<tools::FolderEntry> folders;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (options && args[i] == L"--") {
            options = false;
        } else if (options && args[i] == L"--subfolders") {
            subfolders = true;
        } else if (options && args[i] == L"--fonts-key" && i + 1 < args.size()) {
            if (!ApplyFontsKeyOption(args[++i], where)) {
                err.Write(std::string("typorama-cli duplicates: ") + kFontsKeyComplaint);
                return kExitUsage;
            }
        } else if (options && args[i].rfind(L"--", 0) == 0) {
            err.Write(L"typorama-cli duplicates: unknown option '" + args[i] + L"'\n");
            return kExitUsage;
        } else {
            folders.push_back({args[i], false});
        }
    }
    if (folders.empty()) {
        err.Write("typorama-cli duplicates: give at least one folder (see --help)\n");
        return kExitUsage;
    }
    for (auto& folder : folders) folder.includeSubfolders = subfolders;

    for (const tools::DuplicateSet& group : tools::FindDuplicates(folders, where).groups) {
        std::vector<JsonLine> files;
        for (const tools::DuplicateFile& file : group.files) {
            JsonLine line;
            line.Add("file", win::AsU16(file.path)).Add("size", static_cast<std::int64_t>(file.size));
            if (file.crc32) line.Add("crc32", tools::CrcText(file.crc32));
            else line.AddNull("crc32");
            const char16_t* installed = u"no";
            if (file.state.installed) installed = file.state.fromThisFile ? u"this" : u"other";
            files.push_back(line.Add("installed", installed));
        }
        out.Write(JsonLine().Add("fullName", win::AsU16(group.fullName)).Add("files", files).Finish());
    }
    return kExitOk;
}

}  // namespace typorama::cli
