#include "app/single_instance.h"

#include "base/dropped_files.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// How long a second start waits for the first to take its files; a first
// instance that hangs is not waited for.
constexpr UINT kHandOverTimeoutMs = 5000;

// True when the running instance took the files, or when none may travel
// (then the first only comes forward, as for a folder).
bool HandOver(HWND running, const std::vector<std::wstring>& files) {
    std::vector<std::u16string> paths;
    paths.reserve(files.size());
    for (const std::wstring& file : files) paths.emplace_back(win::AsU16(file));
    const auto list = EncodeHandedFiles(paths);
    if (!list) return true;
    COPYDATASTRUCT data{};
    data.dwData = kHandedFilesTag;
    data.cbData = static_cast<DWORD>(list->size() * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(list->data());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kHandOverTimeoutMs, &answer) != 0 &&
           answer == TRUE;
}

}  // namespace

bool ActivateRunningInstance(const std::vector<std::wstring>& files) {
    const HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (!running) return false;
    // The first instance must be allowed to take the foreground from us.
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    AllowSetForegroundWindow(processId);
    if (!files.empty() && !HandOver(running, files)) return false;
    PostMessageW(running, kActivateMessage, 0, 0);
    return true;
}

StartTurn::StartTurn(const wchar_t* name, DWORD waitMs) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    if (!mutex_) return;  // no turns: starts go at once
    const DWORD waited = WaitForSingleObject(mutex_.get(), waitMs);
    // Abandoned: the start that held it ended without giving it back.
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void StartTurn::End() {
    if (held_) ReleaseMutex(mutex_.get());
    held_ = false;
    mutex_.reset();
}

std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> full;
    full.reserve(paths.size());
    for (const std::wstring& path : paths) {
        const DWORD needed = path.empty() ? 0 : GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
        std::wstring made(needed, L'\0');
        const DWORD written = needed ? GetFullPathNameW(path.c_str(), needed, made.data(), nullptr) : 0;
        if (written == 0 || written >= needed) {
            full.push_back(path);
            continue;
        }
        made.resize(written);
        full.push_back(std::move(made));
    }
    return full;
}

}  // namespace typorama::app
