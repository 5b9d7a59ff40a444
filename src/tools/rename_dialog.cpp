#include "tools/rename_dialog.h"

#include "tools/rename_rules.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/dpi.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

constexpr int kChoiceIds[] = {IDC_REN_SKIP, IDC_REN_OVERWRITE, IDC_REN_RENAME};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

TfrmConfirmRename::TfrmConfirmRename(std::wstring folder, std::wstring message, std::wstring proposed,
                                     settings::SettingsRoot root)
    : ui::Dialog(IDD_CONFIRM_RENAME),
      folder_(std::move(folder)),
      message_(std::move(message)),
      proposed_(std::move(proposed)),
      root_(std::move(root)) {}

RenameClashAnswer TfrmConfirmRename::Answer(INT_PTR result) const {
    if (result != IDOK) return {RenameClash::Cancel, {}};
    switch (choice_) {
        case kOverwrite: return {RenameClash::DeleteOld, {}};
        case kRename: return {RenameClash::UseName, fileName_};
        default: return {RenameClash::Skip, {}};
    }
}

bool TfrmConfirmRename::OnInitDialog() {
    // The template's font has no Chinese glyphs to link to; the message font has.
    font_.reset(win::CreateMessageFontFor(Handle()));
    if (font_)
        for (int id : {IDC_REN_MESSAGE, IDC_REN_SKIP, IDC_REN_OVERWRITE, IDC_REN_RENAME, IDC_REN_NEW_NAME, IDOK,
                       IDCANCEL})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetDlgItemTextW(Handle(), IDC_REN_MESSAGE, message_.c_str());
    SetDlgItemTextW(Handle(), IDC_REN_NEW_NAME, proposed_.c_str());
    settings::TRegistryEx reg(root_);
    int stored = kSkip;
    if (reg.OpenKeyReadOnly(L"")) stored = reg.ReadIntegerDef(kLastRenameTypeValue, kSkip, settings::kAnyInteger);
    // An unknown number leaves the default choice.
    const bool known = stored >= kSkip && stored <= kRename;
    CheckRadioButton(Handle(), IDC_REN_SKIP, IDC_REN_RENAME, kChoiceIds[known ? stored : kSkip]);
    UpdateNameState();
    SetFocus(Item(IDOK));
    return false;
}

int TfrmConfirmRename::CheckedChoice() const {
    for (int i = kSkip; i <= kRename; ++i)
        if (IsDlgButtonChecked(Handle(), kChoiceIds[i]) == BST_CHECKED) return i;
    return kSkip;
}

void TfrmConfirmRename::UpdateNameState() {
    // A disabled edit box is drawn in the button face colour, an enabled one in the window colour.
    EnableWindow(Item(IDC_REN_NEW_NAME), CheckedChoice() == kRename);
}

bool TfrmConfirmRename::Accept() {
    choice_ = CheckedChoice();
    if (choice_ != kRename) return true;
    HWND box = Item(IDC_REN_NEW_NAME);
    const CheckedFileName name = NameFromTypedName(win::AsU16(WindowText(box)));
    UINT problem = 0;
    if (!name.usable()) problem = IDS_REN_INVALID_NAME;
    else if (win::IsFile(folder_ + win::ToWide(name.name)) || win::IsFolder(folder_ + win::ToWide(name.name)))
        problem = IDS_REN_NAME_EXISTS;
    if (problem != 0) {
        ui::ShowError(Handle(), win::LoadResString(problem));
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
        return false;
    }
    fileName_ = win::ToWide(name.name);
    return true;
}

bool TfrmConfirmRename::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
        case IDC_REN_SKIP:
        case IDC_REN_OVERWRITE:
        case IDC_REN_RENAME:
            if (code == BN_CLICKED) UpdateNameState();
            return true;
        case IDOK:
            if (!Accept()) return true;
            SaveChoice();
            End(IDOK);
            return true;
        case IDCANCEL:  // the button, Escape and the close box
            SaveChoice();
            End(IDCANCEL);
            return true;
        default: return false;
    }
}

void TfrmConfirmRename::SaveChoice() {
    // OK and Cancel alike: the next conflict starts with the choice made now.
    settings::TRegistryEx reg(root_);
    if (reg.OpenKey(L"", true)) reg.WriteInteger(kLastRenameTypeValue, CheckedChoice());
}

}  // namespace typorama::tools
