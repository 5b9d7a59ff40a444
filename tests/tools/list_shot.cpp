// A picture of the main window on a folder with one row current and the
// focus in the list, under the default colours:
//   list_shot FOLDER ROW OUT.bmp [MENU_KEY]
// With MENU_KEY (the mnemonic of a menu of the menu bar, such as f or t) that
// menu is open in the picture.
// The main window keeps its settings under a scratch key.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/shot_language.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    if (argc != 4 && argc != 5) {
        std::fputs("usage: list_shot FOLDER ROW OUT.bmp [MENU_KEY]\n", stderr);
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
    bool saved = false;
    if (argc == 5) {
        // The menu's own loop runs while it is open: the picture is taken
        // from another thread, which then closes the menu.
        std::thread picture([&] {
            Sleep(1500);
            saved = SaveScreen(argv[3]);
            PostMessageW(main.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(main.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_KEYMENU, argv[4][0]);
        PumpMessages(2500);
        picture.join();
    } else {
        saved = SaveScreen(argv[3]);
    }
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    return saved ? 0 : 1;
}
