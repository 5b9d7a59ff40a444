#include "tools/confirm_overwrite_dialog.h"

#include "app/run_programs.h"
#include "base/file_name_rules.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "ui/font_texts.h"
#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

std::u16string_view U16(const std::wstring& text) { return win::AsU16(text); }

std::int64_t SizeOf(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

std::wstring DescribeFontFile(const std::wstring& file, const catalog::SystemLocations& where) {
    catalog::TFontInfo info;
    if (!catalog::ReadFontInfo(file, info, where.systemLanguageId)) return win::LoadResString(IDS_FOP_NO_FONT_INFO);
    const std::wstring size = win::FormatRes(IDS_FOP_SIZE_BYTES, {static_cast<double>(SizeOf(file))});
    const std::wstring embedding = ui::EmbeddingText(info.Embedding);
    const std::wstring status = ui::FontStatusText(catalog::GetInstallState(info.FullName, file, where));
    const std::wstring name = FileNameOf(file);
    return win::FormatRes(IDS_FOP_FONT_DESCRIPTION,
                          {U16(name), U16(size), U16(info.FamilyName), U16(info.FullName), U16(info.Version),
                           U16(embedding), U16(status), U16(info.Copyright)});
}

TfrmConfirmOverwrite::TfrmConfirmOverwrite(std::wstring target, std::wstring source,
                                           const catalog::SystemLocations& where)
    : Dialog(IDD_CONFIRM_OVERWRITE), target_(std::move(target)), source_(std::move(source)), where_(where) {}

OverwriteAnswer TfrmConfirmOverwrite::AnswerFor(INT_PTR result) {
    if (result >= static_cast<INT_PTR>(OverwriteAnswer::Yes) && result <= static_cast<INT_PTR>(OverwriteAnswer::Cancel))
        return static_cast<OverwriteAnswer>(result);
    return OverwriteAnswer::Cancel;
}

bool TfrmConfirmOverwrite::OnInitDialog() {
    // The template's font has no Chinese glyphs to link to; the message font has.
    font_.reset(win::CreateMessageFontFor(Handle()));
    if (font_)
        for (int id : {IDC_FOP_MESSAGE, IDC_FOP_NEW_CAPTION, IDC_FOP_NEW, IDC_FOP_OLD_CAPTION, IDC_FOP_OLD,
                       IDC_FOP_VIEW_NEW, IDC_FOP_VIEW_OLD, IDYES, IDC_FOP_YES_ALL, IDC_FOP_SKIP, IDC_FOP_SKIP_ALL,
                       IDC_FOP_RENAME, IDCANCEL})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendDlgItemMessageW(Handle(), IDC_FOP_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_QUESTION)),
                        0);
    std::wstring folder = FolderOf(target_);
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();
    const std::wstring name = FileNameOf(target_);
    SetDlgItemTextW(Handle(), IDC_FOP_MESSAGE,
                    win::FormatRes(IDS_FOP_OVERWRITE_MESSAGE, {U16(folder), U16(name), U16(source_)}).c_str());
    SetDlgItemTextW(Handle(), IDC_FOP_NEW, DescribeFontFile(source_, where_).c_str());
    SetDlgItemTextW(Handle(), IDC_FOP_OLD, DescribeFontFile(target_, where_).c_str());
    SetFocus(Item(IDYES));
    return false;
}

bool TfrmConfirmOverwrite::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    switch (id) {
        case IDYES: End(static_cast<INT_PTR>(OverwriteAnswer::Yes)); return true;
        case IDC_FOP_YES_ALL: End(static_cast<INT_PTR>(OverwriteAnswer::YesAll)); return true;
        case IDC_FOP_SKIP: End(static_cast<INT_PTR>(OverwriteAnswer::Skip)); return true;
        case IDC_FOP_SKIP_ALL: End(static_cast<INT_PTR>(OverwriteAnswer::SkipAll)); return true;
        case IDC_FOP_RENAME: ChooseNewName(); return true;
        case IDCANCEL: End(static_cast<INT_PTR>(OverwriteAnswer::Cancel)); return true;  // the button and Escape
        case IDC_FOP_VIEW_NEW: View(source_); return true;
        case IDC_FOP_VIEW_OLD: View(target_); return true;
        default: return false;
    }
}

bool TfrmConfirmOverwrite::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam, (void)lParam;
    // Alt+F4 would end the dialog with a plain cancel: the user answers with a button.
    if (message != WM_CLOSE) return false;
    result = 0;
    return true;
}

void TfrmConfirmOverwrite::ChooseNewName() {
    // The proposal is built from a file name found on disk: it is offered only
    // when it is one the user could have typed.
    std::wstring name = win::ToWide(InsertBeforeExtension(U16(FileNameOf(target_)), u"2"));
    if (!CheckFileName(U16(name)).usable()) name.clear();
    for (;;) {
        if (!ui::InputQuery(Handle(), win::LoadResString(IDS_FOP_RENAME_CAPTION),
                            win::LoadResString(IDS_FOP_RENAME_PROMPT), name))
            return;  // back to the question
        switch (CheckRenameTarget(FolderOf(target_), name)) {
            case RenameProblem::InvalidName: ui::ShowError(Handle(), win::LoadResString(IDS_FOP_INVALID_NAME)); break;
            case RenameProblem::Exists: ui::ShowError(Handle(), win::LoadResString(IDS_FOP_NAME_EXISTS)); break;
            case RenameProblem::None:
                newName_ = name;
                End(static_cast<INT_PTR>(OverwriteAnswer::Rename));
                return;
        }
    }
}

void TfrmConfirmOverwrite::View(const std::wstring& file) {
    if (app::RunFontViewer(file)) return;
    const std::wstring reason = win::SystemErrorText(GetLastError());
    ui::ShowError(Handle(), win::FormatRes(IDS_FOP_FONTVIEW_FAILED, {U16(reason)}));
}

}  // namespace typorama::tools
