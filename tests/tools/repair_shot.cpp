// Pictures of the repair wizard and of its list of invalid registrations over
// the main window, for looking at them:
//   repair_shot wizard OUT.bmp   the wizard as it opens
//   repair_shot list OUT.bmp     the list of invalid entries after OK
// The installed-font list and the settings are scratch keys of this program;
// nothing is repaired: the list is cancelled once the picture is taken.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "ui/dialog.h"
#include "ui/font_listing_dialog.h"
#include "ui/resource.h"
#include "win/registry.h"

using namespace typorama;

namespace {

std::wstring g_out;
bool g_saved = false;
INT_PTR g_endWith = IDCANCEL;

// Takes the picture once the dialog has painted, then ends it.
void CALLBACK TakePicture(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    UpdateWindow(dialog);
    g_saved = SaveScreen(g_out.c_str());
    PostMessageW(dialog, WM_COMMAND, g_endWith, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: repair_shot wizard|list OUT.bmp\n", stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    g_out = argv[2];
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    test::ScratchKey settingsKey(L"repair-shot-settings");
    test::ScratchKey versionKey(L"repair-shot-version");
    test::ScratchKey fontsKey(L"repair-shot-fonts");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    catalog::SystemLocations where = catalog::Locations();
    where.fontsRoot = HKEY_CURRENT_USER;
    where.fontsKey = fontsKey.SubKey();
    where.userFontsKey.clear();
    win::WriteString(fontsKey.Get(), L"Arial Narrow (TrueType)", L"ARIALN.TTF");
    win::WriteString(fontsKey.Get(), L"Garamond Premier Pro (OpenType)", L"E:\\Fonts\\GaramondPremrPro.otf");
    win::WriteString(fontsKey.Get(), L"思源宋体 Heavy (OpenType)", L"D:\\字体\\SourceHanSerifSC-Heavy.otf");
    win::WriteString(fontsKey.Get(), L"Futura Book (TrueType)", L"\\\\fileserver\\fonts\\futura-book.ttf");

    app::TfrmMain main(where);
    main.QuitOnDestroy = false;
    if (!main.Create(L"", SW_SHOW)) return 1;
    UpdateWindow(main.Handle());
    ui::SetModalHook([&mode](ui::Dialog& dialog) {
        const bool listing = dynamic_cast<ui::TfrmFontListing*>(&dialog) != nullptr;
        if (mode == L"list" && !listing) {
            PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
            return;
        }
        g_endWith = listing ? ui::TfrmFontListing::kButton3 : IDCANCEL;
        SetTimer(dialog.Handle(), 1, 1500, TakePicture);
    });
    main.RunCommand(IDM_TOOLS_REPAIR);
    ui::SetModalHook({});
    std::printf("picture %s\n", g_saved ? "saved" : "not taken");
    return g_saved ? 0 : 1;
}
