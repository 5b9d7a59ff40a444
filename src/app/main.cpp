// Program entry: hand over to a running instance, or open the main window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "ui/ui_language.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // A second start only brings the first to the front; its folder argument
    // is not passed on.
    if (typorama::app::ActivateRunningInstance()) return 0;

    std::vector<std::wstring> arguments;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
        LocalFree(argv);
    }
    // Before any window: every text and dialog is loaded in this language.
    typorama::ui::ChooseLanguageAtStart(arguments);
    const std::wstring startFolder = arguments.empty() ? std::wstring() : arguments.front();
    return typorama::app::RunMainWindow(startFolder, showCommand);
}
