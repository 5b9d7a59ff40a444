// A picture of the rename conflict dialog as a second file of the same font
// meets it, with "use a new name" remembered from an earlier conflict:
//   rename_shot FOLDER OUT.bmp
// The settings are a scratch key of this program.
#include <windows.h>

#include <cstdio>
#include <string>

#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/rename_dialog.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: rename_shot FOLDER OUT.bmp\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    test::ScratchKey settingsKey(L"rename-shot-settings");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::TRegistryEx reg;
    if (reg.OpenKey(L"", true)) reg.WriteInteger(tools::kLastRenameTypeValue, tools::TfrmConfirmRename::kRename);
    std::wstring folder = argv[1];
    if (folder.back() == L'\\') folder.pop_back();
    const std::wstring message = win::FormatRes(
        IDS_REN_CONFLICT, {u"b.ttf", u"Noto Sans CJK SC Regular.ttf", u"Noto Sans CJK SC Regular.ttf",
                           win::AsU16(folder)});
    tools::TfrmConfirmRename dialog(folder + L"\\", message, L"Noto Sans CJK SC Regular 2");
    const std::wstring out = argv[2];
    bool saved = false;
    ui::SetModalHook([&](ui::Dialog& shown) {
        // The hook runs before the modal loop first goes idle, which is when
        // the dialog would show itself: show it and let it paint.
        ShowWindow(shown.Handle(), SW_SHOW);
        for (int i = 0; i < 50; ++i) {
            ui::PumpWaitingMessages(shown.Handle());
            Sleep(20);
        }
        RedrawWindow(shown.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        saved = SaveScreen(out.c_str());
        PostMessageW(shown.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    ui::CreateAndShowForm(dialog, nullptr, false, ui::kCenterOnScreen | ui::kShowModal);
    return saved ? 0 : 1;
}
