#include "cli/cli.h"

#include <windows.h>

#include <algorithm>

#include "catalog/font_scan.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

constexpr char kUsage[] =
    "Usage: typorama-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  info PATH...   Reads each font file and prints one JSON object per line:\n"
    "                 {\"file\", \"ok\", \"copyright\", \"family\", \"subfamily\", \"uniqueId\",\n"
    "                  \"fullName\", \"version\", \"postScriptName\", \"weight\", \"italic\",\n"
    "                  \"embedding\"}\n"
    "                 A PATH that is a folder stands for every *.ttf and *.otf file below\n"
    "                 it, sorted. \"ok\" is false when a file cannot be read as a font;\n"
    "                 its strings are then empty. Embedding: 0 unknown (no OS/2 table),\n"
    "                 1 restricted, 2 preview and print, 3 editable, 4 installable.\n"
    "  --help         Shows this text.\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when any was not, 2 on bad usage.\n"
    "Output is UTF-8; lines end with a bare LF.\n";

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathLess(const std::wstring& a, const std::wstring& b) {
    int order = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE);
    if (order != CSTR_EQUAL) return order == CSTR_LESS_THAN;
    return a < b;  // same but for letter case: keep a stable, total order
}

}  // namespace

void Output::Write(std::wstring_view text) { Write(win::WideToUtf8(text)); }

std::vector<std::wstring> ExpandFontPaths(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> files;
    for (const std::wstring& path : paths) {
        if (!IsFolder(path)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::wstring> found;
        catalog::FindFontFiles(path, catalog::kFontFilePatterns, true, found);
        std::sort(found.begin(), found.end(), PathLess);
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

int Run(const std::vector<std::wstring>& args, Output& out, Output& err) {
    if (args.empty()) {
        err.Write(kUsage);
        return kExitUsage;
    }
    const std::wstring& command = args.front();
    std::vector<std::wstring> rest(args.begin() + 1, args.end());
    if (command == L"--help" || command == L"-h" || command == L"help") {
        out.Write(kUsage);
        return kExitOk;
    }
    if (command == L"info") return RunInfo(rest, out, err);
    err.Write(L"typorama-cli: unknown command '" + command + L"'\n\n");
    err.Write(kUsage);
    return kExitUsage;
}

}  // namespace typorama::cli
