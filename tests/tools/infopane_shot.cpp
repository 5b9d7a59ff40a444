// Pictures of the main window with the information pane and the sample-string
// box shown, once with "永" and once with "Handgloves" as the sample:
//   infopane_shot FOLDER OUT_BASE      (writes OUT_BASE-cjk.bmp, OUT_BASE-latin.bmp)
// Run it under a virtual desktop; the window keeps its settings under a scratch key.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: infopane_shot FOLDER OUT_BASE\n", stderr);
        return 2;
    }
    test::ScratchKey settingsKey(L"infopane-shot-settings");
    test::ScratchKey versionKey(L"infopane-shot-version");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    app::TfrmMain main(catalog::Locations());
    main.QuitOnDestroy = false;
    if (!main.Create(argv[1], SW_SHOW)) return 1;
    SetWindowPos(main.Handle(), nullptr, 20, 20, 760, 700, SWP_NOZORDER);
    const HWND box = main.UserStringBox();
    for (const wchar_t* text : {L"永", L"Handgloves"}) {
        main.Settings().sampleStrings.items.push_back(text);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    main.RunCommand(IDM_VIEW_USER_STRING);
    main.RunCommand(IDM_VIEW_FONT_INFO);
    main.ListBox().SetItemIndex(0);
    main.CurrentFontChanged();
    bool saved = true;
    for (const auto& [text, suffix] : {std::pair{L"永", L"-cjk.bmp"}, std::pair{L"Handgloves", L"-latin.bmp"}}) {
        SetWindowTextW(box, text);
        InvalidateRect(main.ListBox().Hwnd(), nullptr, FALSE);
        PumpMessages(1500);
        RedrawWindow(main.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        saved = SaveScreen((std::wstring(argv[2]) + suffix).c_str()) && saved;
    }
    std::printf("%d fonts, pictures %s\n", main.FontList().Count(), saved ? "saved" : "not taken");
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    return saved ? 0 : 1;
}
