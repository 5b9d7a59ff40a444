#include "options/shell_entry.h"

#include "win/registry.h"
#include "win/text_compare.h"

namespace typorama::options {
namespace {

constexpr const wchar_t* kClasses[] = {L"Directory", L"Drive"};
constexpr wchar_t kVerb[] = L"\\Shell\\Typorama";
constexpr wchar_t kCommand[] = L"\\Command";
constexpr wchar_t kArgument[] = L" \"%L\"";

std::wstring Below(const ClassesKey& place, const std::wstring& path) {
    return place.path.empty() ? path : place.path + L"\\" + path;
}

void Note(ShellEntryFailure& failure, const std::wstring& key, LSTATUS error) {
    if (error != ERROR_SUCCESS && !failure) failure = {key, error};
}

bool CommandIn(const ClassesKey& place, const std::wstring& program) {
    const win::OpenedKey key =
        win::OpenKey(place.root, Below(place, std::wstring(L"Directory") + kVerb + kCommand), KEY_QUERY_VALUE);
    if (!key) return false;
    const auto command = win::ReadString(key.get(), L"");
    return command && IsShellCommandFor(*command, program);
}

}  // namespace

std::wstring ShellCommandFor(const std::wstring& program) { return L"\"" + program + L"\"" + kArgument; }

bool IsShellCommandFor(const std::wstring& command, const std::wstring& program) {
    return win::EqualNoCase(command, ShellCommandFor(program)) || win::EqualNoCase(command, program + kArgument);
}

bool ShellEntryPresent(const std::wstring& program, const ShellEntryPlaces& places) {
    return CommandIn(places.user, program) || CommandIn(places.machine, program);
}

ShellEntryFailure RegisterShellEntry(const std::wstring& program, const std::wstring& caption,
                                     const ShellEntryPlaces& places) {
    ShellEntryFailure failure;
    const std::wstring command = ShellCommandFor(program);
    for (const wchar_t* kind : kClasses) {
        const std::wstring verb = Below(places.user, std::wstring(kind) + kVerb);
        for (const auto& [path, text] : {std::pair{verb, caption}, std::pair{verb + kCommand, command}}) {
            const win::OpenedKey key = win::OpenKey(places.user.root, path, KEY_SET_VALUE, win::KeyMode::CreateIfMissing);
            Note(failure, path, key ? win::WriteString(key.get(), L"", text) : key.error);
        }
    }
    return failure;
}

ShellEntryFailure RemoveShellEntry(const ShellEntryPlaces& places) {
    ShellEntryFailure failure;
    for (const ClassesKey* place : {&places.user, &places.machine})
        for (const wchar_t* kind : kClasses) {
            const std::wstring path = Below(*place, std::wstring(kind) + kVerb);
            const LSTATUS error = win::DeleteTree(place->root, path);
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) Note(failure, path, error);
        }
    return failure;
}

}  // namespace typorama::options
