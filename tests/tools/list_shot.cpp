// A picture of the main window on a folder with one row current and the
// focus in the list, under the default colours:
//   list_shot FOLDER ROW OUT.bmp
// The main window keeps its settings under a scratch key.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: list_shot FOLDER ROW OUT.bmp\n", stderr);
        return 2;
    }
    test::ScratchKey settingsKey(L"list-shot-settings");
    test::ScratchKey versionKey(L"list-shot-version");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    app::TfrmMain main(catalog::Locations());
    main.QuitOnDestroy = false;
    if (!main.Create(argv[1], SW_SHOW)) return 1;
    SetWindowPos(main.Handle(), nullptr, 0, 0, 760, 600, SWP_NOZORDER);
    main.ListBox().SetItemIndex(_wtoi(argv[2]));
    SetFocus(main.ListBox().Hwnd());
    PumpMessages(1500);
    RedrawWindow(main.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const bool saved = SaveScreen(argv[3]);
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    return saved ? 0 : 1;
}
