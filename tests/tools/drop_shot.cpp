// A picture of the main window after files were dropped on its list:
//   drop_shot OUT.bmp FILE...
// The drop is the shell's WM_DROPFILES with a block made here; the main
// window keeps its settings under a scratch key.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/drop_feature.h"
#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/shot_language.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    if (argc < 3) {
        std::fputs("usage: drop_shot OUT.bmp FILE...\n", stderr);
        return 2;
    }
    test::ScratchKey settingsKey(L"drop-shot-settings");
    test::ScratchKey versionKey(L"drop-shot-version");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    app::TfrmMain main(catalog::Locations());
    main.QuitOnDestroy = false;
    if (!main.Create(L"", SW_SHOW)) return 1;
    SetWindowPos(main.Handle(), nullptr, 0, 0, 760, 600, SWP_NOZORDER);
    PumpMessages(500);
    const std::vector<std::wstring> files(argv + 2, argv + argc);
    const HGLOBAL drop = app::MakeFileDrop(files);
    if (!drop) return 1;
    PostMessageW(main.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpMessages(1500);
    RedrawWindow(main.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return SaveScreen(argv[1]) ? 0 : 1;
}
