#include "ui/message_box.h"

#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::ui {
namespace {

MessageAnswerer& Answerer() {
    static MessageAnswerer answerer;
    return answerer;
}

std::wstring& HelpPath() {
    static std::wstring path;
    return path;
}

void CALLBACK OnHelpButton(LPHELPINFO info) {
    if (!info || HelpPath().empty()) return;
    // The box passes its own handle; the help window belongs to the program.
    WinHelpW(GetAncestor(static_cast<HWND>(info->hItemHandle), GA_ROOTOWNER), HelpPath().c_str(), HELP_CONTEXT,
             info->dwContextId);
}

}  // namespace

void SetMessageAnswerer(MessageAnswerer answerer) { Answerer() = std::move(answerer); }

void SetHelpFile(std::wstring path) { HelpPath() = std::move(path); }
const std::wstring& HelpFile() { return HelpPath(); }

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
