// typorama-cli status, load, unload, install, uninstall: the installed-font list
// and the system font table as the font list and the Tools commands see them.
#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "cli/cli.h"
#include "cli/fonts_key_option.h"
#include "cli/json_text.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

struct Invocation {
    catalog::SystemLocations where;
    std::vector<std::wstring> files;
};

// Options first, then at least one path. Writes the complaint and returns
// nullopt on bad usage.
std::optional<Invocation> ParseArguments(std::string_view command, const std::vector<std::wstring>& args,
                                         Output& err) {
    Invocation run{catalog::Locations(), {}};
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind(L"--", 0) == 0; ++i) {
        if (args[i] == L"--") {
            ++i;
            break;
        }
        if (args[i] == L"--fonts-key" && i + 1 < args.size()) {
            if (!ApplyFontsKeyOption(args[++i], run.where)) {
                err.Write("typorama-cli " + std::string(command) + ": " + kFontsKeyComplaint);
                return std::nullopt;
            }
            continue;
        }
        err.Write(L"typorama-cli " + win::Utf8ToWide(command) + L": unknown option '" + args[i] + L"'\n");
        return std::nullopt;
    }
    std::vector<std::wstring> paths(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    if (paths.empty()) {
        err.Write("typorama-cli " + std::string(command) + ": give at least one font file or folder (see --help)\n");
        return std::nullopt;
    }
    run.files = ExpandFontPaths(paths);
    return run;
}

enum class Operation { Load, Unload, Install, Uninstall };

struct Outcome {
    std::u16string_view action;
    bool ok;
    // Uninstall only: whether the font was unloaded, and the entries removed.
    bool unloaded = false;
    std::vector<std::u16string> removedEntries = {};
};

// Why the installed-font list was left as it was.
std::u16string_view RefusalAction(catalog::EntryStatus status) {
    switch (status) {
        case catalog::EntryStatus::NoFullName: return u"no-full-name";
        case catalog::EntryStatus::UnusableName: return u"unusable-name";
        case catalog::EntryStatus::PathTooLong: return u"path-too-long";
        case catalog::EntryStatus::OtherFilesEntry: return u"registered-elsewhere";
        case catalog::EntryStatus::NoEntry: return u"not-installed";
        default: return u"";
    }
}

Outcome Uninstall(const std::wstring& file, bool readable, const catalog::TFontInfo& info,
                  const catalog::SystemLocations& where) {
    Outcome outcome{u"", false};
    outcome.unloaded = catalog::UnloadFont(file, where);
    // Still in the system font table: in use, so it keeps its entry. A font
    // that is not loaded at all has nothing to unload and loses its entry.
    if (!outcome.unloaded && readable && catalog::IsFontAvailable(info.FamilyName, info.FullName)) {
        outcome.action = u"unload-failed";
        return outcome;
    }
    catalog::EntryResult byName;
    if (readable) {
        byName = catalog::UnregisterFont(info.FullName, file, where);
        if (byName) outcome.removedEntries.push_back(std::u16string(win::AsU16(byName.valueName)));
    }
    // A file that is gone, or has no name the entry could be found by: every
    // entry that points at it.
    bool noName = byName.status == catalog::EntryStatus::NoFullName ||
                  byName.status == catalog::EntryStatus::UnusableName;
    if (!readable || noName) {
        for (const std::wstring& valueName : catalog::UnregisterFile(file, where))
            outcome.removedEntries.push_back(std::u16string(win::AsU16(valueName)));
    }
    if (!outcome.removedEntries.empty()) {
        outcome.action = outcome.unloaded ? u"uninstalled" : u"unregistered";
        outcome.ok = true;
    } else if (!readable) {
        outcome.action = u"unreadable";
    } else {
        std::u16string_view refusal = RefusalAction(byName.status);
        outcome.action = refusal.empty() ? u"unregister-failed" : refusal;
    }
    return outcome;
}

