#include "tools/install_dialogs.h"

#include "tools/install_rules.h"
#include "ui/folder_check.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

constexpr int kChoiceIds[] = {IDC_INS_CHOICE1, IDC_INS_CHOICE2, IDC_INS_CHOICE3};
constexpr settings::IntRange kCountRange{0, INT32_MAX};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

TfrmFolderChoice::TfrmFolderChoice(UINT templateId, UINT infoId, std::wstring_view settingsKey,
                                   settings::SettingsRoot root)
    : ui::Dialog(templateId),
      infoId_(infoId),
      settingsKey_(settingsKey),
      root_(std::move(root)),
      valueName_(settingsKey == kInstallSettingsKey ? L"FontsLocation" : L"Mode") {}

TfrmInstall::TfrmInstall(settings::SettingsRoot root)
    : TfrmFolderChoice(IDD_INSTALL, IDS_INS_INSTALL_INFO, kInstallSettingsKey, std::move(root)) {}

TfrmRemove::TfrmRemove(settings::SettingsRoot root)
    : TfrmFolderChoice(IDD_REMOVE, IDS_INS_REMOVE_INFO, kRemoveSettingsKey, std::move(root)) {}

bool TfrmFolderChoice::OnInitDialog() {
    SetDlgItemTextW(Handle(), IDC_INS_INFO,
                    win::FormatRes(infoId_, {static_cast<std::int64_t>(Names.size())}).c_str());
    std::wstring lines;
    for (const std::wstring& name : Names) lines += name + L"\r\n";
    SetDlgItemTextW(Handle(), IDC_INS_FONTS, lines.c_str());
    CheckRadioButton(Handle(), IDC_INS_CHOICE1, IDC_INS_CHOICE3, IDC_INS_CHOICE1);
    Load();
    UpdateFolderState();
    // The focus on the choice, not on the list of names (which would show all selected).
    const int checked = CheckedChoice();
    SetFocus(Item(kChoiceIds[checked < 0 ? kFirst : checked]));
    return false;
}

void TfrmFolderChoice::Load() {
    settings::TRegistryEx reg(root_);
    if (!reg.OpenKeyReadOnly(settingsKey_)) return;  // the design's defaults
    const std::int32_t stored = reg.ReadIntegerDef(valueName_, -1, settings::kAnyInteger);
    // An unknown number leaves the default choice as it is.
    if (stored >= kFirst && stored <= kThird)
        CheckRadioButton(Handle(), IDC_INS_CHOICE1, IDC_INS_CHOICE3, kChoiceIds[stored]);
    HWND box = Item(IDC_INS_FOLDER);
    const auto count = static_cast<std::size_t>(reg.ReadIntegerDef(L"FolderCount", 0, kCountRange));
    for (const std::u16string& folder : OfferedFolders(count, [&reg](std::size_t i) {
             return std::u16string(win::AsU16(reg.ReadStringDef(L"Folder" + std::to_wstring(i), L"")));
         }))
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(folder).c_str()));
    SetWindowTextW(box, reg.ReadStringDef(L"DefaultFolder", L"").c_str());
}

void TfrmFolderChoice::Save() {
    settings::TRegistryEx reg(root_);
    if (!reg.OpenKey(settingsKey_, true)) return;
    const int checked = CheckedChoice();
    reg.WriteInteger(valueName_, checked < 0 ? 0 : checked);
    const std::wstring text = FolderText();
    reg.WriteString(L"DefaultFolder", text);
    HWND box = Item(IDC_INS_FOLDER);
    std::vector<std::u16string> items;
    const auto count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.emplace_back(win::AsU16(item));
    }
    items = FoldersToStore(std::move(items), std::u16string(win::AsU16(text)),
                           [](const std::u16string& a, const std::u16string& b) {
                               return win::EqualNoCase(win::ToWide(a), win::ToWide(b));
                           });
    // Older values beyond the new count stay: no reader looks past the count.
    reg.WriteInteger(L"FolderCount", static_cast<std::int32_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        reg.WriteString(L"Folder" + std::to_wstring(i), win::ToWide(items[i]));
}

int TfrmFolderChoice::CheckedChoice() const {
    for (int i = kFirst; i <= kThird; ++i)
        if (IsDlgButtonChecked(Handle(), kChoiceIds[i]) == BST_CHECKED) return i;
    return -1;
}

std::wstring TfrmFolderChoice::FolderText() const { return WindowText(Item(IDC_INS_FOLDER)); }

void TfrmFolderChoice::UpdateFolderState() {
    const bool third = CheckedChoice() == kThird;
    EnableWindow(Item(IDC_INS_FOLDER), third);
    EnableWindow(Item(IDC_INS_BROWSE), third);
}

bool TfrmFolderChoice::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
        case IDC_INS_CHOICE1:
        case IDC_INS_CHOICE2:
        case IDC_INS_CHOICE3:
            if (code == BN_CLICKED) UpdateFolderState();
            return true;
        case IDC_INS_BROWSE: {
            std::wstring folder = FolderText();
            if (Browse && Browse(Handle(), folder) && !folder.empty()) SetWindowTextW(Item(IDC_INS_FOLDER), folder.c_str());
            return true;
        }
        case IDOK: {
            const int checked = CheckedChoice();
            std::wstring folder = FolderText();
            if (checked == kThird && !ui::CheckFolder(Handle(), folder)) {
                SetFocus(Item(IDC_INS_FOLDER));
                return true;
            }
            if (checked == kFirst && ConfirmFirst && !ConfirmFirst(Handle())) return true;
            choice_ = checked < 0 ? kFirst : checked;
            folder_ = folder;
            Save();
            End(IDOK);
            return true;
        }
        case IDCANCEL:
            Save();
            End(IDCANCEL);
            return true;
        default: return false;
    }
}

}  // namespace typorama::tools
