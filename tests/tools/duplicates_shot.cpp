// Pictures of the duplicate finder's window, for looking at them:
//   duplicates_shot results OUT.bmp FOLDER...    after a search of the folders and their subfolders
//   duplicates_shot progress OUT.bmp FOLDER...   while that search runs, with its counts
// The settings and the installed-font list are scratch keys of this program.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "catalog/scratch_locations.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/duplicates_window.h"
#include "ui/image_strip.h"
#include "win/unique_handle.h"

using namespace typorama;

namespace {

std::wstring g_out;
bool g_saved = false;
bool g_taking = false;  // the counts may change while the picture waits for the paint

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: duplicates_shot results|progress OUT.bmp FOLDER...\n", stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    g_out = argv[2];
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    test::ScratchKey settingsKey(L"duplicates-shot-settings");
    test::ScratchKey fontsKey(L"duplicates-shot-fonts");
    const catalog::SystemLocations where = catalog::ScratchLocations(fontsKey, L"C:\\windows\\Fonts\\");

    // The main window's small images, as the program gives them to the window.
    win::UniqueImageList images(ImageList_LoadImageW(GetModuleHandleW(nullptr), ui::kToolbarBitmap, ui::kImageSize, 0,
                                                     ui::kImageTransparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    tools::TfrmFindDuplicates window(where, images.get(), {HKEY_CURRENT_USER, settingsKey.SubKey()});
    if (!window.Create()) return 1;
    for (int i = 3; i < argc; ++i) window.AddFolder({argv[i], true});
    ShowWindow(window.Handle(), SW_SHOW);
    PumpMessages(500);
    if (mode == L"progress") {
        // The picture of the first counts shown, then the search is cancelled.
        window.ProgressShown = [](HWND progress, const SearchCounts&) {
            if (g_taking) return;
            g_taking = true;
            PumpMessages(300);
            g_saved = SaveScreen(g_out.c_str());
            PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        };
        window.Search();
    } else {
        window.Search();
        SendMessageW(window.Handle(), WM_COMMAND, IDC_DUP_EXPAND_ALL, 0);
        const HWND tree = window.Tree();
        TreeView_SelectItem(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)));
        PumpMessages(800);
        g_saved = SaveScreen(g_out.c_str());
    }
    std::printf("picture %s\n", g_saved ? "saved" : "not taken");
    return g_saved ? 0 : 1;
}
