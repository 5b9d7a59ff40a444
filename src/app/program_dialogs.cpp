#include "app/program_dialogs.h"

#include <windowsx.h>

#include "ui/file_dialog.h"
#include "ui/help.h"
#include "ui/help_topics.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::app {
namespace {

std::wstring Trimmed(const std::wstring& text) { return win::ToWide(settings::TrimmedText(win::AsU16(text))); }

}  // namespace

TfrmInsertVariable::TfrmInsertVariable(settings::CommandVariableSet set)
    : Dialog(IDD_INSERT_VARIABLE), variables_(set.Members()) {}

bool TfrmInsertVariable::OnInitDialog() {
    const HWND list = Item(IDC_VAR_LIST);
    for (settings::CommandVariable v : variables_)
        ListBox_AddString(list, win::ToWide(settings::CommandVariableName(v)).c_str());
    if (!variables_.empty()) ListBox_SetCurSel(list, 0);
    ShowDescription();
    return true;
}

std::optional<settings::CommandVariable> TfrmInsertVariable::Selected() const {
    const int index = ListBox_GetCurSel(Item(IDC_VAR_LIST));
    if (index < 0 || index >= static_cast<int>(variables_.size())) return std::nullopt;
    return variables_[static_cast<std::size_t>(index)];
}

void TfrmInsertVariable::ShowDescription() {
    const auto selected = Selected();
    const std::wstring text =
        selected ? win::LoadResString(IDS_PROG_VARIABLE_FIRST + static_cast<UINT>(*selected)) : std::wstring();
    SetDlgItemTextW(Handle(), IDC_VAR_DESCRIPTION, text.c_str());
}

bool TfrmInsertVariable::OnCommand(int id, int code, HWND control) {
    (void)control;
    if (id == IDC_VAR_LIST && code == LBN_SELCHANGE) {
        ShowDescription();
        return true;
    }
    if ((id == IDC_VAR_LIST && code == LBN_DBLCLK && Selected()) || id == IDOK) {
        chosen_ = Selected();
        End(IDOK);
        return true;
    }
    if (id == IDC_VAR_HELP) {
        ui::ShowHelpTopic(Handle(), ui::kVariablesHelpTopic);
        return true;
    }
    return false;
}

void InsertAtCaret(HWND edit, const std::wstring& name) {
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    std::wstring text = win::WindowText(edit);
    const std::size_t at = std::min<std::size_t>(start, text.size());
    text.insert(at, name);
    SetWindowTextW(edit, text.c_str());
    SetFocus(edit);
    const auto caret = static_cast<int>(at + name.size());
    Edit_SetSel(edit, caret, caret);
}

bool InsertVariable(HWND owner, HWND edit, settings::CommandVariableSet set) {
    TfrmInsertVariable dialog(set);
    dialog.CenterOver(owner);
    if (dialog.ShowModal(owner) != IDOK || !dialog.Chosen()) return false;
    InsertAtCaret(edit, win::ToWide(settings::CommandVariableName(*dialog.Chosen())));
    return true;
}

void CommandLineField::Attach(ui::Dialog& dialog, settings::CommandVariableSet set, bool exeName) {
    dialog_ = &dialog;
    set_ = set;
    exeName_ = exeName;
    edit_.AttachEdit(dialog.Item(IDC_PROG_CMDLINE));
}

std::wstring CommandLineField::Browse() {
    ui::SaveFileRequest request;
    request.filter = win::LoadResString(IDS_PROG_EXE_FILTER);
    request.defaultExtension = L"exe";
    if (exeName_) request.fileName = win::ToWide(settings::ProgramPartOf(win::AsU16(win::WindowText(edit_.Handle()))));
    const auto chosen = ui::AskOpenFileName(dialog_->Handle(), request);
    if (!chosen) return {};
    // The arguments go with the old program.
    SetWindowTextW(edit_.Handle(), chosen->c_str());
    return *chosen;
}

void CommandLineField::InsertVariable() { app::InsertVariable(dialog_->Handle(), edit_.Handle(), set_); }

TfrmEditProgram::TfrmEditProgram(TRunProgramEntry entry, bool adding)
    : Dialog(IDD_EDIT_PROGRAM), entry_(std::move(entry)), adding_(adding) {}

bool TfrmEditProgram::OnInitDialog() {
    SetWindowTextW(Handle(), win::LoadResString(adding_ ? IDS_PROG_ADD_CAPTION : IDS_PROG_EDIT_CAPTION).c_str());
    SetDlgItemTextW(Handle(), IDC_PROG_TITLE, entry_.title.c_str());
    Edit_LimitText(Item(IDC_PROG_CMDLINE), kMaxCommandLine);
    SetDlgItemTextW(Handle(), IDC_PROG_CMDLINE, entry_.cmdLine.c_str());
    field_.Attach(*this, settings::kRunProgramSet, true);
    field_.Edit().OnButtonClick = [this] { Browse(); };
    return true;
}

void TfrmEditProgram::Browse() {
    const std::wstring chosen = field_.Browse();
    if (chosen.empty()) return;
    const HWND title = Item(IDC_PROG_TITLE);
    if (!Trimmed(win::WindowText(title)).empty()) return;
    SetWindowTextW(title, win::ToWide(settings::FileNamePart(win::AsU16(chosen))).c_str());
    SetFocus(title);
    Edit_SetSel(title, 0, -1);
}

bool TfrmEditProgram::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id == IDC_PROG_INSERT) {
        field_.InsertVariable();
        return true;
    }
    if (id != IDOK) return false;
    const std::wstring title = Trimmed(win::WindowText(Item(IDC_PROG_TITLE)));
    const std::wstring cmdLine = Trimmed(win::WindowText(Item(IDC_PROG_CMDLINE)));
    if (title.empty() || cmdLine.empty()) {
        ui::ShowError(Handle(), win::LoadResString(IDS_PROG_FILL_ALL));
        return true;
    }
    entry_ = {title, cmdLine};
    End(IDOK);
    return true;
}

bool EditProgram(HWND owner, TRunProgramEntry& entry, bool adding) {
    TfrmEditProgram dialog(entry, adding);
    dialog.CenterOver(owner);
    if (dialog.ShowModal(owner) != IDOK) return false;
    entry = dialog.Entry();
    return true;
}

TfrmEditCmdLine::TfrmEditCmdLine(std::wstring prompt, std::wstring commandLine, settings::CommandVariableSet set)
    : Dialog(IDD_EDIT_CMDLINE), prompt_(std::move(prompt)), text_(std::move(commandLine)), set_(set) {}

bool TfrmEditCmdLine::OnInitDialog() {
    SetDlgItemTextW(Handle(), IDC_PROG_CMDLINE_LABEL, prompt_.c_str());
    SetDlgItemTextW(Handle(), IDC_PROG_CMDLINE, text_.c_str());
    field_.Attach(*this, set_, false);
    field_.Edit().OnButtonClick = [this] { field_.Browse(); };
    return true;
}

bool TfrmEditCmdLine::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id == IDC_PROG_INSERT) {
        field_.InsertVariable();
        return true;
    }
    if (id != IDOK) return false;
    text_ = win::WindowText(Item(IDC_PROG_CMDLINE));
    End(IDOK);
    return true;
}

}  // namespace typorama::app
