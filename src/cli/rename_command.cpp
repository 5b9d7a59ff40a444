// typorama-cli rename: the Tools menu's rename to full names and its undo,
// with the answer to a name conflict given on the command line.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/font_registry.h"
#include "cli/cli.h"
#include "cli/fonts_key_option.h"
#include "cli/json_text.h"
#include "tools/rename_run.h"
#include "win/folders.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

enum class OnClash { Skip, DeleteOld, Fail };

struct Invocation {
    catalog::SystemLocations where;
    bool subfolders = false;
    bool undo = false;
    OnClash onClash = OnClash::Skip;
    std::wstring logPath;
    std::wstring folder;
};

std::optional<Invocation> ParseArguments(const std::vector<std::wstring>& args, Output& err) {
    Invocation run;
    run.where = catalog::Locations();
    const std::string prefix = "typorama-cli rename: ";
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind(L"--", 0) == 0; ++i) {
        if (args[i] == L"--") {
            ++i;
            break;
        }
        if (args[i] == L"--subfolders") {
            run.subfolders = true;
        } else if (args[i] == L"--undo") {
            run.undo = true;
        } else if (args[i] == L"--log" && i + 1 < args.size()) {
            run.logPath = args[++i];
        } else if (args[i] == L"--fonts-key" && i + 1 < args.size()) {
            if (!ApplyFontsKeyOption(args[++i], run.where)) {
                err.Write(prefix + kFontsKeyComplaint);
                return std::nullopt;
            }
        } else if (args[i] == L"--on-clash" && i + 1 < args.size()) {
            const std::wstring& value = args[++i];
            if (value == L"skip") run.onClash = OnClash::Skip;
            else if (value == L"delete-old") run.onClash = OnClash::DeleteOld;
            else if (value == L"fail") run.onClash = OnClash::Fail;
            else {
                err.Write(prefix + "--on-clash wants skip, delete-old or fail\n");
                return std::nullopt;
            }
        } else {
            err.Write(L"typorama-cli rename: unknown option '" + args[i] + L"'\n");
            return std::nullopt;
        }
    }
    if (args.size() - i != 1 || !win::IsFolder(args[i])) {
        err.Write(prefix + "give one existing folder (see --help)\n");
        return std::nullopt;
    }
    run.folder = args[i];
    if (run.folder.back() != L'\\') run.folder += L'\\';
    if (run.logPath.empty()) run.logPath = tools::DefaultRenameLogPath();
    return run;
}

std::u16string_view ActionText(tools::RenameAction action) {
    switch (action) {
        case tools::RenameAction::Renamed: return u"renamed";
        case tools::RenameAction::Unchanged: return u"unchanged";
        case tools::RenameAction::Skipped: return u"skipped";
        case tools::RenameAction::Failed: break;
    }
    return u"failed";
}

class ScriptAnswers : public tools::RenameQuestions {
public:
    ScriptAnswers(OnClash onClash, Output& out) : onClash_(onClash), out_(out) {}

    tools::RenameClashAnswer AskClash(const tools::RenameClashInfo&) override {
        if (onClash_ == OnClash::DeleteOld) return {tools::RenameClash::DeleteOld, {}};
        clashFailed_ = onClash_ == OnClash::Fail;
        return {tools::RenameClash::Skip, {}};
    }
    // Nobody is there to retry: the file is left with its name and the run goes on.
    tools::RenameFailureAnswer AskFailure(const std::wstring&, const std::wstring&, DWORD) override {
        return tools::RenameFailureAnswer::Ignore;
    }
    void FileDone(const tools::RenameFileReport& report) override {
        const std::u16string_view action = clashFailed_ ? u"failed" : ActionText(report.action);
        clashFailed_ = false;
        anyFailed = anyFailed || action == u"failed";
        out_.Write(JsonLine()
                       .Add("file", win::AsU16(report.file))
                       .Add("newName", win::AsU16(report.newName))
                       .Add("action", action)
                       .Add("installed", report.installed)
                       .Finish());
    }

    bool anyFailed = false;

private:
    OnClash onClash_;
    Output& out_;
    bool clashFailed_ = false;
};

}  // namespace

int RunRename(const std::vector<std::wstring>& args, Output& out, Output& err) {
    auto run = ParseArguments(args, err);
    if (!run) return kExitUsage;
    const std::vector<std::wstring> files = tools::CollectRenameFiles(run->folder, run->subfolders);
    ScriptAnswers answers(run->onClash, out);
    const tools::RenameCounts counts = tools::RunRename(run->undo, files, run->logPath, answers, run->where);
    if (counts.renamed > 0) catalog::BroadcastFontChange();
    out.Write(JsonLine()
                  .Add("found", static_cast<std::int64_t>(counts.found))
                  .Add("renamed", static_cast<std::int64_t>(counts.renamed))
                  .Add("log", win::AsU16(run->logPath))
                  .Add("logWritten", counts.logError == ERROR_SUCCESS)
                  .Finish());
    return answers.anyFailed || counts.logError != ERROR_SUCCESS ? kExitSomeFailed : kExitOk;
}

}  // namespace typorama::cli
