// A picture of a search's progress window over the main window, taken while
// the search for fonts that are not installed reads a big folder:
//   search_shot FOLDER OUT.bmp
// The screen is saved once a third of the files have been read; the main
// window keeps its settings under a scratch key.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/font_search.h"
#include "app/main_window.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/unique_handle.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: search_shot FOLDER OUT.bmp\n", stderr);
        return 2;
    }
    test::ScratchKey settingsKey(L"search-shot-settings");
    test::ScratchKey versionKey(L"search-shot-version");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    app::TfrmMain main(catalog::Locations());
    main.QuitOnDestroy = false;
    if (!main.Create(L"", SW_SHOW)) return 1;
    UpdateWindow(main.Handle());

    const std::wstring folder = argv[1];
    const catalog::SystemLocations where = catalog::Locations();
    bool saved = false;
    const DWORD start = GetTickCount();
    const auto kept = app::RunSearch(
        main.Handle(), win::LoadResString(IDS_BROWSE_SEARCHING), true,
        [&folder, where](std::stop_token stop, SearchProgress& progress) {
            return app::FindNotInstalledFiles(folder, true, where, stop, progress);
        },
        [&](HWND window, const SearchCounts& counts) {
            if (saved || !counts.scanned || counts.read * 3 < counts.found) return;
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            saved = SaveScreen(argv[2]);
        });
    std::printf("%zu files not installed, %lu ms, picture %s\n", kept ? kept->size() : 0,
                static_cast<unsigned long>(GetTickCount() - start), saved ? "saved" : "not taken");
    return saved ? 0 : 1;
}
