// typorama-cli info: the facts ReadFontInfo finds in each file.
#include "catalog/font_file.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "win/wide.h"

namespace typorama::cli {

int RunInfo(const std::vector<std::wstring>& args, Output& out, Output& err) {
    if (args.empty()) {
        err.Write("typorama-cli info: give at least one font file or folder (see --help)\n");
        return kExitUsage;
    }
    bool allRead = true;
    for (const std::wstring& file : ExpandFontPaths(args)) {
        catalog::TFontInfo info;
        bool ok = catalog::ReadFontInfo(file, info);
        allRead = allRead && ok;
        // A failed read leaves the record cleared: empty strings, weight 0.
        out.Write(JsonLine()
                      .Add("file", win::AsU16(file))
                      .Add("ok", ok)
                      .Add("copyright", win::AsU16(info.Copyright))
                      .Add("family", win::AsU16(info.FamilyName))
                      .Add("subfamily", win::AsU16(info.SubfamilyName))
                      .Add("uniqueId", win::AsU16(info.UniqueId))
                      .Add("fullName", win::AsU16(info.FullName))
                      .Add("version", win::AsU16(info.Version))
                      .Add("postScriptName", win::AsU16(info.PostScriptName))
                      .Add("weight", static_cast<std::int64_t>(info.LogFont.lfWeight))
                      .Add("italic", info.LogFont.lfItalic != 0)
                      .Add("embedding", static_cast<int>(info.Embedding))
                      .Finish());
    }
    return allRead ? kExitOk : kExitSomeFailed;
}

}  // namespace typorama::cli
