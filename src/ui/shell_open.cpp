#include "ui/shell_open.h"

#include <shellapi.h>

namespace typorama::ui {
namespace {

ShellOpener& Opener() {
    static ShellOpener opener;
    return opener;
}

}  // namespace

void SetShellOpener(ShellOpener opener) { Opener() = std::move(opener); }

bool ShellOpen(HWND owner, const std::wstring& target) {
    if (Opener()) return Opener()(owner, target);
    // Values above 32 mean success; the rest are the old error codes.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace typorama::ui
