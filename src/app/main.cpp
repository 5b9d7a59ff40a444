// Program entry: hand over to a running instance, or open the main window.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/main_window.h"
#include "app/single_instance.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // A second start only brings the first to the front; its folder argument
    // is not passed on.
    if (typorama::app::ActivateRunningInstance()) return 0;

    std::wstring startFolder;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        if (argc > 1) startFolder = argv[1];
        LocalFree(argv);
    }
    return typorama::app::RunMainWindow(startFolder, showCommand);
}
