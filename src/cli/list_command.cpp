// typorama-cli list: the font list as the main window would show it.
#include <windows.h>

#include <cwchar>

#include "base/text_format.h"
#include "catalog/font_list.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "ui/font_texts.h"
#include "win/folders.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

bool ParseByte(const std::wstring& text, BYTE& value) {
    wchar_t* end = nullptr;
    unsigned long n = std::wcstoul(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || n > 255) return false;
    value = static_cast<BYTE>(n);
    return true;
}

}  // namespace

int RunList(const std::vector<std::wstring>& args, Output& out, Output& err) {
    bool system = false, subfolders = false, showMarlett = false;
    BYTE charset = DEFAULT_CHARSET, family = 0;
    bool charsetGiven = false, familyGiven = false;
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--system") {
            system = true;
        } else if (arg == L"--subfolders") {
            subfolders = true;
        } else if (arg == L"--show-marlett") {
            showMarlett = true;
        } else if ((arg == L"--charset" || arg == L"--family") && i + 1 < args.size()) {
            bool isCharset = arg == L"--charset";
            if (!ParseByte(args[++i], isCharset ? charset : family)) {
                err.Write(L"typorama-cli list: " + arg + L" takes a number from 0 to 255\n");
                return kExitUsage;
            }
            (isCharset ? charsetGiven : familyGiven) = true;
        } else if (arg.starts_with(L"--")) {
            err.Write(L"typorama-cli list: unknown or incomplete option " + arg + L" (see --help)\n");
            return kExitUsage;
        } else {
            paths.push_back(arg);
        }
    }
    bool usageOk = system ? paths.empty() && !subfolders && !(charsetGiven && familyGiven)
                          : !paths.empty() && !charsetGiven && !familyGiven;
    if (!usageOk) {
        err.Write(
            "typorama-cli list: give FOLDER or FILE... (with --subfolders), or --system with at most one of "
            "--charset and --family (see --help)\n");
        return kExitUsage;
    }

    catalog::TFontList list;
    list.SetHideMarlett(!showMarlett);
    list.IncludeSubfolders = subfolders;
    if (system) {
        list.SetSourceKind(catalog::SourceKind::System);
        if (familyGiven) list.SetFamilyFilter(family);  // rebuilds
        else if (charsetGiven && charset != DEFAULT_CHARSET) list.SetCharsetFilter(charset);  // rebuilds
        else list.Rebuild(false);
    } else if (paths.size() == 1 && win::IsFolder(paths[0])) {
        list.SetSourceKind(catalog::SourceKind::Folder);
        list.SetFolder(paths[0]);
        list.Rebuild(false);
    } else {
        list.SetSourceKind(catalog::SourceKind::FileList);
        list.Files = ExpandFontPaths(paths, subfolders);
        list.Rebuild(false);
    }

    for (int i = 0; i < list.Count(); ++i) {
        catalog::TFontListItem& item = list[i];
        JsonLine line;
        line.Add("name", win::AsU16(item.Name)).Add("file", win::AsU16(item.FileName()));
        if (std::optional<std::uint32_t> face = item.Face()) line.Add("face", static_cast<std::int64_t>(*face));
        line
            .Add("size", FormatByteSize(item.FileSize()))
            .Add("installed", item.Installed)
            .Add("installedFromThisFile", item.InstalledFromThisFile)
            .Add("loadedByList", item.LoadedByList)
            .Add("embedding", static_cast<int>(item.Embedding()))
            .Add("status", win::AsU16(ui::StatusLine(item)));
        if (system) line.Add("scripts", win::AsU16(ui::ScriptsText(item)));
        out.Write(line.Finish());
    }
    return kExitOk;
}

}  // namespace typorama::cli
