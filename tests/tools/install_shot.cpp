// Windows of installing and uninstalling shown for looking at them (a script
// takes the screenshot and ends the program); the installed-font list is a
// scratch key of this program (HKCU\Software\Typorama Shots\Fonts):
//   install_shot install FOLDER    the main window on FOLDER, two fonts tagged, TfrmInstall
//   install_shot remove FOLDER     the same with TfrmRemove
//   install_shot progress FOLDER   the Tools commands' progress window over the main window
//   install_shot list FOLDER       the list after installing its first two fonts
#include <windows.h>

#include <string>

#include "app/main_window.h"
#include "app/progress_window.h"
#include "catalog/font_registry.h"
#include "ui/resource.h"
#include "tools/shot_language.h"
#include "win/registry.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    if (argc < 3) return 2;
    const std::wstring mode = argv[1];
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    catalog::SystemLocations where = catalog::Locations();
    where.fontsRoot = HKEY_CURRENT_USER;
    where.fontsKey = L"Software\\Typorama Shots\\Fonts";
    where.userFontsKey.clear();
    win::DeleteTree(HKEY_CURRENT_USER, where.fontsKey);
    win::OpenKey(HKEY_CURRENT_USER, where.fontsKey, KEY_SET_VALUE, win::KeyMode::CreateIfMissing);
    app::TfrmMain main(where);
    if (!main.Create(argv[2], SW_SHOWNORMAL)) return 1;
    // The start folder is listed once the window runs: the tags and the
    // command come after that.
    static app::TfrmMain* shown = &main;
    static std::wstring shownMode = mode;
    static catalog::SystemLocations shownWhere = where;
    SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        catalog::TFontList& list = shown->FontList();
        for (int i = 0; i < 2 && i < list.Count(); ++i) list[i].Tagged = true;
        shown->UpdateCommandStates();
        if (shownMode == L"install" || shownMode == L"remove") {
            PostMessageW(shown->Handle(), WM_COMMAND, shownMode == L"install" ? IDM_FONT_INSTALL : IDM_FONT_UNINSTALL, 0);
        } else if (shownMode == L"list") {
            for (int i = 0; i < 2 && i < list.Count(); ++i)
                catalog::RegisterFont(list[i].Name, list[i].FileName(), shownWhere);
            list.Refresh(true);
            InvalidateRect(shown->Handle(), nullptr, TRUE);
            shown->UpdateCommandStates();
        } else if (shownMode == L"progress") {
            static app::TfrmProgress progress(L"正在搜索文件...");
            progress.Show(shown->Handle());
            progress.SetLines(L"37 / 120", L"");
            progress.SetBar(37, 120);
        }
    });
    app::RunMessageLoop(main);
    return 0;
}
