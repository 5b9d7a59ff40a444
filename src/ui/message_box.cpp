#include "ui/message_box.h"

#include "ui/help.h"
#include "ui/resource.h"
#include "ui/window_base.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::ui {
namespace {

MessageAnswerer& Answerer() {
    static MessageAnswerer answerer;
    return answerer;
}

void CALLBACK OnHelpButton(LPHELPINFO info) {
    if (!info) return;
    // The box passes its own handle; the page opens for the program's window.
    GuardSystemCall(
        [info] {
            ShowHelpContext(GetAncestor(static_cast<HWND>(info->hItemHandle), GA_ROOTOWNER),
                            static_cast<DWORD>(info->dwContextId));
        },
        [] {});
}

}  // namespace

void SetMessageAnswerer(MessageAnswerer answerer) { Answerer() = std::move(answerer); }

int ShowMessage(HWND owner, const std::wstring& text, UINT flags, DWORD helpContext) {
    flags |= MB_TASKMODAL;
    if (helpContext != 0) flags |= MB_HELP;
    MessageBeep(flags & MB_ICONMASK);
    if (Answerer()) return Answerer()(text, kMessageCaption, flags);

    MSGBOXPARAMSW params{};
    params.cbSize = sizeof params;
    params.hwndOwner = owner;
    params.hInstance = GetModuleHandleW(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = kMessageCaption;
    params.dwStyle = flags;
    params.dwContextHelpId = helpContext;
    params.lpfnMsgBoxCallback = helpContext != 0 ? &OnHelpButton : nullptr;
    return MessageBoxIndirectW(&params);
}

int ShowError(HWND owner, const std::wstring& text) { return ShowMessage(owner, text, MB_ICONERROR | MB_OK); }

int ShowInformation(HWND owner, const std::wstring& text) {
    return ShowMessage(owner, text, MB_ICONINFORMATION | MB_OK);
}

int ShowSystemError(HWND owner, DWORD code) {
    const std::wstring reason = win::SystemErrorText(code);
    return ShowError(owner, win::FormatRes(IDS_MSG_COMMAND_FAILED, {win::AsU16(reason)}));
}

}  // namespace typorama::ui
