// typorama-cli: scriptable access to the catalogue from a console.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/system_locations.h"

namespace typorama::cli {

enum ExitCode : int { kExitOk = 0, kExitSomeFailed = 1, kExitUsage = 2 };

// Where a command writes: UTF-8 bytes, lines ending in a bare LF.
class Output {
public:
    explicit Output(std::FILE* stream) : stream_(stream) {}
    void Write(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stream_); }
    void Write(std::wstring_view text);

private:
    std::FILE* stream_;
};

// The files a list of command-line paths stands for: a folder stands for every
// font file in it (and below it, with includeSubfolders), sorted; anything else
// is taken as it is.
std::vector<std::wstring> ExpandFontPaths(const std::vector<std::wstring>& paths, bool includeSubfolders = true);

// A number given on the command line: decimal, or hexadecimal after "U+" or
// "0x"; nullopt when it is not one or exceeds `max`.
std::optional<long> ParseNumber(const std::wstring& text, long max);

int RunDuplicates(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunInfo(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunList(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunStatus(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunLoad(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunUnload(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunInstall(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunUninstall(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunSettingsExport(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunOutline(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunMetrics(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunSysinfo(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunCopy(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunMove(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunDelete(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunImage(const std::vector<std::wstring>& args, Output& out, Output& err);
int RunRename(const std::vector<std::wstring>& args, Output& out, Output& err);

int Run(const std::vector<std::wstring>& args, Output& out, Output& err);

}  // namespace typorama::cli
