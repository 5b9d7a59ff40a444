// typorama-cli copy, move, delete: the Font menu's file operations, run by the
// same engine, with the answers to its questions given on the command line.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_name_rules.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "cli/cli.h"
#include "cli/json_text.h"
#include "tools/file_operation.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

enum class OnClash { Skip, Overwrite, Rename, Fail };

// How many numbered names a rename tries before it gives up on the file.
constexpr int kRenameTries = 999;

struct Invocation {
    catalog::SystemLocations where;
    bool keepInstalled = false;
    OnClash onClash = OnClash::Fail;
    std::wstring destination;
    std::vector<std::wstring> files;
};

std::optional<Invocation> ParseArguments(tools::FileOp op, std::string_view command,
                                         const std::vector<std::wstring>& args, Output& err) {
    Invocation run;
    run.where = catalog::Locations();
    const std::string prefix = "typorama-cli " + std::string(command) + ": ";
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind(L"--", 0) == 0; ++i) {
        if (args[i] == L"--") {
            ++i;
            break;
        }
        if (args[i] == L"--fonts-key" && i + 1 < args.size()) {
            if (!UseFontsKey(args[++i], run.where)) {
                err.Write(prefix + "--fonts-key wants HKLM\\... or HKCU\\...\n");
                return std::nullopt;
            }
            continue;
        }
        if (args[i] == L"--keep-installed" && op == tools::FileOp::Move) {
            run.keepInstalled = true;
            continue;
        }
        if (args[i] == L"--on-clash" && op != tools::FileOp::Delete && i + 1 < args.size()) {
            const std::wstring& value = args[++i];
            if (value == L"skip") run.onClash = OnClash::Skip;
            else if (value == L"overwrite") run.onClash = OnClash::Overwrite;
            else if (value == L"rename") run.onClash = OnClash::Rename;
            else if (value == L"fail") run.onClash = OnClash::Fail;
            else {
                err.Write(prefix + "--on-clash wants skip, overwrite, rename or fail\n");
                return std::nullopt;
            }
            continue;
        }
        err.Write(L"typorama-cli " + win::Utf8ToWide(command) + L": unknown option '" + args[i] + L"'\n");
        return std::nullopt;
    }
    std::vector<std::wstring> paths(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    if (op != tools::FileOp::Delete) {
        if (paths.empty()) {
            err.Write(prefix + "give the destination folder, then at least one font file (see --help)\n");
            return std::nullopt;
        }
        run.destination = paths.front();
        paths.erase(paths.begin());
    }
    if (paths.empty()) {
        err.Write(prefix + "give at least one font file or folder (see --help)\n");
        return std::nullopt;
    }
    run.files = ExpandFontPaths(paths, false);
    return run;
}

class ScriptAnswers : public tools::FileOpQuestions {
public:
    ScriptAnswers(const Invocation& run, Output& out) : run_(run), out_(out) {}

    tools::OverwriteAnswer ConfirmOverwrite(const std::wstring& target, const std::wstring&,
                                            std::wstring& newName) override {
        switch (run_.onClash) {
            case OnClash::Overwrite: return tools::OverwriteAnswer::Yes;
            case OnClash::Skip: return tools::OverwriteAnswer::Skip;
            case OnClash::Fail:
                clashFailed_ = true;
                return tools::OverwriteAnswer::Skip;
            case OnClash::Rename: break;
        }
        const std::wstring folder = tools::FolderOf(target);
        const std::u16string name(win::AsU16(tools::FileNameOf(target)));
        for (int n = 2; n <= kRenameTries; ++n) {
            const std::wstring number = std::to_wstring(n);
            newName = win::ToWide(InsertBeforeExtension(name, win::AsU16(number)));
            if (tools::CheckRenameTarget(folder, newName) == tools::RenameProblem::None)
                return tools::OverwriteAnswer::Rename;
        }
        clashFailed_ = true;
        return tools::OverwriteAnswer::Skip;
    }
    tools::FailureAnswer ReportFailure(const tools::FileOpFailure&) override { return tools::FailureAnswer::Ignore; }
    void ReportScheduled(int) override {}  // each file says "scheduled"
    tools::KeepInstalledAnswer AskKeepInstalled() override {
        return run_.keepInstalled ? tools::KeepInstalledAnswer::Yes : tools::KeepInstalledAnswer::No;
    }

    void FileDone(const tools::FileOpResult& result) override {
        using Action = tools::FileOpResult::Action;
        std::u16string_view action;
        std::wstring error;
        switch (result.action) {
            case Action::Copied: action = u"copied"; break;
            case Action::Moved: action = u"moved"; break;
            case Action::Deleted: action = u"deleted"; break;
            case Action::Skipped: action = u"skipped"; break;
            case Action::Renamed: action = u"renamed"; break;
            case Action::Scheduled: action = u"scheduled"; break;
            case Action::Failed:
                action = u"failed";
                error = win::SystemErrorText(result.error);
                break;
        }
        if (result.action == Action::Skipped && clashFailed_) {
            action = u"failed";
            error = L"the target exists";
        }
        clashFailed_ = false;
        anyFailed = anyFailed || action == u"failed";
        const bool landed = result.action == Action::Copied || result.action == Action::Moved ||
                            result.action == Action::Renamed;
        const std::wstring& file = landed ? result.target : result.source;
        const bool installed = result.item && !result.item->Name.empty() &&
                               catalog::GetInstallState(result.item->Name, file, run_.where).fromThisFile;
        out_.Write(JsonLine()
                       .Add("file", win::AsU16(result.source))
                       .Add("target", win::AsU16(result.target))
                       .Add("action", action)
                       .Add("installed", installed)
                       .Add("error", win::AsU16(error))
                       .Finish());
    }

    bool anyFailed = false;

private:
    const Invocation& run_;
    Output& out_;
    bool clashFailed_ = false;
};

int RunFileOp(tools::FileOp op, std::string_view command, const std::vector<std::wstring>& args, Output& out,
              Output& err) {
    auto run = ParseArguments(op, command, args, err);
    if (!run) return kExitUsage;
    // The items the engine works on, as a folder listing would make them.
    std::vector<std::unique_ptr<catalog::TFontListItem>> items;
    catalog::TWorkingList list;
    for (const std::wstring& file : run->files) {
        catalog::TFontInfo info;
        auto item = std::make_unique<catalog::TFontListItem>(run->where);
        if (catalog::ReadFontInfo(file, info)) item->Name = info.FullName;
        item->SetFile(file);
        if (!item->Name.empty())
            item->InstalledFromThisFile = catalog::GetInstallState(item->Name, file, run->where).fromThisFile;
        list.Add(*item);
        items.push_back(std::move(item));
    }
    ScriptAnswers answers(*run, out);
    tools::TFileOpData data;
    data.destination = run->destination;
    if (op == tools::FileOp::Move) {
        // The program's rule: kept only on a fixed drive.
        const std::optional<bool> keep = tools::DecideKeepInstalled(list, false, run->destination, answers);
        data.keepInstalled = keep.value_or(false);
    }
    tools::FileOperation(list, op, data, answers, {run->where});
    if (op != tools::FileOp::Copy) catalog::BroadcastFontChange();
    return answers.anyFailed ? kExitSomeFailed : kExitOk;
}

}  // namespace

int RunCopy(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunFileOp(tools::FileOp::Copy, "copy", args, out, err);
}
int RunMove(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunFileOp(tools::FileOp::Move, "move", args, out, err);
}
int RunDelete(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunFileOp(tools::FileOp::Delete, "delete", args, out, err);
}

}  // namespace typorama::cli