// One file of a batch, by the same rules as the Tools commands of the program.
Outcome Apply(Operation op, const std::wstring& file, bool readable, const catalog::TFontInfo& info,
              const catalog::SystemLocations& where) {
    switch (op) {
        case Operation::Load:
            if (!readable) return {u"unreadable", false};
            // A font the system already has is left alone: loading it again
            // would only raise its reference count.
            if (catalog::IsFontAvailable(info.FamilyName, info.FullName)) return {u"already-available", true};
            return catalog::LoadFont(file, where) ? Outcome{u"loaded", true} : Outcome{u"load-failed", false};
        case Operation::Unload:
            // Needs no names: the system table knows the file.
            return catalog::UnloadFont(file, where) ? Outcome{u"unloaded", true} : Outcome{u"unload-failed", false};
        case Operation::Install: {
            if (!readable) return {u"unreadable", false};
            // Nothing is loaded that could not be registered afterwards, and a
            // font that cannot be loaded is not registered either.
            catalog::EntryResult result = catalog::CanRegisterFont(info.FullName, file, where);
            if (result && !catalog::LoadFont(file, where)) return {u"load-failed", false};
            if (result) result = catalog::RegisterFont(info.FullName, file, where);
            if (result) return {u"installed", true};
            std::u16string_view refusal = RefusalAction(result.status);
            return {refusal.empty() ? u"register-failed" : refusal, false};
        }
        case Operation::Uninstall:
            return Uninstall(file, readable, info, where);
    }
    return {u"", false};
}

int RunBatch(Operation op, std::string_view command, const std::vector<std::wstring>& args, Output& out,
             Output& err) {
    auto run = ParseArguments(command, args, err);
    if (!run) return kExitUsage;
    bool allOk = true;
    for (const std::wstring& file : run->files) {
        catalog::TFontInfo info;
        std::vector<catalog::TFontInfo> faces;
        bool readable = catalog::ReadFontFaces(file, faces, catalog::Locations().systemLanguageId) ==
                        catalog::FontFileRead::Read;
        if (readable) info = faces.front();
        // A collection is installed and uninstalled under all of its faces' names.
        if (readable && op != Operation::Load) info.FullName = catalog::EntryNameOf(faces);
        Outcome outcome = Apply(op, file, readable, info, run->where);
        allOk = allOk && outcome.ok;
        JsonLine line;
        line.Add("file", win::AsU16(file))
            .Add("fullName", win::AsU16(info.FullName))
            .Add("action", outcome.action)
            .Add("ok", outcome.ok);
        if (op == Operation::Uninstall)
            line.Add("unloaded", outcome.unloaded).Add("removedEntries", outcome.removedEntries);
        out.Write(line.Finish());
    }
    // Once per batch, however many fonts changed.
    catalog::BroadcastFontChange();
    return allOk ? kExitOk : kExitSomeFailed;
}

}  // namespace

int RunStatus(const std::vector<std::wstring>& args, Output& out, Output& err) {
    auto run = ParseArguments("status", args, err);
    if (!run) return kExitUsage;
    bool allRead = true;
    for (const std::wstring& file : run->files) {
        catalog::TFontInfo info;
        bool readable = catalog::ReadFontInfo(file, info);
        allRead = allRead && readable;
        catalog::InstallState state;
        std::wstring registered;
        bool available = false;
        // An unreadable file has no name to look up.
        if (readable) {
            state = catalog::GetInstallState(info.FullName, file, run->where);
            registered = catalog::RegisteredFile(info.FullName, run->where);
            available = catalog::IsFontAvailable(info.FamilyName, info.FullName);
        }
        out.Write(JsonLine()
                      .Add("file", win::AsU16(file))
                      .Add("fullName", win::AsU16(info.FullName))
                      .Add("installed", state.installed)
                      .Add("installedFromThisFile", state.fromThisFile)
                      .Add("registeredFile", win::AsU16(registered))
                      .Add("available", available)
                      .Finish());
    }
    return allRead ? kExitOk : kExitSomeFailed;
}

int RunLoad(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunBatch(Operation::Load, "load", args, out, err);
}
int RunUnload(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunBatch(Operation::Unload, "unload", args, out, err);
}
int RunInstall(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunBatch(Operation::Install, "install", args, out, err);
}
int RunUninstall(const std::vector<std::wstring>& args, Output& out, Output& err) {
    return RunBatch(Operation::Uninstall, "uninstall", args, out, err);
}

}  // namespace typorama::cli
