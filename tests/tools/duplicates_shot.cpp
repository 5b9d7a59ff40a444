// Pictures of the duplicate finder's window, for looking at them:
//   duplicates_shot results FOLDER OUT.bmp    after a search of FOLDER and its subfolders
//   duplicates_shot progress FOLDER OUT.bmp   while that search runs, with its counts
// The settings and the installed-font list are scratch keys of this program.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "catalog/scratch_locations.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/duplicates_window.h"

using namespace typorama;

namespace {

std::wstring g_out;
bool g_saved = false;
bool g_taking = false;  // the counts may change while the picture waits for the paint

void PumpFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: duplicates_shot results|progress FOLDER OUT.bmp\n", stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    g_out = argv[3];
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    test::ScratchKey settingsKey(L"duplicates-shot-settings");
    test::ScratchKey fontsKey(L"duplicates-shot-fonts");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, L"C:\\windows\\Fonts\\");

    tools::TfrmFindDuplicates window(where, nullptr, {HKEY_CURRENT_USER, settingsKey.SubKey()});
    if (!window.Create()) return 1;
    window.AddFolder({argv[2], true});
    ShowWindow(window.Handle(), SW_SHOW);
    PumpFor(500);
    if (mode == L"progress") {
        // The picture of the first counts shown, then the search is cancelled.
        window.ProgressShown = [](HWND progress, const SearchCounts&) {
            if (g_taking) return;
            g_taking = true;
            PumpFor(300);
            g_saved = SaveScreen(g_out.c_str());
            PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        };
        window.Search();
    } else {
        window.Search();
        SendMessageW(window.Handle(), WM_COMMAND, IDC_DUP_EXPAND_ALL, 0);
        const HWND tree = window.Tree();
        TreeView_SelectItem(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)));
        PumpFor(800);
        g_saved = SaveScreen(g_out.c_str());
    }
    std::printf("picture %s\n", g_saved ? "saved" : "not taken");
    return g_saved ? 0 : 1;
}
