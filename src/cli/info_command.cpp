// typorama-cli info: the facts the reader finds in each file, per face of a collection.
#include "catalog/font_file.h"
#include "catalog/system_locations.h"
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
        std::vector<catalog::TFontInfo> faces;
        bool ok = catalog::ReadFontFaces(file, faces, catalog::Locations().systemLanguageId) ==
                  catalog::FontFileRead::Read;
        allRead = allRead && ok;
        // A failed read prints one line with empty strings and weight 0.
        if (!ok) faces.emplace_back().Clear();
        // A collection prints one line per face, with the face's index.
        for (const catalog::TFontInfo& info : faces) {
            JsonLine line;
            line.Add("file", win::AsU16(file));
            if (info.Face) line.Add("face", static_cast<std::int64_t>(*info.Face));
            out.Write(line.Add("ok", ok)
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
    }
    return allRead ? kExitOk : kExitSomeFailed;
}

}  // namespace typorama::cli
