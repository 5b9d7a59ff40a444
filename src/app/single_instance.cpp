#include "app/single_instance.h"

#include "base/dropped_files.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

// How long a second start waits for the first to take its files; a first
// instance that hangs is not waited for.
constexpr UINT kHandOverTimeoutMs = 5000;

void HandOver(HWND running, const std::vector<std::wstring>& files) {
    std::vector<std::u16string> paths;
    paths.reserve(files.size());
    for (const std::wstring& file : files) paths.emplace_back(win::AsU16(file));
    const auto list = EncodeHandedFiles(paths);
    if (!list) return;  // nothing that may travel: the first only comes forward
    COPYDATASTRUCT data{};
    data.dwData = kHandedFilesTag;
    data.cbData = static_cast<DWORD>(list->size() * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(list->data());
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                        kHandOverTimeoutMs, &answer);
}

}  // namespace

bool ActivateRunningInstance(const std::vector<std::wstring>& files) {
    const HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (!running) return false;
    // The first instance must be allowed to take the foreground from us.
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    AllowSetForegroundWindow(processId);
    if (!files.empty()) HandOver(running, files);
    PostMessageW(running, kActivateMessage, 0, 0);
    return true;
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
